// Every shipped template rendered to PDF from a small data folder and read back with
// pdftotext, with the formulas the screens print them with.
#include <gtest/gtest.h>
#include <QFile>

#include "data/sql.h"
#include "data/transaction.h"
#include "report_data.h"

namespace tavrel::test {
namespace {

// True when one line of the text holds every part, in this order.
bool hasLine(const QString& text, const QStringList& parts) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        qsizetype from = 0;
        bool all = true;
        for (const QString& part : parts) {
            from = line.indexOf(part, from);
            if (from < 0) {
                all = false;
                break;
            }
            from += part.size();
        }
        if (all)
            return true;
    }
    return false;
}

#define EXPECT_LINE(text, ...) \
    EXPECT_TRUE(hasLine(text, QStringList{__VA_ARGS__})) << (text).toStdString()

class TemplatesPdf : public ReportData {};

TEST_F(TemplatesPdf, ExchangeStatementListsOnlyThatExchangeWithItsSums) {
    const QString text =
        render(QStringLiteral("troca.rpt"), QStringLiteral("{cheques.cd_troca}= '00012'"));
    EXPECT_LINE(text, "EXTRATO DE TROCA DE CHEQUES");
    EXPECT_LINE(text, "Troca: 00012", "Data: 20/11/2026", "Taxa: 4,50% a.m.");
    EXPECT_LINE(text, "Cliente: 00001 - ANA PAULA COMÉRCIO");
    EXPECT_LINE(text, "Depósito", "Banco", "Agência", "Conta", "Cheque", "Valor", "Dias", "Juros",
                "Tarifas", "Líquido");
    // deposit, bank, branch, account, number, issuer, value, days, interest, fees, net
    EXPECT_LINE(text, "07/12/2026", "001", "1234", "0000056789", "000101", "JOAO DA SILVA",
                "1.000,00", "17", "25,50", "17,80", "956,70");
    EXPECT_LINE(text, "08/12/2026", "000102", "MARIA SOUZA", "2.500,00", "18", "67,50", "13,50",
                "2.419,00");
    EXPECT_LINE(text, "15/12/2026", "000103", "PEDRO ALVES", "1.500,00", "25", "56,25", "9,70",
                "1.434,05");
    EXPECT_EQ(linesWith(text, QStringLiteral("0000056789")).size(), 3);
    for (const char* other : {"OFICINA XYZ", "FARMÁCIA VIDA", "999,99", "00112", "00013"}) {
        EXPECT_FALSE(text.contains(QString::fromUtf8(other))) << other;
    }
    EXPECT_LINE(text, "Total: 3 cheque(s)", "5.000,00", "149,25", "41,00", "4.809,75");
    EXPECT_LINE(text, "Valor bruto", "R$ 5.000,00");
    EXPECT_LINE(text, "Juros", "R$ 149,25");
    EXPECT_LINE(text, "Tarifas", "R$ 41,00");
    EXPECT_LINE(text, "Débitos", "R$ 50,00");
    // gross − interest − tariffs − debits, the debits taken once
    EXPECT_LINE(text, "Líquido a pagar", "R$ 4.759,75");
    EXPECT_LINE(text, "Impresso em 08/12/2026 às 14:05", "Página 1 de 1");
}

TEST_F(TemplatesPdf, ExchangeWithoutChequesPrintsAnEmptyStatement) {
    const QString text =
        render(QStringLiteral("troca.rpt"), QStringLiteral("{cheques.cd_troca}= '00099'"));
    EXPECT_LINE(text, "Nenhum registro atende à seleção.");
    EXPECT_LINE(text, "Débitos", "R$ 0,00");
    EXPECT_LINE(text, "Líquido a pagar", "R$ 0,00");
    EXPECT_FALSE(text.contains(QStringLiteral("0000056789")));
}

