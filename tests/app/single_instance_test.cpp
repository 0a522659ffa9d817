#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

#include "app/single_instance.h"
#include "support/printers.h"

namespace tavrel {
namespace {

TEST(SingleInstance, ASecondCopyIsRefusedWhileTheFirstRuns) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tavrel.lock");
    auto first = std::make_unique<SingleInstance>(path);
    ASSERT_TRUE(first->acquire());
    SingleInstance second(path);
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(first->acquire()) << "the running copy keeps its lock";

    first.reset();  // the first copy ends
    EXPECT_TRUE(second.acquire());
}

TEST(SingleInstance, ALockLeftByACrashedCopyDoesNotBlockTheNextStart) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tavrel.lock");
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // The crashed copy: takes the lock and dies without releasing it.
        QLockFile lock(path);
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFileInfo::exists(path)) << "the dead copy's lock is still on disk";

    SingleInstance next(path);
    EXPECT_TRUE(next.acquire());
}

TEST(SingleInstance, CopiesInDifferentFoldersSharingAWritableFolderDoNotBlockEachOther) {
    QTemporaryDir shared;
    EXPECT_EQ(instanceLockPath(shared.path(), shared.path()), shared.filePath("tavrel.lock"));
    const QString first = instanceLockPath("/opt/tavrel", shared.path());
    const QString second = instanceLockPath("/home/ana/tavrel", shared.path());
    EXPECT_NE(first, second);
    EXPECT_EQ(first, instanceLockPath("/opt/tavrel", shared.path()));
    EXPECT_EQ(QFileInfo(first).path(), shared.path());
}

}  // namespace
}  // namespace tavrel
