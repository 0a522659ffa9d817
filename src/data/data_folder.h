#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/errors.h"

namespace tavrel {

// What preparing the data folder did, and what the operator must be told.
struct DataFolderReport {
    QStringList createdDatabases;  // file names of the databases made this time
    QStringList copiedTemplates;   // report templates that were missing and were copied
    // Faults that do not stop the program: templates that could not be copied, a templates
    // folder that is missing when the data folder needs it.
    std::vector<AppError> problems;
};

// The data folder: the four databases and the report templates.
//
// Every existing database is opened and checked first; a file that cannot be used (not ours,
// damaged, in a folder that cannot be written, on a full disk) throws a message saying which,
// and nothing is written. Then every missing database is made under a temporary name and
// renamed into place once complete, so a start killed half-way leaves no half-made file (what
// it left is removed at the next start). Finally every report template of `templatesFolder`
// missing from the data folder is copied, at every start (`templatesFolder` empty: none).
DataFolderReport prepareDataFolder(const QString& dataFolder, const QString& templatesFolder = {});

// True when the folder holds the main database.
bool hasMainDatabase(const QString& dataFolder);

}  // namespace tavrel
