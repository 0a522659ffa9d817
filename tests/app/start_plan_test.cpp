#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/start_plan.h"
#include "app/sys_ini.h"
#include "core/context.h"
#include "core/errors.h"
#include "support/printers.h"

namespace tavrel {
namespace {

TEST(SysIni, OnlyTheLastLineCountsWhateverTheLineEndings) {
    const struct {
        QByteArray content;
        std::optional<QString> expected;
    } cases[] = {
        {"/dados/antigo\r\n/dados/novo\r\n", QStringLiteral("/dados/novo")},
        {"/dados/antigo\r\n/dados/novo", QStringLiteral("/dados/novo")},
        {"/dados/antigo\n/dados/novo\n", QStringLiteral("/dados/novo")},
        {"/dados/um\r\n", QStringLiteral("/dados/um")},
        {"/dados/um\r\n\r\n", QString()},  // a blank last line names nothing
        {"/dados/ação\r\n", QStringLiteral("/dados/ação")},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lastLine(c.content), c.expected) << c.content.toStdString();
    }
}

TEST(SysIni, AMissingMarkerIsToldApartFromAnEmptyOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sys.ini");
    EXPECT_EQ(readSysIni(path), std::nullopt);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(readSysIni(path), QString());
}

TEST(SysIni, TheWritableCopyWinsAndTheProgramFolderCopyIsTheFallback) {
    QTemporaryDir program;
    QTemporaryDir writable;
    Context context;
    context.programFolder = program.path();
    context.writableFolder = writable.path();
    EXPECT_EQ(sysIniPath(context), writable.filePath("sys.ini")) << "where the installer writes";

    QFile beside(program.filePath("sys.ini"));
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(sysIniPath(context), program.filePath("sys.ini"));

    QFile own(writable.filePath("sys.ini"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    EXPECT_EQ(sysIniPath(context), writable.filePath("sys.ini"));
}

TEST(StartPlan, DecidesBetweenInstallerMessagesAndLogin) {
    QTemporaryDir program;
    QTemporaryDir data;
    ASSERT_TRUE(QDir(program.path()).mkdir("dados"));
    QFile notAFolder(program.filePath("arquivo"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();

    EXPECT_EQ(planStart(std::nullopt, program.path()).step, StartStep::Install);
    EXPECT_EQ(planStart(QString(), program.path()).step, StartStep::NoFolderNamed);
    EXPECT_EQ(planStart(QStringLiteral("   "), program.path()).step, StartStep::NoFolderNamed);

    const StartPlan missing = planStart(data.filePath("nao-existe"), program.path());
    EXPECT_EQ(missing.step, StartStep::FolderMissing);
    EXPECT_EQ(missing.dataFolder, data.filePath("nao-existe"));
    EXPECT_EQ(planStart(program.filePath("arquivo"), program.path()).step,
              StartStep::FolderMissing);

    const StartPlan login = planStart(data.path(), program.path());
    EXPECT_EQ(login.step, StartStep::Login);
    EXPECT_EQ(login.dataFolder, data.path());
    // A relative folder is the program's, wherever the program was started from.
    const StartPlan relative = planStart(QStringLiteral("dados"), program.path());
    EXPECT_EQ(relative.step, StartStep::Login);
    EXPECT_EQ(relative.dataFolder, program.filePath("dados"));
}

}  // namespace
}  // namespace tavrel
