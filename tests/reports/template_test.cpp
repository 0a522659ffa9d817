// The template format: what a template says, the faults it reports with their line, value
// formats, and the filled content (groups, totals, summaries) built from rows.
#include <gtest/gtest.h>
#include <QDir>

#include "core/errors.h"
#include "reports/column_catalog.h"
#include "reports/expression.h"
#include "reports/report_builder.h"
#include "reports/report_query.h"
#include "reports/report_template.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

ColumnCatalog catalog() {
    ColumnCatalog c;
    c.addTable(
        QStringLiteral("CHEQUES"),
        {QStringLiteral("id"), QStringLiteral("CD_TROCA"), QStringLiteral("CD_CLIENTE"),
         QStringLiteral("CD_DESTINO"), QStringLiteral("DT_DEPOSITO"), QStringLiteral("CD_STATUS"),
         QStringLiteral("VL_CHEQUE"), QStringLiteral("VL_JUROS")});
    c.addTable(QStringLiteral("CLIENTES"),
               {QStringLiteral("id"), QStringLiteral("CD_CLIENTE"), QStringLiteral("NM_CLIENTE")});
    return c;
}

QString errorOf(const QString& text, const QString& formula = {}) {
    try {
        const ReportTemplate report = parseTemplate(text, QStringLiteral("teste.rpt"));
        buildReportQuery(report, QStringLiteral("teste.rpt"), catalog(), formula);
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), error_number::kReport);
        return error.description();
    }
    return {};
}

const char* kGrouped = R"rpt(
# Cheques por depósito
report title="CHEQUES" orientation=landscape font=8
from table=cheques
join table=CLIENTES on="{clientes.cd_cliente} = {cheques.cd_cliente}"
join table=clientes as=DESTINO on="{DESTINO.CD_CLIENTE} = {CHEQUES.CD_DESTINO}" type=inner
sort by="{cheques.cd_troca} desc"
field name=liquido value="{CHEQUES.VL_CHEQUE} - {CHEQUES.VL_JUROS}"
header text="Primeira troca: {CHEQUES.CD_TROCA}"
group by="{CHEQUES.DT_DEPOSITO}" header="Dia {CHEQUES.DT_DEPOSITO:dd/MM/yyyy}" footer="Dia {CHEQUES.DT_DEPOSITO:dd/MM}: {count}"
column caption="Cliente" value="{CLIENTES.NM_CLIENTE}" width=20
column caption="Valor" value="{CHEQUES.VL_CHEQUE}" format=0.00 total=sum
column caption="Líquido" value="{liquido}" format=currency total=sum
column caption="Qtd" value="{CHEQUES.CD_TROCA}" total=count
totals text="Geral: {count}"
summary caption="Maior cheque" value="max({CHEQUES.VL_CHEQUE})" format=0.00
summary caption="Média" value="avg({liquido})" format=0.00 bold=yes
)rpt";

TEST(ReportTemplate, ReadsEveryPartOfATemplate) {
    const ReportTemplate report = parseTemplate(QString::fromUtf8(kGrouped), QStringLiteral("t"));
    EXPECT_EQ(report.title, QStringLiteral("CHEQUES"));
    EXPECT_EQ(report.orientation, Orientation::Landscape);
    EXPECT_EQ(report.fontSize, 8);
    ASSERT_EQ(report.joins.size(), 2);
    EXPECT_TRUE(report.joins[0].left);
    EXPECT_FALSE(report.joins[1].left);
    EXPECT_EQ(report.joins[1].alias, QStringLiteral("DESTINO"));
    ASSERT_EQ(report.columns.size(), 4);
    EXPECT_EQ(report.columns[1].align, Alignment::Right);  // numbers go right by default
    EXPECT_EQ(report.columns[0].align, Alignment::Left);
    EXPECT_EQ(report.columns[3].total, Aggregate::Count);
    EXPECT_TRUE(report.totals);
    EXPECT_EQ(report.summaries.size(), 2);
    EXPECT_TRUE(report.summaries[1].bold);
    // No pagefooter given: the printing date and "Página n de m".
    EXPECT_FALSE(report.pageFooter.left.isEmpty());
    EXPECT_FALSE(report.pageFooter.right.isEmpty());
}

