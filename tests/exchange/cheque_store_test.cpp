#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/sql.h"
#include "exchange/cheque_store.h"
#include "exchange/parametros.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

const QString kDocumento = QStringLiteral("12345678909");

class ChequeStoreTest : public test::AppFixture {
protected:
    ChequeStoreTest() : connection(connect()), store(connection.db()) {}

    // A cheque of `documento` already in the table.
    void addRow(const QString& documento, const QString& sequencial, double valor,
                const QString& status, const QString& troca = QStringLiteral("00001"),
                const QString& nome = QStringLiteral("EMITENTE")) {
        exec(QStringLiteral("INSERT INTO CHEQUES (CD_TROCA, CD_DOCUMENTO, NR_SEQUENCIAL, "
                            "VL_CHEQUE, CD_STATUS, NM_EMITENTE) VALUES (?, ?, ?, ?, ?, ?)"),
             {troca, documento, sequencial, valor, status, nome});
    }

    Connection connection;
    ChequeStore store;
};

TEST_F(ChequeStoreTest, LiquidityOfANewIssuerIs100) {
    addRow(QStringLiteral("99999999999"), QStringLiteral("00001"), 10, QStringLiteral("C"));
    EXPECT_EQ(store.liquidez(kDocumento), 100.0f);
    EXPECT_EQ(CalculaLiquidez(connection.db(), kDocumento), 100.0f);
}

TEST_F(ChequeStoreTest, LiquidityIsTheSettledShare) {
    addRow(kDocumento, QStringLiteral("00001"), 10, QStringLiteral("B"));
    addRow(kDocumento, QStringLiteral("00002"), 10, QStringLiteral("B"));
    addRow(kDocumento, QStringLiteral("00003"), 10, QStringLiteral("B"));
    addRow(kDocumento, QStringLiteral("00004"), 10, QStringLiteral("C"));
    EXPECT_EQ(store.liquidez(kDocumento), 75.0f);

    // A cheque of the same document already added to the open exchange lowers it.
    addRow(kDocumento, QStringLiteral("00005"), 10, QStringLiteral("A"));
    EXPECT_EQ(store.liquidez(kDocumento), 60.0f);
    EXPECT_EQ(CalculaLiquidez(connection.db(), kDocumento), 60.0f);
}

TEST_F(ChequeStoreTest, LiquidityRoundsToCentsInSinglePrecision) {
    addRow(kDocumento, QStringLiteral("00001"), 10, QStringLiteral("B"));
    addRow(kDocumento, QStringLiteral("00002"), 10, QStringLiteral("B"));
    addRow(kDocumento, QStringLiteral("00003"), 10, QStringLiteral("A"));
    EXPECT_EQ(store.liquidez(kDocumento), 66.67f);

    // 1 of 32 is 3.125: half a cent, rounded up.
    const QString other = QStringLiteral("11111111111");
    addRow(other, QStringLiteral("00001"), 10, QStringLiteral("B"));
    for (int i = 2; i <= 32; ++i) {
        addRow(other, formatCode(i, 5), 10, QStringLiteral("A"));
    }
    EXPECT_EQ(store.liquidez(other), 3.13f);
}

TEST_F(ChequeStoreTest, LiquidityIsStoredAsItsShortestDecimal) {
    EXPECT_EQ(liquidezArmazenada(66.67f), 66.67);
    EXPECT_EQ(liquidezArmazenada(100.0f), 100.0);
    EXPECT_EQ(liquidezArmazenada(3.13f), 3.13);
}

TEST_F(ChequeStoreTest, HistoryOfANewDocument) {
    const HistoricoEmitente h = store.historico(kDocumento);
    EXPECT_EQ(h.cheques, 0);
    EXPECT_EQ(h.nr_sequencial(), "00001");
    EXPECT_EQ(h.vl_acumulado, 0.0);
    EXPECT_TRUE(h.nm_emitente.isEmpty());
}

