#include <gtest/gtest.h>

#include <cmath>

#include "core/money.h"
#include "instalments/parcelas.h"

namespace tavrel {
namespace {

DadosParcelas semTaxas(double credito, double juros, int parcelas) {
    DadosParcelas dados;
    dados.credito = credito;
    dados.juros = juros;
    dados.parcelas = parcelas;
    return dados;
}

// Compared in cents, as the screen shows it.
long long centavos(double valor) {
    return std::llround(roundMoney(valor) * 100);
}

TEST(CalculaParcela, PriceInstalmentsWorkedByHand) {
    EXPECT_EQ(formatCurrency(calculaParcela(semTaxas(1000, 5, 12)).parcela),
              QStringLiteral("R$ 112,83"));
    const CalculoParcela uma = calculaParcela(semTaxas(1000, 5, 1));
    EXPECT_EQ(centavos(uma.parcela), 105000) << "one instalment is PV (1 + i)";
    EXPECT_EQ(formatCurrency(uma.parcela), QStringLiteral("R$ 1.050,00"));
    EXPECT_DOUBLE_EQ(uma.amortizacao, 1000);
}

TEST(CalculaParcela, ARateOfZeroSplitsTheCreditEvenly) {
    const CalculoParcela c = calculaParcela(semTaxas(1200, 0, 4));
    EXPECT_EQ(formatCurrency(c.parcela), QStringLiteral("R$ 300,00"));
    EXPECT_TRUE(std::isfinite(c.parcelaBase));
    EXPECT_EQ(c.parcelaBase - c.amortizacao, 0.0) << "no interest";
}

TEST(CalculaParcela, EveryFeeCompoundsInItsOrderAndKeepsItsAmount) {
    DadosParcelas dados = semTaxas(2500, 3.5, 6);
    dados.taxas = {true, 2.50, true, 0.0038, true, 0.0041, true, 0.01};
    const CalculoParcela c = calculaParcela(dados);
    EXPECT_EQ(formatCurrency(c.parcela), QStringLiteral("R$ 480,16"));
    EXPECT_EQ(formatMoney(c.parcelaBase - c.amortizacao), QStringLiteral("52,50"));
    EXPECT_EQ(c.consulta, 2.50);
    EXPECT_EQ(formatMoney(c.cpmf), QStringLiteral("1,80"));
    EXPECT_EQ(formatMoney(c.iof), QStringLiteral("1,95"));
    EXPECT_EQ(formatMoney(c.tac), QStringLiteral("4,80"));
    // The TAC is taken on the amount it produced: rate × final instalment.
    EXPECT_DOUBLE_EQ(c.tac, 0.01 * c.parcela);

    dados.taxas.st_cpmf = false;
    const CalculoParcela semCpmf = calculaParcela(dados);
    EXPECT_EQ(semCpmf.cpmf, 0.0) << "an unchecked fee keeps nothing";
    EXPECT_LT(semCpmf.parcela, c.parcela);
}

TEST(CalculaParcela, WithOnlyCpmfTheResultIsR0TimesOnePlusTheRate) {
    DadosParcelas dados = semTaxas(1000, 5, 12);
    const double r0 = calculaParcela(dados).parcela;
    dados.taxas.st_cpmf = true;
    dados.taxas.vl_cpmf = 0.0038;
    const CalculoParcela c = calculaParcela(dados);
    EXPECT_DOUBLE_EQ(c.parcela, r0 * 1.0038);
    EXPECT_DOUBLE_EQ(c.cpmf, 0.0038 * r0 * 1.0038);
}

TextosParcelas textos(const QString& credito, const QString& juros, const QString& parcelas) {
    TextosParcelas t;
    t.credito = credito;
    t.juros = juros;
    t.parcelas = parcelas;
    return t;
}

QString problema(const TextosParcelas& t) {
    const auto lido = leDadosParcelas(t);
    return std::holds_alternative<QString>(lido) ? std::get<QString>(lido) : QString();
}

TEST(LeDadosParcelas, RefusesEveryInputThatCannotMakeAPlan) {
    EXPECT_EQ(problema(textos("1000", "5", "")),
              QStringLiteral("NUMERO DE PARCELAS NÃO PODE ESTAR VAZIO!!!"));
    EXPECT_EQ(problema(textos("1000", " ", "12")),
              QStringLiteral("O CAMPO JUROS NÃO PODE ESTAR VAZIO!!!"));
    const QString contagem =
        QStringLiteral("NÚMERO DE PARCELAS INVÁLIDO! DIGITE UM NÚMERO INTEIRO DE 1 A 999.");
    for (const char* parcelas : {"2,5", "0", "-3", "1000", "doze"}) {
        EXPECT_EQ(problema(textos("1000", "5", QString::fromLatin1(parcelas))), contagem)
            << parcelas;
    }
    const QString juros =
        QStringLiteral("JUROS INVÁLIDO! DIGITE UM PERCENTUAL IGUAL OU MAIOR QUE ZERO.");
    EXPECT_EQ(problema(textos("1000", "-1", "12")), juros);
    EXPECT_EQ(problema(textos("1000", "cinco", "12")), juros);
    EXPECT_EQ(problema(textos("1000", "0.038", "12")), juros) << "a dot in a rate is refused";
    const QString credito =
        QStringLiteral("VALOR DO CRÉDITO INVÁLIDO! DIGITE UM VALOR MAIOR QUE ZERO.");
    for (const char* valor : {"", "0", "0,00", "mil", "-100"}) {
        EXPECT_EQ(problema(textos(QString::fromLatin1(valor), "5", "12")), credito) << valor;
    }
}

TEST(LeDadosParcelas, ACheckedFeeNeedsAValueAnUncheckedOneIsIgnored) {
    TextosParcelas t = textos("1000", "5", "12");
    t.st_iof = true;
    EXPECT_EQ(problema(t),
              QStringLiteral("VALOR DA TAXA IOF INVÁLIDO! PREENCHA O VALOR OU DESMARQUE A TAXA."));
    t.vl_iof = QStringLiteral("0.0041");  // a fee multiplier is a rate: any dot is refused
    EXPECT_EQ(problema(t),
              QStringLiteral("VALOR DA TAXA IOF INVÁLIDO! PREENCHA O VALOR OU DESMARQUE A TAXA."));
    t.st_iof = false;
    t.vl_iof = QStringLiteral("lixo");
    EXPECT_EQ(problema(t), QString());
}

TEST(LeDadosParcelas, ReadsTheCreditWithTheCurrencySymbolAndTheFees) {
    TextosParcelas t = textos("R$ 1.000,00", "3,5", "6");
    t.st_consulta = true;
    t.vl_consulta = QStringLiteral("2,50");
    t.st_tacper = true;
    t.vl_tacper = QStringLiteral("0,01");
    const auto lido = leDadosParcelas(t);
    ASSERT_TRUE(std::holds_alternative<DadosParcelas>(lido)) << problema(t).toStdString();
    const DadosParcelas& d = std::get<DadosParcelas>(lido);
    EXPECT_EQ(d.credito, 1000.0);
    EXPECT_EQ(d.juros, 3.5);
    EXPECT_EQ(d.parcelas, 6);
    EXPECT_TRUE(d.taxas.st_consulta);
    EXPECT_EQ(d.taxas.vl_consulta, 2.5);
    EXPECT_FALSE(d.taxas.st_cpmf);
    EXPECT_TRUE(d.taxas.st_tacper);
    EXPECT_EQ(d.taxas.vl_tacper, 0.01);
}

TEST(VencimentosParcelas, ThirtyCalendarDaysApartNeverShifted) {
    EXPECT_EQ(vencimentosParcelas(QDate(2027, 1, 8), 3),
              (QList<QDate>{QDate(2027, 1, 8), QDate(2027, 2, 7), QDate(2027, 3, 9)}));
}

}  // namespace
}  // namespace tavrel
