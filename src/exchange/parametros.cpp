#include "exchange/parametros.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include "core/errors.h"
#include "data/sql.h"

namespace tavrel {
namespace {

// Columns in the order of the SELECT and UPDATE statements below.
const char* const kColumns[] = {"cr_numerodias",  "vl_diasminimo", "st_incluirdias", "vl_dmais",
                                "st_dia",         "st_cpmf",       "vl_cpmf",        "st_iof",
                                "vl_iof",         "st_advalorem",  "vl_advalorem",   "st_custodia",
                                "vl_custodia",    "st_tac",        "vl_tac",         "st_tacper",
                                "vl_tacper",      "st_consulta",   "vl_consulta",    "st_jzero",
                                "vl_concentracao"};

QString columnList(const QString& separator) {
    QStringList names;
    for (const char* column : kColumns) {
        names << QString::fromLatin1(column) + separator;
    }
    return names.join(QStringLiteral(", "));
}

}  // namespace

Parametros carregaParametros(const QSqlDatabase& db) {
    QSqlQuery query =
        runSql(db, QStringLiteral("SELECT %1 FROM CONFIG ORDER BY id LIMIT 1").arg(columnList({})));
    if (!query.next()) {
        throw AppError(error_number::kDatabase,
                       QStringLiteral("A tabela de parâmetros está vazia: defina os valores das "
                                      "taxas no módulo Parâmetros."),
                       QStringLiteral("CONFIG"));
    }
    int i = 0;
    auto flag = [&] { return query.value(i++).toInt() != 0; };
    auto number = [&] { return query.value(i++).toDouble(); };
    Parametros p;
    p.cr_numerodias = flag();
    p.vl_diasminimo = number();
    p.st_incluirdias = flag();
    p.vl_dmais = number();
    p.st_dia = flag();
    p.st_cpmf = flag();
    p.vl_cpmf = number();
    p.st_iof = flag();
    p.vl_iof = number();
    p.st_advalorem = flag();
    p.vl_advalorem = number();
    p.st_custodia = flag();
    p.vl_custodia = number();
    p.st_tac = flag();
    p.vl_tac = number();
    p.st_tacper = flag();
    p.vl_tacper = number();
    p.st_consulta = flag();
    p.vl_consulta = number();
    p.st_jzero = flag();
    p.vl_concentracao = number();
    return p;
}

void gravaParametros(const QSqlDatabase& db, const Parametros& p) {
    const QVariantList values = {int(p.cr_numerodias),
                                 p.vl_diasminimo,
                                 int(p.st_incluirdias),
                                 p.vl_dmais,
                                 int(p.st_dia),
                                 int(p.st_cpmf),
                                 p.vl_cpmf,
                                 int(p.st_iof),
                                 p.vl_iof,
                                 int(p.st_advalorem),
                                 p.vl_advalorem,
                                 int(p.st_custodia),
                                 p.vl_custodia,
                                 int(p.st_tac),
                                 p.vl_tac,
                                 int(p.st_tacper),
                                 p.vl_tacper,
                                 int(p.st_consulta),
                                 p.vl_consulta,
                                 int(p.st_jzero),
                                 p.vl_concentracao};
    const QString sql =
        QStringLiteral("UPDATE CONFIG SET %1 WHERE id = (SELECT MIN(id) FROM CONFIG)")
            .arg(columnList(QStringLiteral(" = ?")));
    runSql(db, sql, values);
}

}  // namespace tavrel
