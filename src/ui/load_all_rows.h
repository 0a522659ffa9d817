#pragma once

class QSqlQuery;
class QSqlQueryModel;

namespace tavrel {

// A query model left to fetch lazily keeps its statement open past its first 256 rows. On
// SQLite that is an open read: its snapshot makes this connection's next write fail with
// "database is locked" once another connection has written, and keeps the write-ahead log
// from being checkpointed. Grids whose rows are few (registers, one exchange) read them all.

// Reads every row `model` still holds back; reading past the last row finishes the statement
// (the driver resets it at its end).
void fetchAllRows(QSqlQueryModel& model);

// Binds `model` to `query` and reads every row at once, so no statement stays open between
// fetches.
void loadAllRows(QSqlQueryModel& model, QSqlQuery&& query);

}  // namespace tavrel
