#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace tavrel {

// Keeps a second copy of the program in the same folder from running. The lock is a file
// holding the owner's process id: a lock left behind by a copy that crashed names a process
// that no longer runs, and is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy now holds the lock (or already held it).
    bool acquire();
    // After a refused acquire: true when another running copy holds the lock, false when the
    // lock file could not be written at all (a full disk, a folder that cannot be written).
    bool heldByAnother() const;
    QString path() const;

private:
    std::unique_ptr<QLockFile> lock_;
};

// The lock file of the copy whose program folder is `programFolder`, kept in its writable
// folder. When that is a shared folder (the user's application data), the name carries the
// program folder so that copies installed in different folders do not block each other.
QString instanceLockPath(const QString& programFolder, const QString& writableFolder);

}  // namespace tavrel
