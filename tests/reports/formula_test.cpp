// The selection formula: every call site's formula as the screens write it, letter case and
// blanks included, quotes inside values, and malformed formulas refused.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "reports/column_catalog.h"
#include "reports/selection_formula.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

// The tables the formulas use, spelled as the schema spells them.
ColumnCatalog catalog() {
    ColumnCatalog c;
    c.addTable(QStringLiteral("CHEQUES"),
               {QStringLiteral("id"), QStringLiteral("CD_TROCA"), QStringLiteral("CD_CLIENTE"),
                QStringLiteral("DT_DEPOSITO"), QStringLiteral("DT_TROCA"),
                QStringLiteral("CD_STATUS"), QStringLiteral("VL_CHEQUE")});
    c.addTable(QStringLiteral("CLIENTES"),
               {QStringLiteral("CD_CLIENTE"), QStringLiteral("NM_CLIENTE")});
    c.addTable(QStringLiteral("RECOMPRA"),
               {QStringLiteral("CD_lancamento"), QStringLiteral("CD_CLIENTE"),
                QStringLiteral("CD_STATUS")});
    return c;
}

SqlCondition parse(const QString& formula,
                   const QStringList& tables = {QStringLiteral("cheques"),
                                                QStringLiteral("clientes")}) {
    static const ColumnCatalog known = catalog();
    ColumnScope scope(known);
    for (const QString& table : tables)
        scope.addTable(table);
    return selectionCondition(formula, scope);
}

struct CallSite {
    const char* formula;
    const char* sql;
    QVariantList values;
};

TEST(SelectionFormula, CallSitesBecomeBoundConditions) {
    const CallSite sites[] = {
        // exchange statement
        {"{cheques.cd_troca}= '00012'", R"("CHEQUES"."CD_TROCA" = ?)", {QStringLiteral("00012")}},
        // cheques of the day, two blanks after <=
        {"{cheques.dt_deposito} <=  #2026/12/08# AND {CHEQUES.CD_STATUS}='A'",
         R"(("CHEQUES"."DT_DEPOSITO" <= ? AND "CHEQUES"."CD_STATUS" = ?))",
         {QStringLiteral("2026-12-08"), QStringLiteral("A")}},
        // cheques of a period, lower-case and
        {"{cheques.dt_deposito}>=#2026/12/01# and {cheques.dt_deposito}<=#2026/12/31#",
         R"(("CHEQUES"."DT_DEPOSITO" >= ? AND "CHEQUES"."DT_DEPOSITO" <= ?))",
         {QStringLiteral("2026-12-01"), QStringLiteral("2026-12-31")}},
        // financial reports by deposit date and by exchange date
        {"{cheques.dt_deposito} >=  #2026/12/01# AND {cheques.dt_deposito} <= #2026/12/31#",
         R"(("CHEQUES"."DT_DEPOSITO" >= ? AND "CHEQUES"."DT_DEPOSITO" <= ?))",
         {QStringLiteral("2026-12-01"), QStringLiteral("2026-12-31")}},
        {"{cheques.dt_troca} >=  #2026/12/01# AND {cheques.dt_troca} <= #2026/12/31# and "
         "{cheques.cd_cliente}='00003'",
         R"((("CHEQUES"."DT_TROCA" >= ? AND "CHEQUES"."DT_TROCA" <= ?) AND "CHEQUES"."CD_CLIENTE" = ?))",
         {QStringLiteral("2026-12-01"), QStringLiteral("2026-12-31"), QStringLiteral("00003")}},
        // client screen with no client chosen: an empty text, which selects nothing
        {"{cheques.dt_troca} >=  #2026/12/08# AND {cheques.dt_troca} <= #2026/12/08# and "
         "{cheques.cd_cliente}=''",
         R"((("CHEQUES"."DT_TROCA" >= ? AND "CHEQUES"."DT_TROCA" <= ?) AND "CHEQUES"."CD_CLIENTE" = ?))",
         {QStringLiteral("2026-12-08"), QStringLiteral("2026-12-08"), QString()}},
    };
    for (const CallSite& site : sites) {
        SCOPED_TRACE(site.formula);
        const SqlCondition condition = parse(QString::fromUtf8(site.formula));
        EXPECT_EQ(condition.sql.toStdString(), site.sql);
        EXPECT_EQ(condition.values, site.values);
    }
}

TEST(SelectionFormula, RepurchaseFormulaWithoutBlankBeforeAnd) {
    const SqlCondition condition =
        parse(QStringLiteral("{recompra.cd_cliente}= '00001'and {recompra.cd_status}='A'"),
              {QStringLiteral("RECOMPRA"), QStringLiteral("CLIENTES")});
    EXPECT_EQ(condition.sql,
              QStringLiteral(R"(("RECOMPRA"."CD_CLIENTE" = ? AND "RECOMPRA"."CD_STATUS" = ?))"));
    EXPECT_EQ(condition.values, (QVariantList{QStringLiteral("00001"), QStringLiteral("A")}));
}