TEST_F(ChequeStoreTest, HistoryOfADocumentSeenThreeTimes) {
    addRow(kDocumento, QStringLiteral("00002"), 200, QStringLiteral("A"), QStringLiteral("00002"),
           QStringLiteral("SEGUNDO NOME"));
    addRow(kDocumento, QStringLiteral("00001"), 100.10, QStringLiteral("B"),
           QStringLiteral("00001"), QStringLiteral("JOSE DA SILVA"));
    addRow(kDocumento, QStringLiteral("00003"), 300, QStringLiteral("C"));
    addRow(QStringLiteral("99999999999"), QStringLiteral("00009"), 5000, QStringLiteral("A"));

    const HistoricoEmitente h = store.historico(kDocumento);
    EXPECT_EQ(h.cheques, 3);
    EXPECT_EQ(h.nr_sequencial(), "00004");
    EXPECT_DOUBLE_EQ(h.vl_acumulado, 600.10);
    EXPECT_DOUBLE_EQ(h.vl_aberto, 200.0);
    EXPECT_DOUBLE_EQ(h.vl_baixado, 400.10);  // settled and returned alike
    EXPECT_EQ(h.abertos, 1);
    EXPECT_EQ(h.nm_emitente, "JOSE DA SILVA");  // the first in sequence order
}

// Only as many rows as the last sequence number are summed.
TEST_F(ChequeStoreTest, HistorySumsAsManyRowsAsTheLastSequenceNumber) {
    addRow(kDocumento, QStringLiteral("00001"), 100, QStringLiteral("A"));
    addRow(kDocumento, QStringLiteral("00002"), 200, QStringLiteral("A"));
    addRow(kDocumento, QStringLiteral("00002"), 400, QStringLiteral("A"));  // a repeated number
    const HistoricoEmitente h = store.historico(kDocumento);
    EXPECT_EQ(h.cheques, 3);
    EXPECT_EQ(h.nr_sequencial(), "00003");
    EXPECT_DOUBLE_EQ(h.vl_acumulado, 300.0);
}

NovoCheque novoCheque() {
    NovoCheque c;
    c.cd_troca = QStringLiteral("00007");
    c.cd_cliente = QStringLiteral("00003");
    c.cd_destino = QStringLiteral("00003");
    c.vl_taxa = 3.5;
    c.cd_documento = kDocumento;
    c.nr_sequencial = QStringLiteral("00002");
    c.vl_cheque = 1500.75;
    c.cd_banco = QStringLiteral("341");
    c.cd_agencia = QStringLiteral("0123");
    c.cd_conta = QStringLiteral("0000456789");
    c.nr_cheque = QStringLiteral("000101");
    c.vl_acumulado = 800;
    c.vl_aberto = 300;
    c.dt_troca = QDate(2026, 12, 8);
    c.dt_deposito = QDate(2027, 1, 11);
    c.vl_liquidez = 66.67f;
    c.nm_emitente = QStringLiteral("MARIA D'ÁVILA");
    c.cd_chave = QStringLiteral("34101230000456789");
    c.calculo = {34, 59.53, 5.70285, 1.5, 1.50075, 8.30, 10, 2.5, 50, 1361.21640};
    return c;
}

TEST_F(ChequeStoreTest, InsertWritesTheWholeRow) {
    const qint64 id = store.insere(novoCheque());
    const QList<QVariantList> rows = this->rows(
        QStringLiteral("SELECT CD_TROCA, CD_CLIENTE, CD_DESTINO, VL_TAXA, CD_DOCUMENTO, "
                       "NR_SEQUENCIAL, VL_CHEQUE, CD_BANCO, CD_AGENCIA, CD_CONTA, NR_CHEQUE, "
                       "VL_ACUMULADO, VL_ABERTO, DT_TROCA, NR_DIAS, VL_JUROS, DT_DEPOSITO, "
                       "VL_CPMF, VL_CUSTODIA, VL_ADVALOREM, VL_IOF, VL_TAC, VL_CONSULTA, "
                       "VL_DEBITOS, CD_STATUS, VL_LIQUIDEZ, CD_ALINEA, NM_EMITENTE, CD_CHAVE, "
                       "VL_LIQUIDO FROM CHEQUES WHERE id = ?"),
        {id});
    ASSERT_EQ(rows.size(), 1);
    const QVariantList expected = {"00007",
                                   "00003",
                                   "00003",
                                   3.5,
                                   "12345678909",
                                   "00002",
                                   1500.75,
                                   "341",
                                   "0123",
                                   "0000456789",
                                   "000101",
                                   800.0,
                                   300.0,
                                   "2026-12-08",
                                   34,
                                   59.53,
                                   "2027-01-11",
                                   5.70285,
                                   1.5,
                                   1.50075,
                                   8.30,
                                   10.0,
                                   2.5,
                                   50.0,
                                   "A",
                                   66.67,
                                   "000",
                                   QStringLiteral("MARIA D'ÁVILA"),
                                   "34101230000456789",
                                   1361.21640};
    ASSERT_EQ(rows[0].size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rows[0][i].toString(), expected[i].toString()) << "column " << i;
    }
}