TEST_F(TemplatesPdf, ChequesOfTheDayAreOpenAndDueByThatDay) {
    const QString text = render(
        QStringLiteral("BAIXAS.RPT"),
        QStringLiteral("{cheques.dt_deposito} <=  #2026/12/08# AND {CHEQUES.CD_STATUS}='A'"));
    EXPECT_LINE(text, "RELAÇÃO DE CHEQUES A SEREM BAIXADOS");
    // client, exchange, value, interest, issuer and destination, grouped by deposit date
    EXPECT_LINE(text, "Depósito: 05/12/2026");
    EXPECT_LINE(text, "BAR DO ZÉ LTDA", "00013", "1.200,00", "20,00", "OFICINA XYZ",
                "CASA D'ÁVILA");
    EXPECT_LINE(text, "Total de 05/12/2026: 1 cheque(s)", "1.200,00", "20,00");
    EXPECT_LINE(text, "Depósito: 06/12/2026");
    EXPECT_LINE(text, "CASA D'ÁVILA", "00112", "999,99", "30,00", "FARMÁCIA VIDA");
    EXPECT_LINE(text, "Depósito: 07/12/2026");
    EXPECT_LINE(text, "ANA PAULA COMÉRCIO", "00012", "1.000,00", "25,50", "JOAO DA SILVA",
                "ANA PAULA COMÉRCIO");
    EXPECT_LINE(text, "Depósito: 08/12/2026");
    EXPECT_LINE(text, "2.500,00", "67,50", "MARIA SOUZA");
    EXPECT_LINE(text, "Total geral: 4 cheque(s)", "5.699,99", "143,00");
    // due later (09/12, 15/12), settled or returned: not listed
    for (const char* absent : {"PADARIA PÃO", "PEDRO ALVES", "LOJA ABC", "MERCADO SOL",
                               "Depósito: 09/12/2026", "Depósito: 01/12/2026"}) {
        EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << absent;
    }
}

TEST_F(TemplatesPdf, ChequesOfAPeriodCoverEveryStatus) {
    const QString text =
        render(QStringLiteral("BAIXAS.RPT"),
               QStringLiteral(
                   "{cheques.dt_deposito}>=#2026/12/01# and {cheques.dt_deposito}<=#2026/12/03#"));
    EXPECT_LINE(text, "800,00", "LOJA ABC");
    EXPECT_LINE(text, "300,00", "MERCADO SOL");
    EXPECT_LINE(text, "Total geral: 2 cheque(s)", "1.100,00");
}

TEST_F(TemplatesPdf, RepurchaseRegisterGroupsByClientAndStatus) {
    const QString all = render(QStringLiteral("recompra.rpt"));
    EXPECT_LINE(all, "Cliente: 00001 - ANA PAULA COMÉRCIO");
    EXPECT_LINE(all, "Situação: Em aberto");
    EXPECT_LINE(all, "0000000003", "00000", "10/11/2026", "23/11/2026", "6,00", "1.000,00", "30,00",
                "1.030,00");
    EXPECT_LINE(all, "Cliente: 00002 - BAR DO ZÉ LTDA");
    EXPECT_LINE(all, "Situação: Baixado");
    EXPECT_LINE(all, "Subtotal baixado: 1", "150,00", "7,50", "157,50");
    EXPECT_LINE(all, "Total do cliente: 2 lançamento(s)", "450,00", "10,00", "460,00");
    EXPECT_LINE(all, "Total geral: 3 lançamento(s)", "1.450,00", "40,00", "1.490,00");
    // Clients in name order.
    EXPECT_LT(all.indexOf(QStringLiteral("ANA PAULA")), all.indexOf(QStringLiteral("BAR DO ZÉ")));

    const QString client =
        render(QStringLiteral("recompra.rpt"),
               QStringLiteral("{recompra.cd_cliente}= '00002'and {recompra.cd_status}='A'"));
    EXPECT_LINE(client, "0000000001", "00013", "300,00", "2,50", "302,50");
    EXPECT_LINE(client, "Total geral: 1 lançamento(s)", "300,00", "2,50", "302,50");
    EXPECT_FALSE(client.contains(QStringLiteral("0000000002")));
    EXPECT_FALSE(client.contains(QStringLiteral("ANA PAULA")));
}