TEST(SelectionFormula, DatesToleratesBlanksAndShortNumbers) {
    for (const char* date : {"#2026/12/08#", "# 2026/ 12/ 8#", "#2026/12/8 #", "#2026-12-08#"}) {
        SCOPED_TRACE(date);
        const SqlCondition condition =
            parse(QStringLiteral("{CHEQUES.DT_DEPOSITO} = ") + QLatin1String(date));
        EXPECT_EQ(condition.values, QVariantList{QStringLiteral("2026-12-08")});
    }
}

TEST(SelectionFormula, KeywordsAndColumnsInAnyCaseWithPrecedence) {
    const SqlCondition condition =
        parse(QStringLiteral("not {Cheques.Cd_Status} = 'B' Or {CHEQUES.vl_cheque} > 1000.5 AnD "
                             "{clientes.NM_CLIENTE} <> 'X'"));
    EXPECT_EQ(
        condition.sql,
        QStringLiteral(R"(((NOT "CHEQUES"."CD_STATUS" = ?) OR ("CHEQUES"."VL_CHEQUE" > ? AND )"
                       R"("CLIENTES"."NM_CLIENTE" <> ?)))"));
    EXPECT_EQ(condition.values, (QVariantList{QStringLiteral("B"), 1000.5, QStringLiteral("X")}));
}

TEST(SelectionFormula, ParenthesesGroupAndNumbersAreTyped) {
    const SqlCondition condition = parse(QStringLiteral(
        "({cheques.vl_cheque} >= -3 or {cheques.vl_cheque} < 12) and ({cheques.cd_troca} = 7)"));
    EXPECT_EQ(condition.sql,
              QStringLiteral(R"((("CHEQUES"."VL_CHEQUE" >= ? OR "CHEQUES"."VL_CHEQUE" < ?) AND )"
                             R"("CHEQUES"."CD_TROCA" = ?))"));
    EXPECT_EQ(condition.values, (QVariantList{qlonglong(-3), qlonglong(12), qlonglong(7)}));
}

TEST(SelectionFormula, QuotesInsideValuesStayInTheBoundValue) {
    EXPECT_EQ(parse(QStringLiteral("{clientes.nm_cliente} = 'CASA D''ÁVILA'")).values,
              QVariantList{QStringLiteral("CASA D'ÁVILA")});
    EXPECT_EQ(parse(QStringLiteral("{clientes.nm_cliente} = \"O\"\"BRIEN's\"")).values,
              QVariantList{QStringLiteral("O\"BRIEN's")});
    // An attempt to close the text and add SQL is only ever a value.
    const SqlCondition injected = parse(QStringLiteral("{cheques.cd_troca} = '1'' OR ''1''=''1'"));
    EXPECT_EQ(injected.sql, QStringLiteral(R"("CHEQUES"."CD_TROCA" = ?)"));
    EXPECT_EQ(injected.values, QVariantList{QStringLiteral("1' OR '1'='1")});
}

TEST(SelectionFormula, BlankFormulaIsNoCondition) {
    EXPECT_TRUE(parse(QString()).isEmpty());
    EXPECT_TRUE(parse(QStringLiteral("   ")).isEmpty());
}

TEST(SelectionFormula, MalformedFormulasAreRefusedWithTheirReason) {
    struct Bad {
        const char* formula;
        const char* reason;
    };
    const Bad bad[] = {
        {"{cheques.cd_troca}= ", "esperava uma coluna"},
        {"{cheques.cd_troca} '00012'", "operador de comparação"},
        {"{cheques.cd_troca}= '00012", "aspa de fechamento"},
        {"({cheques.cd_troca}= '1'", "esperava \")\""},
        {"{cheques.cd_troca}= '1')", "sobra"},
        {"{cheques.cd_troca}= '1' AND", "esperava uma coluna"},
        {"AND {cheques.cd_troca}= '1'", "esperava uma coluna"},
        {"{cheques.cd_troca}", "operador de comparação"},
        {"{cheques.cd_troca} == 1", "esperava uma coluna"},
        {"{cheques.cd_troca} = 1; DROP TABLE CHEQUES", "caractere inesperado"},
        {"{cheques cd_troca} = 1", "coluna mal escrita"},
        {"{cheques.cd_troca = 1", "\"}\""},
        {"{cd_troca} = 1", "precisa da tabela"},
        {"{cheques.nao_existe} = 1", "não tem a coluna nao_existe"},
        {"{pagamentos.cd} = 1", "a tabela pagamentos não existe"},
        {"{recompra.cd_status} = 'A'", "não faz parte deste relatório"},
        {"{cheques.dt_deposito} <= #2026/13/08#", "data inválida"},
        {"{cheques.dt_deposito} <= #08/12/2026#", "data inválida"},
        {"{cheques.dt_deposito} <= #2026/12/08", "\"#\" de fechamento"},
        {"{cheques.vl_cheque} > 12abc", "número mal escrito"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.formula);
        try {
            parse(QString::fromUtf8(b.formula));
            ADD_FAILURE() << "accepted";
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), error_number::kReport);
            EXPECT_TRUE(
                error.description().startsWith(QStringLiteral("Fórmula de seleção inválida")))
                << error.description().toStdString();
            EXPECT_TRUE(error.description().contains(QString::fromUtf8(b.reason)))
                << error.description().toStdString();
            EXPECT_TRUE(error.description().contains(QString::fromUtf8(b.formula)));
        }
    }
}

