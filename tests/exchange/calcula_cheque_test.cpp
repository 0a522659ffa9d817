#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/errors.h"
#include "exchange/calcula_cheque.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"
#include "todas_as_tarifas.h"

namespace tavrel {
namespace {

const QDate kTroca(2027, 1, 10);

ChequeEntrada cheque(int diasAFrente, double valor = 1000, double taxa = 3) {
    return {kTroca, kTroca.addDays(diasAFrente), valor, taxa};
}

struct DaysCase {
    std::string name;
    Parametros parametros;
    int diasAFrente;
    double expected;
};

Parametros minimo15(bool incluirDias) {
    Parametros p;
    p.cr_numerodias = true;
    p.vl_diasminimo = 15;
    p.st_incluirdias = incluirDias;
    p.vl_dmais = 2;
    p.st_dia = incluirDias;
    return p;
}

Parametros dMais2ComDia() {
    Parametros p;
    p.st_incluirdias = true;
    p.vl_dmais = 2;
    p.st_dia = true;
    return p;
}

Parametros soDia() {
    Parametros p;
    p.st_dia = true;
    return p;
}

class DaysChargedTest : public ::testing::TestWithParam<DaysCase> {};

TEST_P(DaysChargedTest, FirstRuleThatAppliesGivesTheDays) {
    TotaisTroca totais;
    const ChequeCalculado row =
        CalculaCheque(cheque(GetParam().diasAFrente), GetParam().parametros, totais);
    EXPECT_EQ(row.nr_dias, GetParam().expected);
    // Interest always follows the days charged: 1000 at 3 % is 1.00 a day.
    EXPECT_EQ(row.vl_juros, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Exchange, DaysChargedTest,
    ::testing::Values(DaysCase{"plain_31_days", Parametros{}, 31, 31},
                      DaysCase{"minimum_equal_to_days", minimo15(false), 15, 15},
                      DaysCase{"one_day_over_minimum", minimo15(false), 16, 16},
                      DaysCase{"under_minimum", minimo15(false), 3, 15},
                      // At or under the minimum nothing is added, D+ and the day included.
                      DaysCase{"minimum_ignores_dplus_and_day", minimo15(true), 15, 15},
                      DaysCase{"over_minimum_adds_dplus_and_day", minimo15(true), 16, 19},
                      DaysCase{"three_days_with_dplus_still_minimum", minimo15(true), 3, 15},
                      DaysCase{"dplus_and_day_of_operation", dMais2ComDia(), 10, 13},
                      DaysCase{"day_of_operation_only", soDia(), 10, 11},
                      DaysCase{"deposit_on_exchange_day", Parametros{}, 0, 0},
                      DaysCase{"deposit_before_exchange_is_negative", Parametros{}, -2, -2}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST(CalculaCheque, PlainChequeOf31Days) {
    TotaisTroca totais;
    const ChequeCalculado row =
        CalculaCheque({QDate(2027, 1, 10), QDate(2027, 2, 10), 1000, 3}, Parametros{}, totais);
    EXPECT_EQ(row.nr_dias, 31);
    EXPECT_EQ(row.vl_juros, 31.00);
    EXPECT_EQ(row.vl_liquido, 969.00);
    EXPECT_EQ(row.vl_cpmf + row.vl_custodia + row.vl_advalorem + row.vl_iof + row.vl_tac +
                  row.vl_consulta,
              0.0);
    EXPECT_EQ(totais.vl_tarifa, 0.0);
}

TEST(CalculaCheque, FirstChequeWithEveryFee) {
    const Parametros p = todasAsTarifas();
    TotaisTroca totais = TotaisTroca::inicio(p);
    ASSERT_EQ(totais.vl_tarifa, 10.0);

    const ChequeCalculado row = CalculaCheque(cheque(31), p, totais);
    EXPECT_EQ(row.nr_dias, 32);
    EXPECT_EQ(row.vl_juros, 32.00);
    EXPECT_DOUBLE_EQ(row.vl_cpmf, 3.80);
    EXPECT_EQ(row.vl_custodia, 1.50);
    EXPECT_DOUBLE_EQ(row.vl_advalorem, 1.00);
    EXPECT_EQ(row.vl_iof, 4.20);  // 32.00 * (32 * 0.0041) = 4.1984
    EXPECT_EQ(row.vl_tac, 10.0);
    EXPECT_EQ(row.vl_consulta, 2.50);
    EXPECT_EQ(row.vl_debitos, 0.0);
    EXPECT_DOUBLE_EQ(row.vl_liquido, 945.00);
    EXPECT_EQ(totais.vl_tarifa, 23.00);

    totais.adiciona(1000, row);
    EXPECT_EQ(totais.vl_bruto, 1000.00);
    EXPECT_EQ(totais.vl_juros, 32.00);
    EXPECT_DOUBLE_EQ(totais.liquido, 945.00);
    EXPECT_EQ(totais.nr_cheques, 1);
}

// The tariffs total of the worked example grows fee by fee: 10 at the start, then CPMF,
// custody, ad valorem, IOF (which rounds the running total) and the enquiry.
TEST(CalculaCheque, TariffsTotalGrowsStepByStep) {
    Parametros p;
    p.st_dia = true;
    p.st_tac = true;
    p.vl_tac = 10;
    const Parametros full = todasAsTarifas();
    std::vector<std::pair<bool Parametros::*, double>> steps = {{&Parametros::st_cpmf, 13.80},
                                                                {&Parametros::st_custodia, 15.30},
                                                                {&Parametros::st_advalorem, 16.30},
                                                                {&Parametros::st_iof, 20.50},
                                                                {&Parametros::st_consulta, 23.00}};
    p.vl_cpmf = full.vl_cpmf;
    p.vl_custodia = full.vl_custodia;
    p.vl_advalorem = full.vl_advalorem;
    p.vl_iof = full.vl_iof;
    p.vl_consulta = full.vl_consulta;
    EXPECT_EQ(TotaisTroca::inicio(p).vl_tarifa, 10.0);
    for (const auto& [sw, expected] : steps) {
        p.*sw = true;
        TotaisTroca totais = TotaisTroca::inicio(p);
        CalculaCheque(cheque(31), p, totais);
        EXPECT_NEAR(totais.vl_tarifa, expected, 1e-9);
    }
}

TEST(CalculaCheque, IofOfThirtyOneDays) {
    Parametros p;
    p.st_iof = true;
    p.vl_iof = 0.0041;
    TotaisTroca totais;
    const ChequeCalculado row = CalculaCheque(cheque(31), p, totais);
    EXPECT_EQ(row.vl_juros, 31.00);
    EXPECT_EQ(row.vl_iof, 3.94);  // 31.00 * 0.1271 = 3.9401
    EXPECT_EQ(totais.vl_tarifa, 3.94);
    EXPECT_DOUBLE_EQ(row.vl_liquido, 1000 - 31 - 3.94);
}

TEST(CalculaCheque, FixedTacOnlyOnTheFirstChequeAndNeverAddedAgain) {
    Parametros p;
    p.st_tac = true;
    p.vl_tac = 10;
    TotaisTroca totais = TotaisTroca::inicio(p);
    EXPECT_EQ(totais.vl_tarifa, 10.0);

    const ChequeCalculado first = CalculaCheque(cheque(31), p, totais);
    totais.adiciona(1000, first);
    const ChequeCalculado second = CalculaCheque(cheque(31), p, totais);
    totais.adiciona(1000, second);

    EXPECT_EQ(first.vl_tac, 10.0);
    EXPECT_EQ(second.vl_tac, 0.0);
    EXPECT_EQ(totais.vl_tarifa, 10.0);
    EXPECT_EQ(first.vl_liquido, 1000 - 31 - 10);
    EXPECT_EQ(second.vl_liquido, 1000 - 31);
    EXPECT_EQ(totais.liquido, 2000 - 62 - 10);
}

TEST(CalculaCheque, PercentageTacReplacesTheFixedOneOnEveryCheque) {
    Parametros p;
    p.st_tac = true;
    p.vl_tac = 10;
    p.st_tacper = true;
    p.vl_tacper = 0.005;
    TotaisTroca totais = TotaisTroca::inicio(p);
    const ChequeCalculado first = CalculaCheque(cheque(31, 1000), p, totais);
    totais.adiciona(1000, first);
    const ChequeCalculado second = CalculaCheque(cheque(31, 2000), p, totais);
    totais.adiciona(2000, second);

    EXPECT_DOUBLE_EQ(first.vl_tac, 5.0);
    EXPECT_DOUBLE_EQ(second.vl_tac, 10.0);
    // Each percentage is added; the fixed TAC it replaces is charged nowhere, so the totals
    // agree with the rows.
    EXPECT_DOUBLE_EQ(totais.vl_tarifa, 5 + 10);
    EXPECT_DOUBLE_EQ(totais.liquido, first.vl_liquido + second.vl_liquido);
}

TEST(CalculaCheque, PercentageTacAloneIsChargedOnEveryCheque) {
    Parametros p;
    p.st_tacper = true;
    p.vl_tacper = 0.01;
    TotaisTroca totais = TotaisTroca::inicio(p);
    EXPECT_EQ(totais.vl_tarifa, 0.0);
    const ChequeCalculado row = CalculaCheque(cheque(31, 1234.56), p, totais);
    EXPECT_DOUBLE_EQ(row.vl_tac, 12.3456);  // not rounded
    EXPECT_DOUBLE_EQ(totais.vl_tarifa, 12.3456);
}

TEST(CalculaCheque, DebitsOnEveryRowAndOnceInTheNetTotal) {
    TotaisTroca totais;
    totais.vl_debitos = 50;
    const ChequeCalculado first = CalculaCheque(cheque(31), Parametros{}, totais);
    totais.adiciona(1000, first);
    const ChequeCalculado second = CalculaCheque(cheque(31), Parametros{}, totais);
    totais.adiciona(1000, second);

    EXPECT_EQ(first.vl_debitos, 50.0);
    EXPECT_EQ(second.vl_debitos, 50.0);
    EXPECT_EQ(first.vl_liquido, 1000 - 31 - 50);
    EXPECT_EQ(second.vl_liquido, 1000 - 31 - 50);
    EXPECT_EQ(totais.liquido, 2000 - 62 - 50);
}

TEST(CalculaCheque, ZeroRateGivesNoInterestNorIofButTheOtherFees) {
    Parametros p = todasAsTarifas();
    TotaisTroca totais = TotaisTroca::inicio(p);
    const ChequeCalculado row = CalculaCheque(cheque(31, 1000, 0), p, totais);
    EXPECT_EQ(row.vl_juros, 0.0);
    EXPECT_EQ(row.vl_iof, 0.0);
    EXPECT_DOUBLE_EQ(row.vl_cpmf, 3.8);
    EXPECT_EQ(row.vl_custodia, 1.5);
    EXPECT_DOUBLE_EQ(row.vl_advalorem, 1.0);
    EXPECT_EQ(row.vl_tac, 10.0);
    EXPECT_EQ(row.vl_consulta, 2.5);
    EXPECT_DOUBLE_EQ(row.vl_liquido, 1000 - 3.8 - 2.5 - 10 - 1.5 - 1.0);
}

// Values whose binary form lies just under a half cent must still round up.
TEST(CalculaCheque, InterestRoundsHalfCentsUp) {
    TotaisTroca totais;
    // 30 * (3 / 100 * 1010.50 / 30) is 30.314999999999998 in binary.
    EXPECT_EQ(CalculaCheque(cheque(30, 1010.50), Parametros{}, totais).vl_juros, 30.32);
    // 60 * (3 / 100 * 1001.75 / 30) is 60.105 written, just under in binary.
    EXPECT_EQ(CalculaCheque(cheque(60, 1001.75), Parametros{}, totais).vl_juros, 60.11);
    // 31 * (2.5 / 100 * 1938 / 30) = 50.065.
    EXPECT_EQ(CalculaCheque(cheque(31, 1938, 2.5), Parametros{}, totais).vl_juros, 50.07);
}

TEST(CalculaCheque, IofAndTariffsRoundHalfCentsUp) {
    Parametros p;
    p.st_iof = true;
    p.vl_iof = 0.01;
    TotaisTroca totais;
    totais.vl_tarifa = 10;
    // 25 days at 1.284 % on 1000 gives interest 10.70; IOF 10.70 * (25 * 0.01) = 2.675,
    // which is 2.67499999... in binary.
    const ChequeCalculado row = CalculaCheque(cheque(25, 1000, 1.284), p, totais);
    ASSERT_EQ(row.vl_juros, 10.70);
    EXPECT_EQ(row.vl_iof, 2.68);
    EXPECT_EQ(totais.vl_tarifa, 12.68);
}

TEST(CalculaCheque, TariffsTotalTakesTheFeesAsTheRowStoresThem) {
    Parametros p;
    p.st_cpmf = true;
    p.vl_cpmf = 0.0038;
    TotaisTroca totais;
    const ChequeCalculado row = CalculaCheque(cheque(31, 1234.56), p, totais);
    EXPECT_DOUBLE_EQ(row.vl_cpmf, 4.691328);
    EXPECT_DOUBLE_EQ(totais.vl_tarifa, 4.691328);

    p.st_iof = true;
    p.vl_iof = 0.0041;
    TotaisTroca withIof;
    const ChequeCalculado rounded = CalculaCheque(cheque(31, 1234.56), p, withIof);
    // Interest 38.27; IOF product 38.27 * 0.1271 = 4.864117, stored 4.86; the total is what the
    // row stores, 4.691328 + 4.86, not rounded on the way.
    EXPECT_EQ(rounded.vl_juros, 38.27);
    EXPECT_EQ(rounded.vl_iof, 4.86);
    EXPECT_EQ(withIof.vl_tarifa, rounded.vl_cpmf + rounded.vl_iof);
}

TEST(CalculaCheque, RefusesMissingDatesAndLeavesTheTotals) {
    const Parametros p = todasAsTarifas();
    TotaisTroca totais = TotaisTroca::inicio(p);
    EXPECT_THROW(CalculaCheque({kTroca, QDate(), 1000, 3}, p, totais), AppError);
    EXPECT_THROW(CalculaCheque({QDate(), kTroca, 1000, 3}, p, totais), AppError);
    EXPECT_THROW(CalculaCheque({kTroca, kTroca, std::nan(""), 3}, p, totais), AppError);
    EXPECT_EQ(totais.vl_tarifa, 10.0);
}

}  // namespace
}  // namespace tavrel