TEST_F(TemplatesPdf, InstalmentScheduleInDueDateOrder) {
    const QString text = render(QStringLiteral("PARCELAS.rpt"));
    EXPECT_LINE(text, "PLANO DE PAGAMENTO");
    EXPECT_LINE(text, "Valor financiado: R$ 1.000,00");
    EXPECT_LINE(text, "Juros: 5,00% ao período", "Parcelas: 3");
    EXPECT_LINE(text, "1", "08/12/2026", "367,21");
    EXPECT_LINE(text, "2", "07/01/2027", "367,21");
    EXPECT_LINE(text, "3", "06/02/2027", "367,21");
    EXPECT_LINE(text, "Total a pagar: 3 parcela(s)", "1.101,63");
    EXPECT_LT(text.indexOf(QStringLiteral("08/12/2026")),
              text.indexOf(QStringLiteral("07/01/2027")));
}

TEST_F(TemplatesPdf, ClientsWithPhonesLimitsAndRate) {
    const QString text = render(QStringLiteral("relclientes.rpt"));
    EXPECT_LINE(text, "RELAÇÃO DE CLIENTES");
    EXPECT_LINE(text, "00001", "ANA PAULA COMÉRCIO", "(11) 3333-4444", "São Paulo", "50.000,00",
                "5.000,00", "10.000,00", "4,50");
    EXPECT_LINE(text, "00002", "BAR DO ZÉ LTDA", "(11) 2222-1111", "20.000,00", "5,00");
    EXPECT_LINE(text, "00003", "CASA D'ÁVILA", "(19) 9999-0000", "3,00");
    EXPECT_LINE(text, "Total: 3 cliente(s)");
}

TEST_F(TemplatesPdf, PeriodReportsWithTheLaunchScreensFormulas) {
    const QString december = QStringLiteral(
        "{cheques.dt_deposito} >=  #2026/12/01# AND {cheques.dt_deposito} <= #2026/12/31#");
    const QString byClient = render(QStringLiteral("1_cheques_por_cliente.rpt"), december);
    EXPECT_LINE(byClient, "Cliente: 00002 - BAR DO ZÉ LTDA");
    EXPECT_LINE(byClient, "00013", "25/11/2026", "03/12/2026", "MERCADO SOL", "300,00",
                "Devolvido");
    EXPECT_LINE(byClient, "Total do cliente: 4 cheque(s)", "3.000,00", "48,33");
    EXPECT_LINE(byClient, "Total geral: 8 cheque(s)", "8.999,99", "227,58");

    const QString oneClient =
        render(QStringLiteral("1_cheques_por_cliente.rpt"),
               QStringLiteral("{cheques.dt_deposito} >=  #2026/12/01# AND {cheques.dt_deposito} "
                              "<= #2026/12/31# and {cheques.cd_cliente}='00002'"));
    EXPECT_LINE(oneClient, "Total geral: 4 cheque(s)", "3.000,00");
    EXPECT_FALSE(oneClient.contains(QStringLiteral("ANA PAULA")));

    const QString earned =
        render(QStringLiteral("1_juros_e_tarifas.rpt"),
               QStringLiteral(
                   "{cheques.dt_troca} >=  #2026/11/20# AND {cheques.dt_troca} <= #2026/11/25#"));
    EXPECT_LINE(earned, "Troca em 20/11/2026");
    EXPECT_LINE(earned, "Total de 20/11/2026: 3 cheque(s)", "5.000,00", "149,25", "41,00",
                "190,25");
    EXPECT_LINE(earned, "Total geral: 7 cheque(s)", "8.000,00", "197,58", "41,00", "238,58");
    EXPECT_LINE(earned, "Juros recebidos", "R$ 197,58");
    EXPECT_LINE(earned, "Tarifas recebidas", "R$ 41,00");
    EXPECT_LINE(earned, "Receita do período", "R$ 238,58");
    EXPECT_FALSE(earned.contains(QStringLiteral("00112")));  // exchanged on 30/11

    const QString status = render(QStringLiteral("1_abertos_e_baixados.rpt"), december);
    EXPECT_LINE(status, "Total em aberto: 6 cheque(s)", "7.899,99");
    EXPECT_LINE(status, "Total baixados: 1 cheque(s)", "800,00");
    EXPECT_LINE(status, "Total devolvidos: 1 cheque(s)", "300,00");

    // The same day in both pickers covers that single day.
    const QString oneDay = render(
        QStringLiteral("1_abertos_e_baixados.rpt"),
        QStringLiteral(
            "{cheques.dt_deposito} >=  #2026/12/08# AND {cheques.dt_deposito} <= #2026/12/08#"));
    EXPECT_LINE(oneDay, "Total geral: 1 cheque(s)", "2.500,00");
}

