#pragma once

#include <sys/resource.h>
#include <QFileDevice>
#include <QString>
#include <QStringList>

namespace tavrel::test {

// Every file of a folder (hidden ones too) as "name sha256", in name order: two equal lists mean
// nothing was created, removed or changed there.
QStringList folderDigest(const QString& folder);

// While it lives, this process is held to the permission bits even when it runs as root (as on
// the build machines), so a folder made read-only really refuses it.
class PermissionsEnforced {
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced&) = delete;
    PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;

private:
    bool dropped_ = false;
};

// While it lives, `path` (a folder or a file) has only the given permissions.
class Permissions {
public:
    Permissions(const QString& path, QFileDevice::Permissions permissions);
    ~Permissions();
    Permissions(const Permissions&) = delete;
    Permissions& operator=(const Permissions&) = delete;

private:
    QString path_;
    QFileDevice::Permissions saved_;
};

// While it lives, no file of this process can grow, as on a full disk: creating an empty file
// still works, writing a byte into it fails. Output written to a file (not to a pipe or a
// terminal) fails as well meanwhile.
class NoRoomToWrite {
public:
    NoRoomToWrite();
    ~NoRoomToWrite();
    NoRoomToWrite(const NoRoomToWrite&) = delete;
    NoRoomToWrite& operator=(const NoRoomToWrite&) = delete;

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
};

}  // namespace tavrel::test