TEST(ReportTemplate, QueryUsesSchemaNamesPlaceholdersAndGroupOrder) {
    const ReportTemplate report = parseTemplate(QString::fromUtf8(kGrouped), QStringLiteral("t"));
    const ReportQuery query = buildReportQuery(report, QStringLiteral("t"), catalog(),
                                               QStringLiteral("{cheques.cd_status} = 'A'"));
    EXPECT_TRUE(query.sql.contains(
        QStringLiteral(R"( FROM "CHEQUES" LEFT JOIN "CLIENTES" ON "CLIENTES"."CD_CLIENTE" = )"
                       R"("CHEQUES"."CD_CLIENTE" INNER JOIN "CLIENTES" AS "DESTINO" ON )")))
        << query.sql.toStdString();
    EXPECT_TRUE(query.sql.endsWith(
        QStringLiteral(R"( WHERE ("CHEQUES"."CD_STATUS" = ?) ORDER BY "CHEQUES"."DT_DEPOSITO", )"
                       R"("CHEQUES"."CD_TROCA" DESC, "CHEQUES"."id")")))
        << query.sql.toStdString();
    EXPECT_EQ(query.values, QVariantList{QStringLiteral("A")});
    EXPECT_FALSE(query.sql.contains(QLatin1String("'A'")));
}

TEST(ReportTemplate, FaultsNameTheTemplateAndTheLine) {
    struct Bad {
        const char* text;
        const char* message;
    };
    const Bad bad[] = {
        {"from table=CHEQUES\ncolumn value=\"{CHEQUES.CD_TROCA}\"\nlayout x=1",
         "(teste.rpt, linha 3): instrução desconhecida: layout"},
        {"column value=\"{CHEQUES.CD_TROCA}\"", "(teste.rpt): falta a tabela principal"},
        {"from table=CHEQUES", "o relatório não tem colunas"},
        {"from table=CHEQUES\n\ncolumn value=\"{CHEQUES.NAO_HA}\"",
         "(teste.rpt, linha 3): a tabela CHEQUES não tem a coluna NAO_HA"},
        {"from table=PAGAMENTOS\ncolumn value=\"1\"", "linha 1): a tabela PAGAMENTOS não existe"},
        {"from table=CHEQUES\ncolumn value=\"{CLIENTES.NM_CLIENTE}\"",
         "linha 2): a tabela CLIENTES não faz parte deste relatório"},
        {"from table=CHEQUES\ncolumn value=\"{CHEQUES.VL_CHEQUE}\" format=0,00",
         "formato desconhecido"},
        {"from table=CHEQUES\ncolumn value=\"sum({CHEQUES.VL_CHEQUE})\"",
         "sum() só pode ser usado em totais"},
        {"from table=CHEQUES\ncolumn value=\"{CHEQUES.VL_CHEQUE\"", "falta o \"}\""},
        {"from table=CHEQUES\ncolumn value=\"{liquido}\"", "o campo {liquido} não foi definido"},
        {"from table=CHEQUES\ncolumn value=\"{CHEQUES.CD_TROCA}\" caption=\"aberto",
         "não fecha as aspas"},
        {"from table=CHEQUES\ncolumn value=\"{CHEQUES.CD_TROCA}\" value=\"1\"",
         "value aparece duas vezes"},
        {"from table=CHEQUES\ncolumn value=\"{CHEQUES.CD_TROCA}\" cor=azul",
         "column não aceita cor="},
        {"from table=CHEQUES\nheader text=\"{count} cheques\"\ncolumn value=\"1\"",
         "linha 2): {count} não pode ser usado aqui"},
        {"from table=CHEQUES\ncolumn value=\"1\" width=0", "width deve ser um número"},
        {"from table=CHEQUES\ncolumn value=\"1\" width=nan", "width deve ser um número"},
        {"from table=CHEQUES\ncolumn value=\"1\" width=inf", "width deve ser um número"},
        {"from table=CHEQUES\ncolumn value=\"1\" width=-inf", "width deve ser um número"},
        {"from table=CHEQUES\ncolumn value=\"1\" width=1e308", "width deve ser um número"},
        {"from table=CHEQUES\njoin table=CLIENTES on=\"{CLIENTES.CD_CLIENTE} = \"\n"
         "column value=\"1\"",
         "linha 2): esperava uma coluna"},
        {"from table=CHEQUES\njoin table=CHEQUES on=\"{CHEQUES.id} = {CHEQUES.id}\"\n"
         "column value=\"1\"",
         "aparece duas vezes"},
        {"from table=CHEQUES\ngroup by=\"{CHEQUES.VL_CHEQUE} * 2\"\ncolumn value=\"1\"",
         "by deve ser uma coluna"},
        {"report font=40\nfrom table=CHEQUES\ncolumn value=\"1\"", "font deve ser"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.text);
        const QString error = errorOf(QString::fromUtf8(b.text));
        EXPECT_TRUE(error.startsWith(QStringLiteral("Modelo de relatório inválido")))
            << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(b.message))) << error.toStdString();
    }
}

