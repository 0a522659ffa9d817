#include "data/open_failure.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstdlib>

#include "core/errors.h"

namespace tavrel {
namespace {

// SQLite's primary result codes: the low byte of the extended code the driver reports.
enum SqliteCode {
    kPerm = 3,
    kReadOnly = 8,
    kIoError = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kNotADatabase = 26,
};

FolderWrite fromErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return FolderWrite::NotPermitted;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:  // a file size limit: no room either
            return FolderWrite::NoRoom;
        default:
            return FolderWrite::Failed;
    }
}

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

const QString kSource = QStringLiteral("Banco de dados");

}  // namespace

FolderWrite probeFolderWrite(const QString& folder) {
    QByteArray name = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".tavrel-XXXXXX")));
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return fromErrno(errno);
    }
    // Opening a database writes a few pages: the probe asks for as much room.
    const std::array<char, 16384> block{};
    int error = 0;
    size_t done = 0;
    while (done < block.size()) {
        const ssize_t written = ::write(fd, block.data() + done, block.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        done += static_cast<size_t>(written);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    ::close(fd);
    ::unlink(name.constData());
    return error == 0 ? FolderWrite::Possible : fromErrno(error);
}

AppError notOurDatabase(const QString& path) {
    return AppError(
        error_number::kNotOurDatabase,
        QStringLiteral("O arquivo %1 não é um banco de dados do sistema e não será alterado.")
            .arg(shown(path)),
        kSource);
}

std::optional<AppError> explainOpenFailure(const QString& path, const DataError& error) {
    const int code = error.nativeCode().toInt() & 0xff;
    if (code == kCorrupt) {
        return AppError(error_number::kDamagedDatabase,
                        QStringLiteral("O arquivo %1 está danificado e não foi alterado (%2). "
                                       "Não o apague: restaure uma cópia de segurança desse "
                                       "arquivo ou procure o suporte.")
                            .arg(shown(path), error.driverMessage()),
                        kSource);
    }
    if (code == kNotADatabase) {
        return notOurDatabase(path);
    }
    // A failure without a code (a commit, as the driver reports it) may be the disk's too.
    const bool unknown = error.nativeCode().isEmpty();
    if (!unknown && code != kPerm && code != kReadOnly && code != kIoError && code != kFull &&
        code != kCantOpen) {
        return std::nullopt;
    }
    const QString folder = QFileInfo(path).absolutePath();
    switch (probeFolderWrite(folder)) {
        case FolderWrite::NotPermitted:
            return AppError(error_number::kPermissionDenied,
                            QStringLiteral("A pasta de dados %1 não pode ser gravada, e o sistema "
                                           "precisa gravar nela para abrir %2. Nada foi "
                                           "alterado. Dê ao usuário permissão de gravação "
                                           "nessa pasta.")
                                .arg(shown(folder), QFileInfo(path).fileName()),
                            kSource);
        case FolderWrite::NoRoom:
            return AppError(error_number::kDiskFull,
                            QStringLiteral("O disco da pasta de dados %1 está cheio: não há "
                                           "espaço para abrir %2. Nada foi alterado. Libere "
                                           "espaço no disco e abra o sistema de novo.")
                                .arg(shown(folder), QFileInfo(path).fileName()),
                            kSource);
        case FolderWrite::Possible:
        case FolderWrite::Failed:
            break;
    }
    if (code == kReadOnly || code == kPerm) {
        return AppError(error_number::kPermissionDenied,
                        QStringLiteral("O arquivo %1 não pode ser gravado (%2). Nada foi "
                                       "alterado. Dê ao usuário permissão de gravação nesse "
                                       "arquivo.")
                            .arg(shown(path), error.driverMessage()),
                        kSource);
    }
    if (code == kFull) {
        return AppError(error_number::kDiskFull,
                        QStringLiteral("Não há espaço para gravar %1 (%2). Nada foi alterado. "
                                       "Libere espaço no disco e abra o sistema de novo.")
                            .arg(shown(path), error.driverMessage()),
                        kSource);
    }
    return std::nullopt;
}

}  // namespace tavrel
