#include "report_data.h"

#include "data/sql.h"
#include "data/transaction.h"
#include "reports/print_report.h"
#include "support/recording_reports.h"

namespace tavrel::test {

ReportData::ReportData() {
    // One connection and one transaction: a commit per row would make every test slow.
    Connection connection = connect();
    TransactionGuard transaction(connection.db());
    auto exec = [&](const QString& sql, const QVariantList& values) {
        runSql(connection.db(), sql, values);
    };
    const QString clientes = QStringLiteral(
        "INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE, NR_TELEFONES, ds_cidade, VL_LIMITE, "
        "LM_CHEQUE, LM_CONCENTRACAO, VL_TAXA) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    exec(clientes, {QStringLiteral("00001"), QStringLiteral("ANA PAULA COMÉRCIO"),
                    QStringLiteral("(11) 3333-4444"), QStringLiteral("São Paulo"), 50000.0, 5000.0,
                    10000.0, 4.5});
    exec(clientes,
         {QStringLiteral("00002"), QStringLiteral("BAR DO ZÉ LTDA"),
          QStringLiteral("(11) 2222-1111"), QStringLiteral("Santos"), 20000.0, 0.0, 0.0, 5.0});
    exec(clientes,
         {QStringLiteral("00003"), QStringLiteral("CASA D'ÁVILA"), QStringLiteral("(19) 9999-0000"),
          QStringLiteral("Campinas"), 0.0, 0.0, 0.0, 3.0});

    const QString cheque = QStringLiteral(
        "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DESTINO, VL_TAXA, CD_DOCUMENTO, "
        "VL_CHEQUE, CD_BANCO, CD_AGENCIA, CD_CONTA, NR_CHEQUE, DT_TROCA, NR_DIAS, VL_JUROS, "
        "DT_DEPOSITO, VL_CPMF, VL_CUSTODIA, VL_ADVALOREM, VL_IOF, VL_TAC, VL_CONSULTA, "
        "VL_DEBITOS, CD_STATUS, NM_EMITENTE, VL_LIQUIDO) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    struct Cheque {
        const char *troca, *cliente, *destino;
        double valor;
        const char *nr, *dtTroca;
        int dias;
        double juros;
        const char* deposito;
        double cpmf, custodia, tac, consulta, debitos;
        const char *status, *emitente;
    };
    const Cheque cheques[] = {
        {"00012", "00001", "00001", 1000.00, "000101", "2026-11-20", 17, 25.50, "2026-12-07", 3.80,
         1.50, 10.00, 2.50, 50, "A", "JOAO DA SILVA"},
        {"00012", "00001", "00001", 2500.00, "000102", "2026-11-20", 18, 67.50, "2026-12-08", 9.50,
         1.50, 0, 2.50, 50, "A", "MARIA SOUZA"},
        {"00012", "00001", "00001", 1500.00, "000103", "2026-11-20", 25, 56.25, "2026-12-15", 5.70,
         1.50, 0, 2.50, 50, "A", "PEDRO ALVES"},
        {"00013", "00002", "00002", 800.00, "000201", "2026-11-25", 6, 8.00, "2026-12-01", 0, 0, 0,
         0, 0, "B", "LOJA ABC"},
        {"00013", "00002", "00003", 1200.00, "000202", "2026-11-25", 10, 20.00, "2026-12-05", 0, 0,
         0, 0, 0, "A", "OFICINA XYZ"},
        {"00013", "00002", "00002", 700.00, "000203", "2026-11-25", 14, 16.33, "2026-12-09", 0, 0,
         0, 0, 0, "A", "PADARIA PÃO"},
        {"00013", "00002", "00002", 300.00, "000204", "2026-11-25", 8, 4.00, "2026-12-03", 0, 0, 0,
         0, 0, "C", "MERCADO SOL"},
        {"00112", "00003", "00003", 999.99, "000301", "2026-11-30", 6, 30.00, "2026-12-06", 0, 0, 0,
         0, 0, "A", "FARMÁCIA VIDA"},
    };
    for (const Cheque& c : cheques) {
        const double liquido =
            c.valor - (c.juros + c.debitos + c.cpmf + c.consulta + c.tac + c.custodia);
        exec(cheque, {QString::fromUtf8(c.troca),
                      QString::fromUtf8(c.cliente),
                      QString::fromUtf8(c.destino),
                      4.5,
                      QStringLiteral("12345678909"),
                      c.valor,
                      QStringLiteral("001"),
                      QStringLiteral("1234"),
                      QStringLiteral("0000056789"),
                      QString::fromUtf8(c.nr),
                      QString::fromUtf8(c.dtTroca),
                      c.dias,
                      c.juros,
                      QString::fromUtf8(c.deposito),
                      c.cpmf,
                      c.custodia,
                      0.0,
                      0.0,
                      c.tac,
                      c.consulta,
                      c.debitos,
                      QString::fromUtf8(c.status),
                      QString::fromUtf8(c.emitente),
                      liquido});
    }

    const QString recompra = QStringLiteral(
        "INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, CD_TROCA, VL_CHEQUE, VL_TAXA, "
        "DT_DEPOSITO, DT_TROCA, VL_JUROS, CD_STATUS) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    exec(recompra, {QStringLiteral("0000000001"), QStringLiteral("00002"), QStringLiteral("00013"),
                    300.0, 5.0, QStringLiteral("2026-12-03"), QStringLiteral("2026-11-25"), 2.5,
                    QStringLiteral("A")});
    exec(recompra, {QStringLiteral("0000000002"), QStringLiteral("00002"), QStringLiteral("00000"),
                    150.0, 5.0, QStringLiteral("2026-11-08"), QStringLiteral("2026-11-01"), 7.5,
                    QStringLiteral("B")});
    exec(recompra, {QStringLiteral("0000000003"), QStringLiteral("00001"), QStringLiteral("00000"),
                    1000.0, 6.0, QStringLiteral("2026-11-23"), QStringLiteral("2026-11-10"), 30.0,
                    QStringLiteral("A")});

    const QString parcela = QStringLiteral(
        "INSERT INTO PARCELAS (DT_VENCIMENTO, VL_PARCELA, VL_FINANCIADO, JUROSOPERACAO, "
        "PARCELAS) VALUES (?, ?, ?, ?, ?)");
    for (const char* vencimento : {"2027-02-06", "2026-12-08", "2027-01-07"}) {
        exec(parcela, {QString::fromUtf8(vencimento), 367.21, 1000.0, 5.0, 3});
    }
    transaction.commit();
}

QString ReportData::render(const QString& templateName, const QString& formula) {
    renderReportToPdf(context.dataFolder, context.dataPath(templateName), formula, pdfPath(),
                      clock.now());
    return pdfText(pdfPath());
}

QStringList ReportData::linesWith(const QString& text, const QString& needle) {
    QStringList found;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.contains(needle))
            found << line.simplified();
    }
    return found;
}

}  // namespace tavrel::test
