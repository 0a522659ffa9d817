#pragma once

#include <QString>
#include <QStringList>

namespace tavrel {

// Opens `path` for appending, writes each line followed by CR LF, and closes it again.
// Returns false when the file could not be opened or written.
bool appendLines(const QString& path, const QStringList& lines);

// The lines of a text file as they were written, without their line ends. The program writes
// UTF-8; a file written in the old Windows code page still reads. Throws AppError: 53 when the
// file is missing, 75 when it cannot be read.
QStringList readLines(const QString& path);

}  // namespace tavrel