TEST_F(ChequeStoreTest, TheRowsOfAnExchangeInTheOrderTheyWereAdded) {
    NovoCheque first = novoCheque();
    store.insere(first);
    NovoCheque second = novoCheque();
    second.vl_cheque = 10;
    second.calculo.vl_tac = 0;
    store.insere(second);
    NovoCheque other = novoCheque();
    other.cd_troca = QStringLiteral("00008");
    store.insere(other);
    // Rows of an instalment plan leave custody and ad valorem empty.
    exec(
        QStringLiteral("INSERT INTO CHEQUES (CD_TROCA, VL_CHEQUE, VL_JUROS) VALUES "
                       "('00007', 100, 2)"));

    const QList<ValoresCheque> rows = store.linhasDaTroca(QStringLiteral("00007"));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].vl_cheque, 1500.75);
    EXPECT_EQ(rows[0].vl_juros, 59.53);
    EXPECT_EQ(rows[0].nr_dias, 34.0);
    EXPECT_EQ(rows[0].vl_cpmf, 5.70285);
    EXPECT_EQ(rows[0].vl_custodia, 1.5);
    EXPECT_EQ(rows[0].vl_advalorem, 1.50075);
    EXPECT_EQ(rows[0].vl_iof, 8.30);
    EXPECT_EQ(rows[0].vl_tac, 10.0);
    EXPECT_EQ(rows[0].vl_consulta, 2.5);
    EXPECT_EQ(rows[1].vl_cheque, 10.0);
    EXPECT_EQ(rows[2].vl_custodia + rows[2].vl_advalorem + rows[2].vl_tac, 0.0);
    EXPECT_TRUE(store.trocaExiste(QStringLiteral("00008")));
    EXPECT_FALSE(store.trocaExiste(QStringLiteral("00009")));
}

TEST_F(ChequeStoreTest, OnlyAnOpenChequeOfTheExchangeIsRemoved) {
    const qint64 id = store.insere(novoCheque());
    EXPECT_EQ(store.removeChequeAberto(id, QStringLiteral("00008"), false), std::nullopt)
        << "another exchange";
    exec(QStringLiteral("UPDATE CHEQUES SET CD_STATUS = 'B'"));
    EXPECT_EQ(store.removeChequeAberto(id, QStringLiteral("00007"), false), std::nullopt)
        << "settled";
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM CHEQUES")).toInt(), 1);

    exec(QStringLiteral("UPDATE CHEQUES SET CD_STATUS = 'A'"));
    EXPECT_EQ(store.removeChequeAberto(id, QStringLiteral("00007"), false), 1500.75);
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM CHEQUES")).toInt(), 0);
    EXPECT_EQ(store.removeChequeAberto(id, QStringLiteral("00007"), false), std::nullopt);
}

// The exchange's fixed TAC moves to its first remaining cheque, whose net pays it.
TEST_F(ChequeStoreTest, RemovingTheChequeWithTheFixedTacMovesIt) {
    const qint64 withTac = store.insere(novoCheque());
    NovoCheque second = novoCheque();
    second.calculo.vl_tac = 0;
    second.calculo.vl_liquido = 1371.2164;
    const qint64 secondId = store.insere(second);
    store.insere(second);

    EXPECT_TRUE(store.removeChequeAberto(withTac, QStringLiteral("00007"), true).has_value());
    const QList<QVariantList> rows =
        this->rows(QStringLiteral("SELECT id, VL_TAC, VL_LIQUIDO FROM CHEQUES ORDER BY id"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][0].toLongLong(), secondId);
    EXPECT_EQ(rows[0][1].toDouble(), 10.0);
    const ChequeCalculado& c = second.calculo;
    EXPECT_EQ(rows[0][2].toDouble(),
              1500.75 - (c.vl_juros + c.vl_debitos + c.vl_iof + c.vl_cpmf + c.vl_consulta + 10.0 +
                         c.vl_custodia + c.vl_advalorem));
    EXPECT_EQ(rows[1][1].toDouble(), 0.0);

    // A percentage TAC is the cheque's own: it leaves with it.
    EXPECT_TRUE(store.removeChequeAberto(secondId, QStringLiteral("00007"), false).has_value());
    EXPECT_EQ(value(QStringLiteral("SELECT TOTAL(VL_TAC) FROM CHEQUES")).toDouble(), 0.0);
}

