#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace tavrel {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
    // A running program holds the lock for hours: only a dead owner makes it stale, never age.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    return lock_->isLocked() || lock_->tryLock(0);
}

bool SingleInstance::heldByAnother() const {
    return lock_->error() == QLockFile::LockFailedError;
}

QString SingleInstance::path() const {
    return lock_->fileName();
}

QString instanceLockPath(const QString& programFolder, const QString& writableFolder) {
    const QString program = QFileInfo(programFolder).absoluteFilePath();
    const QString writable = QFileInfo(writableFolder).absoluteFilePath();
    if (writable == program) {
        return QDir(writable).filePath(QStringLiteral("tavrel.lock"));
    }
    const QByteArray digest =
        QCryptographicHash::hash(program.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QDir(writable).filePath(
        QStringLiteral("tavrel-%1.lock").arg(QString::fromLatin1(digest)));
}

}  // namespace tavrel
