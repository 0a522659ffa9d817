#include <gtest/gtest.h>

#include "exchange/calcula_cheque.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"
#include "todas_as_tarifas.h"

namespace tavrel {
namespace {

const QDate kTroca(2027, 1, 10);

// The amounts of a computed row, as they are read back from the table on removal.
ValoresCheque stored(double valor, const ChequeCalculado& row) {
    return {valor,      row.vl_juros,     row.vl_cpmf,     row.vl_consulta,
            row.vl_iof, row.vl_advalorem, row.vl_custodia, row.vl_tac};
}

// An open exchange on the screen: adds cheques the way the screen does.
struct Exchange {
    explicit Exchange(Parametros p) : parametros(p), totais(TotaisTroca::inicio(p)) {}
    ValoresCheque add(double valor, int diasAFrente = 31) {
        const ChequeCalculado row =
            CalculaCheque({kTroca, kTroca.addDays(diasAFrente), valor, 3}, parametros, totais);
        totais.adiciona(valor, row);
        rowNets += row.vl_liquido;
        return stored(valor, row);
    }
    Parametros parametros;
    TotaisTroca totais;
    double rowNets = 0;
};

TEST(TotaisTroca, StartValues) {
    EXPECT_EQ(TotaisTroca::inicio(Parametros{}).vl_tarifa, 0.0);
    const TotaisTroca withTac = TotaisTroca::inicio(todasAsTarifas());
    EXPECT_EQ(withTac.vl_tarifa, 10.0);
    EXPECT_EQ(withTac.vl_bruto + withTac.vl_juros + withTac.liquido + withTac.nr_cheques, 0.0);
}

TEST(TotaisTroca, GrossTotalIsRoundedAfterEachAddition) {
    Exchange exchange{Parametros{}};
    exchange.add(0.10, 0);
    exchange.add(0.20, 0);
    EXPECT_EQ(exchange.totais.vl_bruto, 0.30);  // not 0.30000000000000004
}

TEST(TotaisTroca, RemovalGivesTheFeesBackToTheNet) {
    Exchange exchange{todasAsTarifas()};
    exchange.add(1000);
    const ValoresCheque second = exchange.add(2000);
    const double netBefore = exchange.totais.liquido;

    exchange.totais.remove(second, exchange.parametros);

    EXPECT_EQ(exchange.totais.nr_cheques, 1);
    EXPECT_EQ(exchange.totais.vl_bruto, 1000.0);
    EXPECT_EQ(exchange.totais.vl_juros, 32.0);
    EXPECT_DOUBLE_EQ(exchange.totais.liquido,
                     netBefore - (2000 - second.vl_juros) + second.tarifas());
    EXPECT_DOUBLE_EQ(exchange.totais.liquido, 945.0);  // the first cheque alone
}

// The removed cheque's fees leave the tariffs total too, so the next cheque added does not
// charge them to the client a second time.
TEST(TotaisTroca, RemovedFeesAreNotChargedAgainByTheNextAddition) {
    Exchange exchange{todasAsTarifas()};
    exchange.add(1000);
    const ValoresCheque removed = exchange.add(2000);
    exchange.totais.remove(removed, exchange.parametros);
    exchange.rowNets -= 2000 - removed.vl_juros - removed.tarifas();
    exchange.add(500);

    // 23.00 of the first cheque, then CPMF 1.90, custody 1.50, ad valorem 0.50, IOF 2.0992
    // (rounding the total to 29.00) and the enquiry 2.50.
    EXPECT_NEAR(exchange.totais.vl_tarifa, 31.50, 1e-9);
    // The net total is the sum of the rows' nets (no debits here).
    EXPECT_NEAR(exchange.totais.liquido, exchange.rowNets, 1e-9);
}

TEST(TotaisTroca, RemovingTheOnlyChequeStartsTheExchangeAgain) {
    Exchange exchange{todasAsTarifas()};
    const ValoresCheque only = exchange.add(1000);
    exchange.totais.remove(only, exchange.parametros);

    EXPECT_EQ(exchange.totais.nr_cheques, 0);
    EXPECT_NEAR(exchange.totais.liquido, 0.0, 1e-9);
    EXPECT_NEAR(exchange.totais.vl_tarifa, 10.0, 1e-9);  // the fixed TAC of the exchange

    // The next cheque is again the first: it carries the fixed TAC, which is not added again.
    const ValoresCheque again = exchange.add(1000);
    EXPECT_EQ(again.vl_tac, 10.0);
    EXPECT_NEAR(exchange.totais.vl_tarifa, 23.00, 1e-9);
    EXPECT_NEAR(exchange.totais.liquido, 945.0, 1e-9);
}

TEST(TotaisTroca, RemovingAPercentageTacTakesItOffTheTariffs) {
    Parametros p;
    p.st_tacper = true;
    p.vl_tacper = 0.01;
    Exchange exchange{p};
    exchange.add(1000);
    const ValoresCheque second = exchange.add(2000);
    ASSERT_DOUBLE_EQ(exchange.totais.vl_tarifa, 30.0);
    exchange.totais.remove(second, p);
    EXPECT_DOUBLE_EQ(exchange.totais.vl_tarifa, 10.0);
    EXPECT_DOUBLE_EQ(exchange.totais.liquido, 1000 - 31 - 10);
}

TEST(TotaisTroca, DebitsStayOnRemoval) {
    Exchange exchange{Parametros{}};
    exchange.totais.vl_debitos = 50;
    exchange.add(1000);
    const ValoresCheque second = exchange.add(1000);
    exchange.totais.remove(second, exchange.parametros);
    EXPECT_EQ(exchange.totais.vl_debitos, 50.0);
    EXPECT_EQ(exchange.totais.liquido, 1000 - 31 - 50);
}

}  // namespace
}  // namespace tavrel
