#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tavrel {

struct Context;

// The installation marker "sys.ini": plain text beside the program whose last line names the
// data folder. Nothing else in it is read.
inline constexpr const char* kSysIniName = "sys.ini";

// The last line of the text, whatever its line endings (CR LF, LF or CR); a line ending at the
// very end does not start another line. Nothing for an empty text.
std::optional<QString> lastLine(const QByteArray& content);

// Where the marker is read: the copy in the writable folder, which the installer writes, or else
// the one in the program's folder (an installed copy whose folder cannot be written).
QString sysIniPath(const Context& context);

// The last line of the marker file: nothing when the file does not exist, "" when it has no line.
// Throws AppError when the file exists but cannot be read.
std::optional<QString> readSysIni(const QString& path);

}  // namespace tavrel
