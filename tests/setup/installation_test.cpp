#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/errors.h"
#include "setup/installation.h"
#include "support/printers.h"

namespace tavrel {
namespace {

QString execLine(const QString& entry) {
    for (const QString& line : entry.split('\n')) {
        if (line.startsWith("Exec="))
            return line.mid(5);
    }
    return {};
}

TEST(DesktopEntry, StartsTheProgramAtTheGivenPathQuotedWhereNeeded) {
    const struct {
        QString program;
        QString exec;
    } cases[] = {
        {"/opt/tavrel/tavrel", "/opt/tavrel/tavrel"},
        {"/home/ana/Meus Dados/tavrel", R"("/home/ana/Meus Dados/tavrel")"},
        // Inside quotes $ " ` \ are escaped, and the entry's own escaping doubles backslashes.
        {"/dados/a$b/tavrel", R"("/dados/a\\$b/tavrel")"},
        {"/dados/\"x\"/tavrel", R"("/dados/\\"x\\"/tavrel")"},
        {"/dados/100%/tavrel", "/dados/100%%/tavrel"},
    };
    for (const auto& c : cases) {
        const QString entry = desktopEntryText(c.program);
        EXPECT_EQ(execLine(entry), c.exec) << c.program.toStdString();
    }
    const QString entry = desktopEntryText("/opt/tavrel/tavrel");
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_TRUE(entry.contains("\nName=Tavrel Troca de Cheques\n"));
    EXPECT_TRUE(entry.contains("\nPath=/opt/tavrel\n"));
}

TEST(Installation, WritingReplacesTheFileOrThrowsAndLeavesItAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sys.ini");
    writeSysIni(path, "/dados/um");
    writeSysIni(path, "/dados/dois");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("/dados/dois\r\n"));

    // A folder where the file should be: nothing can be written there.
    ASSERT_TRUE(QDir(dir.path()).mkdir("ocupado"));
    EXPECT_THROW(writeSysIni(dir.filePath("ocupado"), "/dados"), AppError);
    try {
        writeDesktopShortcut(path, "/opt/tavrel/tavrel");  // the "desktop" is a file
        ADD_FAILURE() << "a shortcut in a file cannot be written";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), error_number::kFileNotFound);
    }
}

}  // namespace
}  // namespace tavrel
