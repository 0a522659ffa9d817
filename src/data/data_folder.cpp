#include "data/data_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "data/connection.h"

namespace tavrel {
namespace {

const DatabaseKind kKinds[] = {DatabaseKind::Cheques, DatabaseKind::Caixa, DatabaseKind::Menu,
                               DatabaseKind::Tutorial};

// A file being made carries this suffix until it is complete.
const QString kPartial = QStringLiteral(".partial");

void removeDatabaseFiles(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
}

// What an interrupted start left: databases and templates under the temporary name, with
// their side files. Only names of ours: other files of the folder are never touched.
void removeLeftovers(const QDir& folder) {
    QStringList patterns = {QStringLiteral("*.rpt") + kPartial};
    for (DatabaseKind kind : kKinds) {
        patterns << databaseFileName(kind) + kPartial + QLatin1Char('*');
    }
    const QStringList leftovers = folder.entryList(patterns, QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers) {
        QFile::remove(folder.filePath(name));
    }
}

// Makes a rename in the folder survive a power cut, not only a killed program.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Moves the complete file into place; never replaces a file already there.
void moveIntoPlace(const QString& partial, const QString& target) {
    QFile file(partial);
    if (!file.rename(target)) {
        const QString reason = file.errorString();
        QFile::remove(partial);
        throw AppError(error_number::kFileAccess,
                       QStringLiteral("Não foi possível pôr %1 na pasta de dados: %2")
                           .arg(QDir::toNativeSeparators(target), reason),
                       QStringLiteral("Pasta de dados"));
    }
    syncFolder(QFileInfo(target).absolutePath());
}

// Makes the file's bytes durable before a rename makes it the real one.
bool syncFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && ::fsync(file.handle()) == 0;
}

void createDatabase(const QDir& folder, DatabaseKind kind) {
    const QString target = folder.filePath(databaseFileName(kind));
    const QString partial = target + kPartial;
    try {
        { Connection made(partial, kind, Connection::Mode::CreateIfMissing); }
        // Closing emptied the log into the file: a log still there would be lost in the rename.
        if (QFileInfo::exists(partial + QStringLiteral("-wal")) || !syncFile(partial)) {
            throw AppError(error_number::kFileAccess,
                           QStringLiteral("Não foi possível gravar %1 no disco.")
                               .arg(QDir::toNativeSeparators(partial)),
                           QStringLiteral("Pasta de dados"));
        }
    } catch (...) {
        removeDatabaseFiles(partial);
        throw;
    }
    moveIntoPlace(partial, target);
}

// Copies one template through a temporary name. Returns why it failed, or nothing.
QString copyTemplate(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return in.errorString();
    }
    const QByteArray content = in.readAll();
    const QString partial = target + kPartial;
    QFile out(partial);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return out.errorString();
    }
    const bool written =
        out.write(content) == content.size() && out.flush() && ::fsync(out.handle()) == 0;
    const QString writeError = out.errorString();
    out.close();
    if (!written) {
        QFile::remove(partial);
        return writeError;
    }
    if (!out.rename(target)) {
        const QString reason = out.errorString();
        QFile::remove(partial);
        return reason;
    }
    return {};
}

// Templates are found whatever the letter case of their names: a "baixas.rpt" the operator
// keeps stands for "BAIXAS.RPT" and is not doubled.
QSet<QString> fileNamesIgnoringCase(const QDir& folder) {
    QSet<QString> names;
    const QStringList files = folder.entryList(QDir::Files);
    for (const QString& name : files) {
        names.insert(name.toLower());
    }
    return names;
}

const QStringList kTemplatePatterns = {QStringLiteral("*.rpt")};  // any letter case

void copyMissingTemplates(const QDir& folder, const QString& templatesFolder,
                          DataFolderReport& report) {
    const QDir templates(templatesFolder);
    const QStringList available = QFileInfo(templatesFolder).isDir()
                                      ? templates.entryList(kTemplatePatterns, QDir::Files)
                                      : QStringList();
    if (available.isEmpty()) {
        // Only worth saying when the data folder needs them: a new folder, or one without any.
        if (!report.createdDatabases.isEmpty() ||
            folder.entryList(kTemplatePatterns, QDir::Files).isEmpty()) {
            report.problems.emplace_back(
                error_number::kFileNotFound,
                QStringLiteral("A pasta de modelos de relatório %1 não existe ou está vazia: os "
                               "modelos não foram copiados para a pasta de dados %2, e os "
                               "relatórios não poderão ser impressos. Reinstale o sistema ou "
                               "copie os arquivos .rpt para a pasta de dados.")
                    .arg(QDir::toNativeSeparators(templatesFolder),
                         QDir::toNativeSeparators(folder.path())),
                QStringLiteral("Modelos de relatório"));
        }
        return;
    }
    const QSet<QString> present = fileNamesIgnoringCase(folder);
    QStringList failures;
    for (const QString& name : available) {
        if (present.contains(name.toLower())) {
            continue;
        }
        const QString reason = copyTemplate(templates.filePath(name), folder.filePath(name));
        if (reason.isEmpty()) {
            report.copiedTemplates << name;
        } else {
            failures << QStringLiteral("%1 (%2)").arg(name, reason);
        }
    }
    if (!report.copiedTemplates.isEmpty()) {
        syncFolder(folder.path());
    }
    if (!failures.isEmpty()) {
        report.problems.emplace_back(
            error_number::kFileAccess,
            QStringLiteral("Não foi possível copiar para a pasta de dados %1 os modelos de "
                           "relatório: %2. Esses relatórios não poderão ser impressos; a cópia "
                           "será tentada de novo quando o sistema for aberto outra vez.")
                .arg(QDir::toNativeSeparators(folder.path()), failures.join(QStringLiteral("; "))),
            QStringLiteral("Modelos de relatório"));
    }
}

}  // namespace

bool hasMainDatabase(const QString& dataFolder) {
    return QFileInfo::exists(QDir(dataFolder).filePath(databaseFileName(DatabaseKind::Cheques)));
}

DataFolderReport prepareDataFolder(const QString& dataFolder, const QString& templatesFolder) {
    const QDir folder(dataFolder);
    if (dataFolder.isEmpty() || !folder.exists()) {
        throw AppError(error_number::kFileNotFound,
                       QStringLiteral("A pasta de dados \"%1\" não existe.").arg(dataFolder),
                       QStringLiteral("Pasta de dados"));
    }
    removeLeftovers(folder);

    // Every file already there must be usable before anything is made beside it.
    QList<DatabaseKind> missing;
    for (DatabaseKind kind : kKinds) {
        const QString path = folder.filePath(databaseFileName(kind));
        if (QFileInfo::exists(path)) {
            Connection check(path, kind);
        } else {
            missing << kind;
        }
    }

    DataFolderReport report;
    for (DatabaseKind kind : missing) {
        createDatabase(folder, kind);
        report.createdDatabases << databaseFileName(kind);
    }
    if (!templatesFolder.isEmpty()) {
        copyMissingTemplates(folder, templatesFolder, report);
    }
    return report;
}

}  // namespace tavrel