TEST(SelectionFormula, NestingDeeperThanTheLimitIsRefusedNotOverflowed) {
    const QString condition = QStringLiteral("{cheques.cd_troca} = '1'");
    auto nested = [&](int levels, const QString& opening) {
        return opening.repeated(levels) + condition + QStringLiteral(")").repeated(levels);
    };
    EXPECT_EQ(parse(nested(150, QStringLiteral("("))).sql, R"("CHEQUES"."CD_TROCA" = ?)");
    EXPECT_EQ(parse(nested(99, QStringLiteral("NOT ("))).values, QVariantList{"1"});

    for (const QString& deep :
         {nested(40000, QStringLiteral("(")), nested(201, QStringLiteral("(")),
          QStringLiteral("NOT ").repeated(40000) + condition,
          nested(20000, QStringLiteral("NOT ("))}) {
        SCOPED_TRACE(deep.left(30).toStdString());
        try {
            parse(deep);
            ADD_FAILURE() << "accepted";
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), error_number::kReport);
            EXPECT_TRUE(error.description().contains(
                QStringLiteral("aninhamento demais: o limite é de 200 níveis")))
                << error.description().left(200).toStdString();
        }
    }
}

TEST(SelectionFormula, MessageSaysWhatAndWhere) {
    try {
        parse(QStringLiteral("{cheques.dt_deposito} <=  #2026/12/08# AND"));
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.description(),
                  QStringLiteral("Fórmula de seleção inválida (posição 43): esperava uma coluna, "
                                 "um texto, uma data ou um número e encontrou o fim do texto. "
                                 "Fórmula: {cheques.dt_deposito} <=  #2026/12/08# AND"));
        EXPECT_EQ(error.source(), QStringLiteral("Fórmula de seleção"));
    }
    try {
        parse(QStringLiteral("{cheques.cd_troca} = '1' AND {cheques.xx} = 2"));
        FAIL();
    } catch (const AppError& error) {
        EXPECT_TRUE(error.description().startsWith(QStringLiteral(
            "Fórmula de seleção inválida (posição 30): a tabela CHEQUES não tem a coluna xx")))
            << error.description().toStdString();
    }
}

// Against the real schema: names in any case resolve to the schema's spelling, and codes
// compare as text (a code written as 1 does not find "00001").
class SelectionFormulaOnDatabase : public test::AppFixture {};

TEST_F(SelectionFormulaOnDatabase, CatalogComesFromTheSchemaAndCodesCompareAsText) {
    Connection connection = connect();
    const ColumnCatalog schema = readColumnCatalog(connection.db());
    EXPECT_EQ(schema.column(QStringLiteral("recompra"), QStringLiteral("CD_LANCAMENTO")),
              QStringLiteral("CD_lancamento"));
    EXPECT_EQ(schema.table(QStringLiteral("cheques")), QStringLiteral("CHEQUES"));
    EXPECT_TRUE(schema.column(QStringLiteral("CHEQUES"), QStringLiteral("SENHA")).isEmpty());

    exec(
        QStringLiteral("INSERT INTO CHEQUES (CD_TROCA, VL_CHEQUE) VALUES ('00001', 10), "
                       "('00012', 20)"));
    ColumnScope scope(schema);
    scope.addTable(QStringLiteral("Cheques"));
    auto count = [&](const char* formula) {
        const SqlCondition c = selectionCondition(QString::fromUtf8(formula), scope);
        return value(QStringLiteral("SELECT COUNT(*) FROM CHEQUES WHERE ") + c.sql, c.values)
            .toInt();
    };
    EXPECT_EQ(count("{cheques.cd_troca}= '00012'"), 1);
    EXPECT_EQ(count("{cheques.cd_troca}= 1"), 0);
    EXPECT_EQ(count("{cheques.cd_troca}= 12"), 0);
    EXPECT_EQ(count("{cheques.vl_cheque} > 15"), 1);
}

}  // namespace
}  // namespace tavrel