TEST_F(TemplatesPdf, LongReportRepeatsCaptionsAndNumbersItsPages) {
    {
        Connection connection = connect();
        TransactionGuard transaction(connection.db());
        for (int i = 0; i < 150; ++i) {
            runSql(connection.db(),
                   QStringLiteral("INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, VL_CHEQUE, "
                                  "VL_JUROS, DT_TROCA, DT_DEPOSITO, CD_STATUS, NM_EMITENTE) "
                                  "VALUES ('00200', '00003', 10, 1, '2026-12-01', ?, 'A', ?)"),
                   {QStringLiteral("2026-12-%1").arg(10 + i % 10),
                    QStringLiteral("EMITENTE %1").arg(i)});
        }
        transaction.commit();
    }
    const QString text = render(QStringLiteral("1_cheques_por_cliente.rpt"));
    const int pages = static_cast<int>(linesWith(text, QStringLiteral("Página ")).size());
    EXPECT_GE(pages, 3);
    EXPECT_LINE(text, "Página 1 de " + QString::number(pages));
    EXPECT_LINE(text, QStringLiteral("Página %1 de %1").arg(pages));
    EXPECT_EQ(linesWith(text, QStringLiteral("Emitente")).size(), pages);  // captions on each page
    EXPECT_LINE(text, "Total geral: 158 cheque(s)", "10.499,99");
    EXPECT_EQ(linesWith(text, QStringLiteral("EMITENTE ")).size(), 150);
}

// The example of docs/reports.md works as the page says.
TEST_F(TemplatesPdf, DocumentedExampleRenders) {
    QFile doc(QStringLiteral(TAVREL_REPORTS_DOC));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString markdown = QString::fromUtf8(doc.readAll());
    const qsizetype section = markdown.indexOf(QStringLiteral("### Example"));
    const qsizetype start = markdown.indexOf(QStringLiteral("```\n"), section) + 4;
    const qsizetype end = markdown.indexOf(QStringLiteral("```"), start);
    ASSERT_GT(section, 0);
    QFile example(context.dataPath(QStringLiteral("1_abertos_por_cliente.rpt")));
    ASSERT_TRUE(example.open(QIODevice::WriteOnly));
    example.write(markdown.mid(start, end - start).toUtf8());
    example.close();

    const QString text = render(QStringLiteral("1_abertos_por_cliente.rpt"));
    EXPECT_LINE(text, "CHEQUES EM ABERTO POR CLIENTE");
    EXPECT_LINE(text, "08/12/2026", "00012", "MARIA SOUZA", "2.500,00", "2.432,50");
    EXPECT_LINE(text, "3 cheque(s)", "5.000,00", "4.850,75");
    EXPECT_LINE(text, "Total: 6 cheque(s)", "7.899,99", "7.684,41");
    EXPECT_LINE(text, "Juros a receber", "R$ 215,58");
    EXPECT_LINE(text, "CHEQUES EM ABERTO POR CLIENTE", "Página 1 de 1");
    EXPECT_FALSE(text.contains(QStringLiteral("LOJA ABC")));  // settled
}

}  // namespace
}  // namespace tavrel::test
