#include "log/text_file.h"

#include <QFile>

namespace tavrel {

bool appendLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::Append)) {
        return false;
    }
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written;
}

}  // namespace tavrel
