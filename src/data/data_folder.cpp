#include "data/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/errors.h"
#include "data/connection.h"

namespace tavrel {

bool hasMainDatabase(const QString& dataFolder) {
    return QFileInfo::exists(QDir(dataFolder).filePath(databaseFileName(DatabaseKind::Cheques)));
}

QStringList prepareDataFolder(const QString& dataFolder, const QString& templatesFolder) {
    const QDir folder(dataFolder);
    if (dataFolder.isEmpty() || !folder.exists()) {
        throw AppError(error_number::kFileNotFound,
                       QStringLiteral("A pasta de dados \"%1\" não existe.").arg(dataFolder),
                       QStringLiteral("Pasta de dados"));
    }
    QStringList created;
    for (DatabaseKind kind :
         {DatabaseKind::Cheques, DatabaseKind::Caixa, DatabaseKind::Menu, DatabaseKind::Tutorial}) {
        const QString name = databaseFileName(kind);
        Connection connection(folder.filePath(name), kind, Connection::Mode::CreateIfMissing);
        if (connection.created()) {
            created << name;
        }
    }
    if (created.contains(databaseFileName(DatabaseKind::Cheques)) && !templatesFolder.isEmpty()) {
        const QDir templates(templatesFolder);
        const QStringList files =
            templates.entryList({QStringLiteral("*.rpt"), QStringLiteral("*.RPT")}, QDir::Files);
        for (const QString& file : files) {
            const QString target = folder.filePath(file);
            if (!QFileInfo::exists(target)) {
                QFile::copy(templates.filePath(file), target);
            }
        }
    }
    return created;
}

}  // namespace tavrel
