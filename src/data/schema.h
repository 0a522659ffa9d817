#pragma once

#include <QSqlDatabase>

#include "data/connection.h"

namespace tavrel {

// Each kind of database carries its own application id, so a file of another program (or one
// of our files put in the wrong place) is recognised and refused without being written to.
int applicationId(DatabaseKind kind);
// The schema version this build writes (PRAGMA user_version).
int currentSchemaVersion(DatabaseKind kind);

// Called by Connection on every open: checks the file is ours, sets the connection's pragmas and
// brings the schema up to date. `isNew` means the file was just created empty: it is then
// written without disk syncs (see Connection::Mode::CreateIfMissing).
void openSchema(QSqlDatabase db, DatabaseKind kind, bool isNew);

}  // namespace tavrel
