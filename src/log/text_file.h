#pragma once

#include <QString>
#include <QStringList>

namespace tavrel {

// Opens `path` for appending, writes each line followed by CR LF, and closes it again.
// Returns false when the file could not be opened or written.
bool appendLines(const QString& path, const QStringList& lines);

// Replaces the whole file at once, so a failure leaves the previous file as it was. Throws
// AppError (75, file access) with `source` as the failing object.
void writeWholeFile(const QString& path, const QByteArray& content, const QString& source);

// The whole file read as UTF-8 text. Throws AppError (53 when it does not exist, 75 when it
// cannot be read) with `source` as the failing object.
QString readWholeFile(const QString& path, const QString& source);

// The lines of a text file as they were written, without their line ends. The program writes
// UTF-8; a file written in the old Windows code page still reads. Throws AppError as
// readWholeFile does, with the file's name as the failing object.
QStringList readLines(const QString& path);

}  // namespace tavrel
