#pragma once

#include <QString>
#include <QStringList>

namespace tavrel {

// The data folder: the four databases and the report templates.
// Creates every database file that is missing, with its full schema and first rows, and copies
// the report templates from `templatesFolder` when the main database is created. Returns the
// names of the files it created (empty when everything was there). Existing files are opened
// and checked; a file that is not ours throws and is left untouched.
QStringList prepareDataFolder(const QString& dataFolder, const QString& templatesFolder = {});

// True when the folder holds the main database.
bool hasMainDatabase(const QString& dataFolder);

}  // namespace tavrel
