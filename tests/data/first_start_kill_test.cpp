#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <random>
#include <thread>

#include "data/connection.h"
#include "data/data_folder.h"
#include "data/sql.h"
#include "support/printers.h"

namespace tavrel {
namespace {

const QString kChild = QStringLiteral(TAVREL_FIRST_START_CHILD);
const QString kTemplates = QStringLiteral(TAVREL_TEMPLATES_DIR);

// Starts the child on `folder` and waits for it to be about to create it.
bool startChild(QProcess& child, const QString& folder) {
    child.start(kChild, {folder, kTemplates});
    return child.waitForStarted(10000) && child.waitForReadyRead(10000) &&
           child.readLine().startsWith("pronto");
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The folder starts: every database opens with its first rows, every template is there whole,
// and nothing else is left beside them.
void expectStarts(const QString& folder) {
    ASSERT_NO_THROW(prepareDataFolder(folder, kTemplates));
    const QDir data(folder);
    Connection cheques(data.filePath("cheques.db"), DatabaseKind::Cheques);
    EXPECT_EQ(scalarSql(cheques.db(), "SELECT COUNT(*) FROM CONFIG").toInt(), 1);
    Connection menu(data.filePath("menu.db"), DatabaseKind::Menu);
    EXPECT_EQ(scalarSql(menu.db(), "SELECT COUNT(*) FROM CONFIG").toInt(), 21);
    Connection caixa(data.filePath("caixa.db"), DatabaseKind::Caixa);
    Connection tutorial(data.filePath("tutorial.db"), DatabaseKind::Tutorial);

    const QStringList templates = QDir(kTemplates).entryList({"*.rpt"}, QDir::Files);
    for (const QString& name : templates) {
        EXPECT_EQ(readAll(data.filePath(name)), readAll(QDir(kTemplates).filePath(name)))
            << name.toStdString();
    }
    QStringList expected = templates;
    expected += QStringList{"cheques.db", "caixa.db", "menu.db", "tutorial.db"};
    expected.sort();
    QStringList found = data.entryList(QDir::Files | QDir::Hidden);
    found.sort();
    found.removeIf([](const QString& name) {
        return name.endsWith("-wal") || name.endsWith("-shm");  // of the connections open here
    });
    EXPECT_EQ(found, expected);
}

// True when a killed creation had not finished: some database or template is not there.
bool leftUnfinished(const QString& folder) {
    const QDir data(folder);
    for (const char* name : {"cheques.db", "caixa.db", "menu.db", "tutorial.db"}) {
        if (!data.exists(QString::fromLatin1(name))) {
            return true;
        }
    }
    return data.entryList({"*.rpt"}, QDir::Files).size() <
           QDir(kTemplates).entryList({"*.rpt"}, QDir::Files).size();
}

TEST(FirstStart, AFolderWhoseCreationWasKilledAtAnyMomentStillStarts) {
    // How long one creation takes on this machine, so the kills fall inside it.
    std::chrono::microseconds creation{};
    {
        QTemporaryDir folder;
        QProcess child;
        ASSERT_TRUE(startChild(child, folder.path()));
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(child.waitForReadyRead(30000));
        creation = std::chrono::microseconds(timer.nsecsElapsed() / 1000);
        ASSERT_TRUE(child.readLine().startsWith("feito"))
            << child.readAllStandardError().toStdString();
        child.waitForFinished(30000);
    }

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(::testing::Message()
                 << "seed " << seed << ", creation " << creation.count() << " us");
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> moment(0, static_cast<long>(creation.count()));
    int unfinished = 0;
    for (int kill = 0; kill < 50; ++kill) {
        QTemporaryDir folder;
        QProcess child;
        ASSERT_TRUE(startChild(child, folder.path()));
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        child.kill();
        child.waitForFinished(10000);
        if (leftUnfinished(folder.path())) {
            ++unfinished;
        }
        SCOPED_TRACE(::testing::Message() << "kill " << kill);
        expectStarts(folder.path());
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
    // The kills must really have interrupted creations, or this proves nothing.
    EXPECT_GE(unfinished, 10);
}

}  // namespace
}  // namespace tavrel
