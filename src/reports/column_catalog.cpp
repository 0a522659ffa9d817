#include "reports/column_catalog.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include "data/sql.h"
#include "reports/syntax.h"

namespace tavrel {

void ColumnCatalog::addTable(const QString& table, const QStringList& columns) {
    Table entry{table, {}};
    for (const QString& column : columns) {
        entry.columns.insert(column.toUpper(), column);
    }
    tables_.insert(table.toUpper(), entry);
}

QString ColumnCatalog::table(const QString& name) const {
    const auto found = tables_.constFind(name.toUpper());
    return found == tables_.cend() ? QString() : found->name;
}

QString ColumnCatalog::column(const QString& table, const QString& name) const {
    const auto found = tables_.constFind(table.toUpper());
    return found == tables_.cend() ? QString() : found->columns.value(name.toUpper());
}

ColumnCatalog readColumnCatalog(const QSqlDatabase& db) {
    ColumnCatalog catalog;
    QStringList tables;
    {
        QSqlQuery query = runSql(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                                    "'table' AND name NOT LIKE 'sqlite_%'"));
        while (query.next())
            tables << query.value(0).toString();
    }
    for (const QString& table : tables) {
        QStringList columns;
        QSqlQuery query =
            runSql(db, QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
        while (query.next())
            columns << query.value(0).toString();
        catalog.addTable(table, columns);
    }
    return catalog;
}

QString quoteIdentifier(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString ColumnRef::sql() const {
    return quoteIdentifier(table) + QLatin1Char('.') + quoteIdentifier(column);
}

void ColumnScope::addTable(const QString& table, const QString& alias) {
    const QString real = catalog_.table(table);
    if (real.isEmpty()) {
        throw SyntaxError{-1,
                          QStringLiteral("a tabela %1 não existe no banco de dados").arg(table)};
    }
    const QString name = alias.isEmpty() ? real : alias;
    if (names_.contains(name.toUpper())) {
        throw SyntaxError{
            -1,
            QStringLiteral("a tabela %1 aparece duas vezes; dê um nome (as=) à segunda").arg(name)};
    }
    names_.insert(name.toUpper(), Entry{name, real});
}

ColumnRef ColumnScope::resolve(const QString& table, const QString& column) const {
    const auto found = names_.constFind(table.toUpper());
    if (found == names_.cend()) {
        if (catalog_.table(table).isEmpty()) {
            throw SyntaxError{
                -1, QStringLiteral("a tabela %1 não existe no banco de dados").arg(table)};
        }
        throw SyntaxError{-1,
                          QStringLiteral("a tabela %1 não faz parte deste relatório").arg(table)};
    }
    const QString real = catalog_.column(found->table, column);
    if (real.isEmpty()) {
        throw SyntaxError{
            -1, QStringLiteral("a tabela %1 não tem a coluna %2").arg(found->name, column)};
    }
    return ColumnRef{found->name, real};
}

}  // namespace tavrel
