#include <gtest/gtest.h>

#include "ledger/lancamento.h"
#include "ledger/saldos.h"

namespace tavrel {
namespace {

Movimento credito(double valor) {
    return {valor, Sentido::Credito};
}
Movimento debito(double valor) {
    return {valor, Sentido::Debito};
}
Movimento nenhum(double valor) {
    return {valor, Sentido::Nenhum};
}

TEST(AtualizaPosicao, CreditsDebitsAndTheirDifferenceUntypedEntriesInNeither) {
    const std::vector<Movimento> movimentos = {debito(250.10), credito(1000), credito(0.10),
                                               debito(0.20), nenhum(77)};
    const Posicao p = AtualizaPosicao(movimentos);
    EXPECT_EQ(p.creditos, 1000.0 + 0.10);
    EXPECT_EQ(p.debitos, 250.10 + 0.20);
    EXPECT_EQ(p.saldo, (1000.0 + 0.10) - (250.10 + 0.20));

    const Posicao vazia = AtualizaPosicao({});
    EXPECT_EQ(vazia.creditos, 0.0);
    EXPECT_EQ(vazia.debitos, 0.0);
    EXPECT_EQ(vazia.saldo, 0.0);
}

TEST(RecalculaSaldos, RunsInTheGivenOrderUnroundedAndSkipsUntypedEntries) {
    const std::vector<Movimento> movimentos = {credito(0.1), credito(0.2), nenhum(9), debito(0.3),
                                               debito(5)};
    const std::vector<double> saldos = RecalculaSaldos(movimentos);
    ASSERT_EQ(saldos.size(), 5u);
    EXPECT_EQ(saldos[0], 0.1);
    EXPECT_EQ(saldos[1], 0.1 + 0.2) << "0.30000000000000004, kept as it is";
    EXPECT_NE(saldos[1], 0.3);
    EXPECT_EQ(saldos[2], saldos[1]) << "neither credit nor debit leaves the balance";
    EXPECT_EQ(saldos[3], 0.1 + 0.2 - 0.3);
    EXPECT_EQ(saldos[4], 0.1 + 0.2 - 0.3 - 5);
    EXPECT_TRUE(RecalculaSaldos({}).empty());
}

TEST(Sentido, OnlyCapitalCAndDMoveTheBalanceInCodeAndInSql) {
    EXPECT_EQ(sentidoDoStatus(u"C"), Sentido::Credito);
    EXPECT_EQ(sentidoDoStatus(u"D"), Sentido::Debito);
    for (const char16_t* outro : {u"", u"c", u"d", u" C", u"C ", u"X", u"CD"}) {
        EXPECT_EQ(sentidoDoStatus(outro), Sentido::Nenhum)
            << QString::fromUtf16(outro).toStdString();
    }
}

TEST(ConfereLancamento, RefusesWhatCannotBeWrittenAndNamesTheField) {
    using Campo = LancamentoRecusado::Campo;
    const LancamentoDigitado bom{QStringLiteral("001"), QStringLiteral("00002"),
                                 QStringLiteral("nota"), QStringLiteral("1.500,75"),
                                 QStringLiteral("29/02/2028")};
    const auto aceito = confereLancamento(bom);
    ASSERT_TRUE(std::holds_alternative<Lancamento>(aceito));
    const Lancamento& l = std::get<Lancamento>(aceito);
    EXPECT_EQ(l.cd_conta, "001");
    EXPECT_EQ(l.cd_historico, "00002");
    EXPECT_EQ(l.ds_complemento, "nota");
    EXPECT_EQ(l.vl_lancamento, 1500.75);
    EXPECT_EQ(l.dt_lancamento, QDate(2028, 2, 29));

    struct Caso {
        LancamentoDigitado digitado;
        Campo campo;
    };
    auto com = [&](auto mudar) {
        LancamentoDigitado d = bom;
        mudar(d);
        return d;
    };
    const Caso casos[] = {
        {com([](auto& d) { d.cd_conta.clear(); }), Campo::Conta},
        {com([](auto& d) { d.cd_historico.clear(); }), Campo::Historico},
        {com([](auto& d) { d.vl_lancamento = QStringLiteral("dez"); }), Campo::Valor},
        {com([](auto& d) { d.vl_lancamento = QStringLiteral("0,00"); }), Campo::Valor},
        {com([](auto& d) { d.vl_lancamento = QStringLiteral("-1"); }), Campo::Valor},
        {com([](auto& d) { d.vl_lancamento = QStringLiteral("1500.75"); }), Campo::Valor},
        {com([](auto& d) { d.dt_lancamento.clear(); }), Campo::Data},
        {com([](auto& d) { d.dt_lancamento = QStringLiteral("29/02/2027"); }), Campo::Data},
        {com([](auto& d) { d.dt_lancamento = QStringLiteral("12/13/2026"); }), Campo::Data},
    };
    for (const Caso& caso : casos) {
        const auto resultado = confereLancamento(caso.digitado);
        ASSERT_TRUE(std::holds_alternative<LancamentoRecusado>(resultado))
            << caso.digitado.vl_lancamento.toStdString() << " "
            << caso.digitado.dt_lancamento.toStdString();
        EXPECT_EQ(std::get<LancamentoRecusado>(resultado).campo, caso.campo);
        EXPECT_FALSE(std::get<LancamentoRecusado>(resultado).mensagem.isEmpty());
    }
}

}  // namespace
}  // namespace tavrel
