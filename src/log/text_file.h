#pragma once

#include <QString>
#include <QStringList>

namespace tavrel {

// Opens `path` for appending, writes each line followed by CR LF, and closes it again.
// Returns false when the file could not be opened or written.
bool appendLines(const QString& path, const QStringList& lines);

}  // namespace tavrel
