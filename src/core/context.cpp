#include "core/context.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tavrel {

QString Context::dataPath(const QString& fileName) const {
    return QDir(dataFolder).filePath(fileName);
}

QString Context::writablePath(const QString& fileName) const {
    return QDir(writableFolder.isEmpty() ? programFolder : writableFolder).filePath(fileName);
}

QString chooseWritableFolder(const QString& programFolder) {
    // QFileInfo::isWritable is unreliable for folders on some file systems: try a real file.
    QTemporaryFile probe(QDir(programFolder).filePath(QStringLiteral(".tavrel-write-test-XXXXXX")));
    if (probe.open()) {
        return programFolder;
    }
    QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(appData);
    return appData;
}

}  // namespace tavrel
