#include <gtest/gtest.h>

#include <limits>

#include "core/money.h"
#include "instalments/parcelas.h"
#include "instalments/troca_do_plano.h"

namespace tavrel {
namespace {

Plano planoDe(const TextosParcelas& textos) {
    const auto calculado = calculaPlano(textos);
    if (const QString* problema = std::get_if<QString>(&calculado)) {
        ADD_FAILURE() << problema->toStdString();
        return {};
    }
    return std::get<Plano>(calculado);
}

// 2.500,00 at 3,5 % in 6 with every fee: the amounts worked by hand.
TextosParcelas comTodasAsTaxas() {
    TextosParcelas t;
    t.credito = QStringLiteral("2.500,00");
    t.juros = QStringLiteral("3,5");
    t.parcelas = QStringLiteral("6");
    t.st_consulta = true;
    t.vl_consulta = QStringLiteral("2,50");
    t.st_cpmf = true;
    t.vl_cpmf = QStringLiteral("0,0038");
    t.st_iof = true;
    t.vl_iof = QStringLiteral("0,0041");
    t.st_tacper = true;
    t.vl_tacper = QStringLiteral("0,01");
    return t;
}

TEST(CalculaPlano, NeverGivesAnInfiniteOrUndefinedResult) {
    TextosParcelas t;
    t.credito = QStringLiteral("1000");
    t.juros = QStringLiteral("0,0000000000000001");  // 1 + i is 1: the formula's 0 / 0
    t.parcelas = QStringLiteral("12");
    const Plano plano = planoDe(t);
    EXPECT_EQ(formatCurrency(plano.calculo.parcela), QStringLiteral("R$ 83,33"));

    t.juros = QStringLiteral("500");
    t.credito = QStringLiteral("1") + QString(308, QLatin1Char('0'));  // i·PV is 5e308: inf
    const auto grande = calculaPlano(t);
    ASSERT_TRUE(std::holds_alternative<QString>(grande));
    EXPECT_EQ(
        std::get<QString>(grande),
        QStringLiteral(
            "VALORES GRANDES DEMAIS PARA O CÁLCULO! CONFIRA O CRÉDITO, OS JUROS E AS TAXAS."));
}

TEST(LinhasParcelas, OneRowPerInstalmentWithTheAmountShown) {
    TextosParcelas t;
    t.credito = QStringLiteral("R$ 1.000,00");
    t.juros = QStringLiteral("5");
    t.parcelas = QStringLiteral("3");
    const QList<LinhaParcela> linhas = linhasParcelas(planoDe(t), QDate(2027, 1, 8));
    ASSERT_EQ(linhas.size(), 3);
    EXPECT_EQ(linhas[0].dt_vencimento, QDate(2027, 1, 8));
    EXPECT_EQ(linhas[1].dt_vencimento, QDate(2027, 2, 7));
    EXPECT_EQ(linhas[2].dt_vencimento, QDate(2027, 3, 9));
    for (const LinhaParcela& linha : linhas) {
        EXPECT_EQ(linha.vl_parcela, 367.21);  // 367,2085... shown and stored to cents
        EXPECT_EQ(linha.vl_financiado, 1000.0);
        EXPECT_EQ(linha.jurosoperacao, 5.0);
        EXPECT_EQ(linha.parcelas, 3);
    }
}

QString problema(const TextosCheque& textos, int parcelas = 3) {
    const auto lido = lePrimeiroCheque(textos, parcelas);
    return std::holds_alternative<QString>(lido) ? std::get<QString>(lido) : QString();
}

TEST(LePrimeiroCheque, RefusesANumberBankOrAgencyThatIsNotAllDigits) {
    const QString numero = QStringLiteral(
        "NÚMERO DO 1o CHEQUE INVÁLIDO! DIGITE SOMENTE NÚMEROS, COM ATÉ 10 ALGARISMOS.");
    const QString banco =
        QStringLiteral("BANCO INVÁLIDO! DIGITE SOMENTE NÚMEROS, COM ATÉ 3 ALGARISMOS.");
    const QString agencia =
        QStringLiteral("AGÊNCIA INVÁLIDA! DIGITE SOMENTE NÚMEROS, COM ATÉ 4 ALGARISMOS.");
    EXPECT_EQ(problema({"", "341", "1234", "5"}), numero);
    EXPECT_EQ(problema({"12a", "341", "1234", "5"}), numero);
    EXPECT_EQ(problema({"-5", "341", "1234", "5"}), numero);
    EXPECT_EQ(problema({"12345678901", "341", "1234", "5"}), numero);
    EXPECT_EQ(problema({"100", "", "1234", "5"}), banco);
    EXPECT_EQ(problema({"100", "34,1", "1234", "5"}), banco);
    EXPECT_EQ(problema({"100", "341", "", "5"}), agencia);
    EXPECT_EQ(problema({"100", "341", "12345", "5"}), agencia);
    EXPECT_EQ(problema({"9999999999", "341", "1234", "5"}, 2),
              QStringLiteral("OS NÚMEROS DOS CHEQUES PASSARIAM DE 10 ALGARISMOS! CONFIRA O "
                             "NÚMERO DO 1o CHEQUE."));
    EXPECT_EQ(problema({"9999999999", "341", "1234", "5"}, 1), QString());

    const auto lido = lePrimeiroCheque({" 100 ", "1", "12", "12.345-6"}, 3);
    ASSERT_TRUE(std::holds_alternative<PrimeiroCheque>(lido));
    const PrimeiroCheque& primeiro = std::get<PrimeiroCheque>(lido);
    EXPECT_EQ(primeiro.numero, 100);
    EXPECT_EQ(primeiro.cd_banco, QStringLiteral("001"));
    EXPECT_EQ(primeiro.cd_agencia, QStringLiteral("0012"));
    EXPECT_EQ(primeiro.cd_conta, QStringLiteral("12.345-6")) << "the account as typed";
}

TEST(ChequesDoPlano, EveryColumnOfEachCheque) {
    const Plano plano = planoDe(comTodasAsTaxas());
    const PrimeiroCheque primeiro{100, QStringLiteral("341"), QStringLiteral("0123"),
                                  QStringLiteral("45678-9")};
    const QList<ChequeDoPlano> cheques =
        chequesDoPlano(plano, primeiro, QDate(2026, 12, 8), QDate(2027, 1, 8));
    ASSERT_EQ(cheques.size(), 6);
    for (int k = 1; k <= 6; ++k) {
        const ChequeDoPlano& c = cheques[k - 1];
        SCOPED_TRACE(k);
        EXPECT_EQ(c.cd_cliente, QStringLiteral("99999"));
        EXPECT_EQ(c.cd_destino, QStringLiteral("99999"));
        EXPECT_EQ(c.vl_taxa, 3.5);
        EXPECT_EQ(c.cd_documento, QStringLiteral("00000000000"));
        EXPECT_EQ(c.vl_cheque, 480.16);
        EXPECT_EQ(c.cd_banco, QStringLiteral("341"));
        EXPECT_EQ(c.cd_agencia, QStringLiteral("0123"));
        EXPECT_EQ(c.cd_conta, QStringLiteral("45678-9"));
        EXPECT_EQ(c.nr_cheque, formatZeroPadded(99 + k, 10));
        EXPECT_EQ(c.vl_aberto, 0.0);
        EXPECT_EQ(c.dt_troca, QDate(2026, 12, 8));
        EXPECT_EQ(c.nr_dias, 30 * k);
        EXPECT_EQ(c.vl_juros, 52.50);
        EXPECT_EQ(c.dt_deposito, QDate(2027, 1, 8).addDays(30 * (k - 1)));
        EXPECT_EQ(c.vl_consulta, 2.50);
        EXPECT_EQ(c.vl_cpmf, 1.80);
        EXPECT_EQ(c.vl_iof, 1.95);
        EXPECT_EQ(c.vl_tac, 4.80);
        EXPECT_EQ(c.vl_debitos, 0.0);
        EXPECT_EQ(c.cd_status, QStringLiteral("A"));
        EXPECT_EQ(c.vl_liquidez, 0.0);
        EXPECT_EQ(c.cd_alinea, QStringLiteral("000"));
        EXPECT_TRUE(c.nm_emitente.isEmpty());
    }
    EXPECT_EQ(cheques[0].nr_cheque, QStringLiteral("0000000100"));
    EXPECT_EQ(cheques[5].nr_cheque, QStringLiteral("0000000105"));
}

TEST(ChequesDoPlano, AFeeNotAppliedIsZeroAndAnInterestFreePlanHasNoInterest) {
    TextosParcelas t = comTodasAsTaxas();
    t.st_cpmf = false;
    t.st_tacper = false;
    const QList<ChequeDoPlano> comDuas =
        chequesDoPlano(planoDe(t), {1, "001", "0001", ""}, QDate(2026, 12, 8), QDate(2027, 1, 8));
    EXPECT_EQ(comDuas[0].vl_cpmf, 0.0);
    EXPECT_EQ(comDuas[0].vl_tac, 0.0);
    EXPECT_GT(comDuas[0].vl_iof, 0.0);

    TextosParcelas semJuros;
    semJuros.credito = QStringLiteral("1200");
    semJuros.juros = QStringLiteral("0");
    semJuros.parcelas = QStringLiteral("4");
    const QList<ChequeDoPlano> cheques = chequesDoPlano(planoDe(semJuros), {1, "001", "0001", ""},
                                                        QDate(2026, 12, 8), QDate(2027, 1, 8));
    ASSERT_EQ(cheques.size(), 4);
    EXPECT_EQ(cheques[0].vl_cheque, 300.0);
    EXPECT_EQ(cheques[0].vl_juros, 0.0);
}

}  // namespace
}  // namespace tavrel
