#include "support/file_faults.h"

#include <linux/capability.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <cstring>

namespace tavrel::test {
namespace {

// The capabilities that let root write and read whatever the permission bits say.
constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

bool capabilities(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

bool setCapabilities(__user_cap_data_struct (&data)[2]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

QStringList folderDigest(const QString& folder) {
    QStringList digests;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        const QByteArray digest =
            file.open(QIODevice::ReadOnly)
                ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex()
                : QByteArray("unreadable");
        digests << name + QLatin1Char(' ') + QString::fromLatin1(digest);
    }
    return digests;
}

PermissionsEnforced::PermissionsEnforced() {
    __user_cap_data_struct data[2]{};
    if (capabilities(data) && (data[0].effective & kOverrides) != 0) {
        // Only the effective set changes: the permitted set keeps them for the way back.
        data[0].effective &= ~kOverrides;
        dropped_ = setCapabilities(data);
    }
}

PermissionsEnforced::~PermissionsEnforced() {
    __user_cap_data_struct data[2]{};
    if (dropped_ && capabilities(data)) {
        data[0].effective |= kOverrides & data[0].permitted;
        setCapabilities(data);
    }
}

Permissions::Permissions(const QString& path, QFileDevice::Permissions permissions)
    : path_(path), saved_(QFile::permissions(path)) {
    QFile::setPermissions(path, permissions);
}

Permissions::~Permissions() {
    QFile::setPermissions(path_, saved_);
}

NoRoomToWrite::NoRoomToWrite() {
    // Past the limit the kernel sends SIGXFSZ, which would end the program: ignored, the write
    // just fails (EFBIG), as a write on a full disk fails (ENOSPC).
    savedHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit none = saved_;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
}

NoRoomToWrite::~NoRoomToWrite() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, savedHandler_);
}

}  // namespace tavrel::test