TEST(ReportTemplate, ExpressionsNestedPastTheLimitAreRefusedNotOverflowed) {
    auto column = [](const QString& value) {
        return QStringLiteral("from table=CHEQUES\ncolumn value=\"%1\"").arg(value);
    };
    const QString one = QStringLiteral("{CHEQUES.VL_CHEQUE}");
    const QString deep[] = {
        QStringLiteral("(").repeated(10000) + one + QStringLiteral(")").repeated(10000),
        QStringLiteral("-").repeated(100000) + one,
        (one + QStringLiteral(" + ")).repeated(20000) + one,  // a chain as deep as it is long
        (one + QStringLiteral(" * (")).repeated(201) + one + QStringLiteral(")").repeated(201),
    };
    for (const QString& value : deep) {
        SCOPED_TRACE(value.left(40).toStdString());
        const QString error = errorOf(column(value));
        EXPECT_TRUE(error.contains(QStringLiteral("aninhamento demais: o limite é de 200 níveis")))
            << error.left(200).toStdString();
    }

    // Fields defined on fields, each used twice: few levels, but a value of 2^40 operations.
    QString fields = QStringLiteral("field name=f0 value=\"%1\"\n").arg(one);
    for (int i = 1; i <= 40; ++i) {
        fields += QStringLiteral("field name=f%1 value=\"{f%2} + {f%2}\"\n").arg(i).arg(i - 1);
    }
    EXPECT_TRUE(errorOf(QStringLiteral("from table=CHEQUES\n") + fields +
                        QStringLiteral("column value=\"{f40}\""))
                    .contains(QStringLiteral("expressão grande demais")));

    // Within the limits an expression keeps its value.
    const Expr nested =
        parseExpression(QStringLiteral("(").repeated(150) + QStringLiteral("2") +
                            QStringLiteral(")").repeated(150) + QStringLiteral(" * -(-3 + 1)"),
                        {}, false);
    EXPECT_EQ(evaluate(*nested, {}).toDouble(), 4.0);
}

TEST(ReportTemplate, MissingFileIsFileNotFound) {
    try {
        readTemplate(QStringLiteral("/nao/existe/troca.rpt"));
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), error_number::kFileNotFound);
        EXPECT_EQ(error.source(), QStringLiteral("troca.rpt"));
    }
}

