#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/errors.h"
#include "data/connection.h"
#include "data/data_folder.h"
#include "data/sql.h"
#include "support/file_faults.h"
#include "support/printers.h"

namespace tavrel {
namespace {

const QStringList kDatabases = {"cheques.db", "caixa.db", "menu.db", "tutorial.db"};

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A templates folder with two templates.
class Templates {
public:
    Templates() {
        writeFile(path("troca.rpt"), "title: Troca\n");
        writeFile(path("BAIXAS.RPT"), "title: Baixas\n");
    }
    QString path(const QString& name = {}) const {
        return name.isEmpty() ? dir_.path() : QDir(dir_.path()).filePath(name);
    }

private:
    QTemporaryDir dir_;
};

// The failure prepareDataFolder throws, or a test failure when it throws none.
AppError failureOf(const QString& folder, const QString& templates = {}) {
    try {
        prepareDataFolder(folder, templates);
    } catch (const AppError& error) {
        return error;
    }
    ADD_FAILURE() << "the folder was prepared";
    return AppError(0, {}, {});
}

TEST(DataFolder, MissingTemplatesAreCopiedAtEveryStartWhateverTheirLetterCase) {
    Templates templates;
    QTemporaryDir data;
    const QDir folder(data.path());
    DataFolderReport report = prepareDataFolder(data.path(), templates.path());
    EXPECT_EQ(report.createdDatabases, kDatabases);
    EXPECT_EQ(report.copiedTemplates, (QStringList{"BAIXAS.RPT", "troca.rpt"}));
    EXPECT_TRUE(report.problems.empty());

    // The operator removed one and keeps his own version of the other under another case.
    QFile::remove(folder.filePath("troca.rpt"));
    QFile::rename(folder.filePath("BAIXAS.RPT"), folder.filePath("baixas.rpt"));
    writeFile(folder.filePath("baixas.rpt"), "title: Baixas do operador\n");
    report = prepareDataFolder(data.path(), templates.path());
    EXPECT_TRUE(report.createdDatabases.isEmpty());
    EXPECT_EQ(report.copiedTemplates, QStringList{"troca.rpt"});
    EXPECT_EQ(readAll(folder.filePath("troca.rpt")), "title: Troca\n");
    EXPECT_EQ(readAll(folder.filePath("baixas.rpt")), "title: Baixas do operador\n");
    EXPECT_FALSE(QFile::exists(folder.filePath("BAIXAS.RPT"))) << "not doubled";
}

TEST(DataFolder, WhatAnInterruptedStartLeftIsRemovedAndNothingElse) {
    QTemporaryDir data;
    const QDir folder(data.path());
    writeFile(folder.filePath("cheques.db.partial"), "half a database");
    writeFile(folder.filePath("cheques.db.partial-journal"), "its journal");
    writeFile(folder.filePath("troca.rpt.partial"), "half a template");
    writeFile(folder.filePath("video.mp4.partial"), "the operator's download");
    prepareDataFolder(data.path());
    EXPECT_EQ(folder.entryList(QDir::Files), (QStringList{"caixa.db", "cheques.db", "menu.db",
                                                          "tutorial.db", "video.mp4.partial"}));
    Connection cheques(folder.filePath("cheques.db"), DatabaseKind::Cheques);
    EXPECT_EQ(scalarSql(cheques.db(), "SELECT COUNT(*) FROM CONFIG").toInt(), 1);
}

TEST(DataFolder, AMissingOrEmptyTemplatesFolderIsReportedWhenTheDataFolderNeedsIt) {
    QTemporaryDir data;
    QTemporaryDir programFolder;
    const QString noTemplates = QDir(programFolder.path()).filePath("templates");
    DataFolderReport report = prepareDataFolder(data.path(), noTemplates);
    EXPECT_EQ(report.createdDatabases.size(), 4);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].number(), error_number::kFileNotFound);
    EXPECT_TRUE(report.problems[0].description().startsWith(
        QStringLiteral("A pasta de modelos de relatório ") + noTemplates +
        QStringLiteral(" não existe ou está vazia")));

    // Still nothing to print with at the next start: said again.
    ASSERT_TRUE(QDir().mkpath(noTemplates));
    EXPECT_EQ(prepareDataFolder(data.path(), noTemplates).problems.size(), 1u);

    // A data folder that has its templates does not need the program's.
    writeFile(QDir(data.path()).filePath("troca.rpt"), "title: Troca\n");
    EXPECT_TRUE(prepareDataFolder(data.path(), noTemplates).problems.empty());
}