TEST_F(ChequeStoreTest, RemovingAnExchangeDeletesEveryStatus) {
    addRow(kDocumento, QStringLiteral("00001"), 10, QStringLiteral("A"), QStringLiteral("00007"));
    addRow(kDocumento, QStringLiteral("00002"), 10, QStringLiteral("B"), QStringLiteral("00007"));
    addRow(kDocumento, QStringLiteral("00003"), 10, QStringLiteral("C"), QStringLiteral("00008"));
    EXPECT_EQ(store.removeTroca(QStringLiteral("00007")), 2);
    EXPECT_EQ(value(QStringLiteral("SELECT CD_TROCA FROM CHEQUES")).toString(), "00008");
}

TEST_F(ChequeStoreTest, AnEmptyDocumentHasNoHistory) {
    addRow(QString(), QStringLiteral("00003"), 999, QStringLiteral("A"));
    const HistoricoEmitente h = store.historico(QString());
    EXPECT_EQ(h.cheques, 0);
    EXPECT_EQ(h.vl_aberto, 0.0);
    EXPECT_EQ(h.nr_sequencial(), "00001");
    EXPECT_EQ(store.liquidez(QString()), 100.0f);
}

TEST_F(ChequeStoreTest, NextExchangeNumber) {
    ProximaTroca first = store.proximaTroca();
    EXPECT_EQ(first.cd_troca, "00001");
    EXPECT_TRUE(first.primeiraTroca);

    for (int troca = 1; troca <= 12; ++troca) {
        addRow(kDocumento, QStringLiteral("00001"), 10, QStringLiteral("A"), formatCode(troca, 5));
    }
    const ProximaTroca next = store.proximaTroca();
    EXPECT_EQ(next.cd_troca, "00013");
    EXPECT_FALSE(next.primeiraTroca);
}

TEST_F(ChequeStoreTest, NextExchangeNumberGoesOnPastFiveDigits) {
    addRow(kDocumento, QStringLiteral("00001"), 10, QStringLiteral("A"), QStringLiteral("99998"));
    addRow(kDocumento, QStringLiteral("00002"), 10, QStringLiteral("A"), QStringLiteral("99999"));
    EXPECT_EQ(store.proximaTroca().cd_troca, "100000");
    addRow(kDocumento, QStringLiteral("00003"), 10, QStringLiteral("A"), QStringLiteral("100000"));
    // "99999" is the last text, but the exchange after 100000 is 100001, never 100000 again.
    EXPECT_EQ(store.proximaTroca().cd_troca, "100001");
}

TEST_F(ChequeStoreTest, ParametersRoundTrip) {
    Parametros p;
    p.cr_numerodias = true;
    p.vl_diasminimo = 15;
    p.st_iof = true;
    p.vl_iof = 0.0041;
    p.st_tacper = true;
    p.vl_tacper = 0.005;
    p.vl_concentracao = 50000;
    gravaParametros(connection.db(), p);
    const Parametros read = carregaParametros(connection.db());
    EXPECT_TRUE(read.cr_numerodias);
    EXPECT_EQ(read.vl_diasminimo, 15);
    EXPECT_TRUE(read.st_iof);
    EXPECT_EQ(read.vl_iof, 0.0041);
    EXPECT_TRUE(read.st_tacper);
    EXPECT_EQ(read.vl_tacper, 0.005);
    EXPECT_FALSE(read.st_tac);
    EXPECT_FALSE(read.st_dia);
    EXPECT_EQ(read.vl_concentracao, 50000);
}

TEST_F(ChequeStoreTest, EmptyParameterValuesReadAsZeroAndMissingRowIsRefused) {
    exec(QStringLiteral("UPDATE CONFIG SET st_cpmf = NULL, vl_cpmf = NULL"));
    EXPECT_FALSE(carregaParametros(connection.db()).st_cpmf);
    exec(QStringLiteral("DELETE FROM CONFIG"));
    EXPECT_THROW(carregaParametros(connection.db()), AppError);
}

}  // namespace
}  // namespace tavrel
