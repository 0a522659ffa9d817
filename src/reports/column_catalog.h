#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class QSqlDatabase;

namespace tavrel {

// The tables of a database and their columns, with the names as the schema spells them. Lookups
// ignore letter case, as the screens and templates spell the same column in several ways.
class ColumnCatalog {
public:
    void addTable(const QString& table, const QStringList& columns);

    // The schema's spelling of a table or column, or an empty text when there is none.
    QString table(const QString& name) const;
    QString column(const QString& table, const QString& name) const;

private:
    struct Table {
        QString name;
        QHash<QString, QString> columns;  // upper-case name -> schema name
    };
    QHash<QString, Table> tables_;  // upper-case name -> table
};

// Reads every table and column of the database (sqlite_master and pragma_table_info).
ColumnCatalog readColumnCatalog(const QSqlDatabase& db);

// A column a report reads: the table (or the alias the report gives it) and the column, both
// as they appear in the generated SQL.
struct ColumnRef {
    QString table;
    QString column;

    QString sql() const;  // "CHEQUES"."CD_TROCA"
    QString key() const { return table.toUpper() + QLatin1Char('.') + column.toUpper(); }
};

// The tables one report reads (its main table and its joins, some under an alias) and the
// columns they have. Only these columns can appear in the report's SQL.
class ColumnScope {
public:
    explicit ColumnScope(const ColumnCatalog& catalog) : catalog_(catalog) {}

    // Adds a table under a name (the table's own name or an alias). Throws SyntaxError (without
    // a position) when the table does not exist or the name is taken.
    void addTable(const QString& table, const QString& alias = {});

    // The column as the SQL will name it. Throws SyntaxError (without a position) when the
    // table is not part of the report or has no such column.
    ColumnRef resolve(const QString& table, const QString& column) const;

private:
    struct Entry {
        QString name;   // as the SQL names it
        QString table;  // the real table
    };
    const ColumnCatalog& catalog_;
    QHash<QString, Entry> names_;  // upper-case name -> entry
};

// An identifier between double quotes, for SQL.
QString quoteIdentifier(const QString& name);

}  // namespace tavrel