TEST(DataFolder, ATemplateThatCannotBeCopiedIsReportedAndTheOthersAreCopied) {
    Templates templates;
    QTemporaryDir data;
    {
        test::Permissions unreadable(templates.path("troca.rpt"), {});
        test::PermissionsEnforced enforced;
        const DataFolderReport report = prepareDataFolder(data.path(), templates.path());
        EXPECT_EQ(report.copiedTemplates, QStringList{"BAIXAS.RPT"});
        ASSERT_EQ(report.problems.size(), 1u);
        EXPECT_EQ(report.problems[0].number(), error_number::kFileAccess);
        EXPECT_TRUE(report.problems[0].description().contains("troca.rpt ("))
            << report.problems[0].description().toStdString();
    }
    EXPECT_EQ(QDir(data.path()).entryList({"*.rpt*"}, QDir::Files), QStringList{"BAIXAS.RPT"})
        << "no half copy left";
    EXPECT_EQ(prepareDataFolder(data.path(), templates.path()).copiedTemplates,
              QStringList{"troca.rpt"})
        << "tried again at the next start";
}

// --- faults that stop the start: each told apart, nothing written ----------------------------

class DataFolderFaults : public ::testing::Test {
protected:
    DataFolderFaults() { prepareDataFolder(data.path()); }
    QString path(const QString& name) const { return QDir(data.path()).filePath(name); }

    QTemporaryDir data;
};

TEST_F(DataFolderFaults, AFolderThatCannotBeWrittenIsSaidSo) {
    const auto before = test::folderDigest(data.path());
    test::Permissions readOnly(data.path(), QFile::ReadOwner | QFile::ExeOwner);
    test::PermissionsEnforced enforced;
    const AppError error = failureOf(data.path());
    EXPECT_EQ(error.number(), error_number::kPermissionDenied);
    EXPECT_TRUE(
        error.description().startsWith("A pasta de dados " + data.path() + " não pode ser gravada"))
        << error.description().toStdString();
    EXPECT_EQ(test::folderDigest(data.path()), before);
}

TEST_F(DataFolderFaults, AFullDiskIsSaidSoAndLeavesNoSideFiles) {
    const auto before = test::folderDigest(data.path());
    AppError error(0, {}, {});
    {
        test::NoRoomToWrite full;
        error = failureOf(data.path());
    }
    EXPECT_EQ(error.number(), error_number::kDiskFull);
    EXPECT_TRUE(
        error.description().startsWith("O disco da pasta de dados " + data.path() + " está cheio"))
        << error.description().toStdString();
    EXPECT_EQ(test::folderDigest(data.path()), before);
}

TEST_F(DataFolderFaults, AFullDiskAtTheFirstStartLeavesTheFolderEmpty) {
    QTemporaryDir empty;
    AppError error(0, {}, {});
    {
        test::NoRoomToWrite full;
        error = failureOf(empty.path());
    }
    EXPECT_EQ(error.number(), error_number::kDiskFull);
    EXPECT_TRUE(QDir(empty.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << QDir(empty.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
}

TEST_F(DataFolderFaults, ADamagedFileIsToldFromAForeignOne) {
    // The table list of caixa.db is overwritten; its header still says it is ours.
    {
        QFile file(path("caixa.db"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(100);
        file.write(QByteArray(40, '\xff'));
    }
    auto before = test::folderDigest(data.path());
    AppError error = failureOf(data.path());
    EXPECT_EQ(error.number(), error_number::kDamagedDatabase);
    EXPECT_TRUE(error.description().startsWith("O arquivo " + path("caixa.db") +
                                               " está danificado e não foi alterado"))
        << error.description().toStdString();
    EXPECT_EQ(test::folderDigest(data.path()), before);

    // Bytes of another kind where the file should start: not a database of ours at all.
    {
        QFile file(path("menu.db"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(16, 'x'));
    }
    QFile::remove(path("caixa.db"));
    before = test::folderDigest(data.path());
    error = failureOf(data.path());
    EXPECT_EQ(error.number(), error_number::kNotOurDatabase);
    EXPECT_EQ(error.description(), "O arquivo " + path("menu.db") +
                                       " não é um banco de dados do sistema e não será alterado.");
    EXPECT_EQ(test::folderDigest(data.path()), before) << "caixa.db not made beside a bad file";
}

}  // namespace
}  // namespace tavrel