TEST(ValueFormat, WritesNumbersMoneyDatesAndCodes) {
    auto f = [](const QVariant& value, const char* format) {
        return formatValue(value, parseValueFormat(QString::fromUtf8(format)));
    };
    EXPECT_EQ(f(1.005, "0.00"), QStringLiteral("1,01"));
    EXPECT_EQ(f(2.675, "0.00"), QStringLiteral("2,68"));
    EXPECT_EQ(f(-0.001, "0.00"), QStringLiteral("0,00"));
    EXPECT_EQ(f(17.5, "0"), QStringLiteral("18"));
    EXPECT_EQ(f(3.25, "0.0"), QStringLiteral("3,3"));
    EXPECT_EQ(f(1234567.891, "#,##0.00"), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(f(1500.755, "currency"), QStringLiteral("R$ 1.500,76"));
    EXPECT_EQ(f(-20, "currency"), QStringLiteral("-R$ 20,00"));
    EXPECT_EQ(f(QStringLiteral("2026-12-08"), "dd/MM/yyyy"), QStringLiteral("08/12/2026"));
    EXPECT_EQ(f(QStringLiteral("2026-12-08"), "MM/yyyy"), QStringLiteral("12/2026"));
    EXPECT_EQ(f(QStringLiteral("sem data"), "dd/MM/yyyy"), QStringLiteral("sem data"));
    EXPECT_EQ(f(QStringLiteral("B"), "lookup:A=Aberto;B=Baixado"), QStringLiteral("Baixado"));
    EXPECT_EQ(f(QStringLiteral("D"), "lookup:A=Aberto;B=Baixado"), QStringLiteral("D"));
    EXPECT_EQ(f(1500.75, ""), QStringLiteral("1500,75"));
    EXPECT_EQ(f(QVariant(), "currency"), QString());
}

// Builds the content of kGrouped from rows given by hand, in the query's field order.
class ContentFromRows : public ::testing::Test {
protected:
    ReportContent build(const QList<QHash<QString, QVariant>>& rows) {
        report = parseTemplate(QString::fromUtf8(kGrouped), QStringLiteral("t"));
        const ReportQuery query = buildReportQuery(report, QStringLiteral("t"), catalog(), {});
        int next = 0;
        return buildContent(
            report,
            [&](QVariantList& row) {
                if (next >= rows.size())
                    return false;
                row.clear();
                for (const ColumnRef& field : query.fields)
                    row << rows[next].value(field.key());
                ++next;
                return true;
            },
            QDateTime(QDate(2026, 12, 8), QTime(14, 5)));
    }

    static QHash<QString, QVariant> cheque(const char* troca, const char* deposito,
                                           const char* cliente, double valor, double juros) {
        return {{QStringLiteral("CHEQUES.CD_TROCA"), QString::fromUtf8(troca)},
                {QStringLiteral("CHEQUES.DT_DEPOSITO"), QString::fromUtf8(deposito)},
                {QStringLiteral("CLIENTES.NM_CLIENTE"), QString::fromUtf8(cliente)},
                {QStringLiteral("CHEQUES.VL_CHEQUE"), valor},
                {QStringLiteral("CHEQUES.VL_JUROS"), juros}};
    }

    ReportTemplate report;
};

TEST_F(ContentFromRows, GroupsTotalsAndSummaries) {
    const ReportContent content = build({
        cheque("00002", "2026-12-07", "ANA", 1000, 25.5),
        cheque("00001", "2026-12-07", "BIA", 500, 10),
        cheque("00003", "2026-12-09", "ANA", 250.25, 0),
    });
    QStringList lines;
    for (const ReportLine& line : content.lines)
        lines << line.text + QLatin1Char('|') + line.cells.join(QLatin1Char('|'));
    const QStringList expected = {
        QStringLiteral("Primeira troca: 00002|"),
        QStringLiteral("|"),  // blank after the headings
        QStringLiteral("Dia 07/12/2026|"),
        QStringLiteral("|ANA|1000,00|R$ 974,50|00002"),
        QStringLiteral("|BIA|500,00|R$ 490,00|00001"),
        QStringLiteral("Dia 07/12: 2||1500,00|R$ 1.464,50|2"),
        QStringLiteral("|"),
        QStringLiteral("Dia 09/12/2026|"),
        QStringLiteral("|ANA|250,25|R$ 250,25|00003"),
        QStringLiteral("Dia 09/12: 1||250,25|R$ 250,25|1"),
        QStringLiteral("|"),
        QStringLiteral("Geral: 3||1750,25|R$ 1.714,75|3"),
        QStringLiteral("Maior cheque|1000,00"),
        QStringLiteral("Média|571,58"),
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(content.rowCount, 3);
    EXPECT_EQ(content.footerLeft, QStringLiteral("Impresso em 08/12/2026 às 14:05"));
    EXPECT_EQ(content.footerRight, QStringLiteral("Página {page} de {pages}"));
}

TEST_F(ContentFromRows, NoRowsGiveHeadingsANoteAndZeroTotals) {
    const ReportContent content = build({});
    ASSERT_GE(content.lines.size(), 4);
    EXPECT_EQ(content.lines[0].text, QStringLiteral("Primeira troca: "));
    EXPECT_EQ(content.lines[2].kind, ReportLine::Kind::Note);
    EXPECT_EQ(content.lines[3].kind, ReportLine::Kind::GrandTotal);
    EXPECT_EQ(content.lines[3].cells,
              (QStringList{QString(), QStringLiteral("0,00"), QStringLiteral("R$ 0,00"),
                           QStringLiteral("0")}));
    // A numeric summary over no rows is zero, not a blank.
    EXPECT_EQ(content.lines[4].cells, QStringList{QStringLiteral("0,00")});
}

// Every shipped template reads and binds against the real schema.
class ShippedTemplates : public test::AppFixture {};

TEST_F(ShippedTemplates, EveryTemplateBindsToTheSchema) {
    Connection connection = connect();
    const ColumnCatalog schema = readColumnCatalog(connection.db());
    const QDir folder(QStringLiteral(TAVREL_TEMPLATES_DIR));
    const QStringList files = folder.entryList({QStringLiteral("*.rpt"), QStringLiteral("*.RPT")});
    EXPECT_GE(files.size(), 8);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const ReportTemplate report = readTemplate(folder.filePath(file));
        const ReportQuery query = buildReportQuery(report, file, schema, {});
        EXPECT_NO_THROW(value(query.sql, query.values));
        // And they were copied into the new data folder.
        EXPECT_TRUE(QFileInfo::exists(context.dataPath(file)));
    }
    EXPECT_GE(folder.entryList({QStringLiteral("1_*.rpt")}).size(), 3);
}

}  // namespace
}  // namespace tavrel
