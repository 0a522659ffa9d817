#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "exchange/calcula_cheque.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"
#include "todas_as_tarifas.h"

namespace tavrel {
namespace {

const QDate kTroca(2027, 1, 10);

double rowFees(const ValoresCheque& v) {
    return v.vl_cpmf + v.vl_consulta + v.vl_iof + v.vl_advalorem + v.vl_custodia + v.vl_tac;
}

// An open exchange on the screen: adds cheques the way the screen does and keeps its rows.
struct Exchange {
    explicit Exchange(Parametros p, double debitos = 0)
        : parametros(p), totais(TotaisTroca::inicio(p)) {
        totais.vl_debitos = debitos;
    }
    ValoresCheque add(double valor, int diasAFrente = 31) {
        const ChequeCalculado row =
            CalculaCheque({kTroca, kTroca.addDays(diasAFrente), valor, 3}, parametros, totais);
        totais.adiciona(valor, row);
        rows << ValoresCheque::de(valor, row);
        return rows.last();
    }
    TotaisTroca fromRows() const {
        return TotaisTroca::dasLinhas(rows, parametros, totais.vl_debitos);
    }
    Parametros parametros;
    TotaisTroca totais;
    QList<ValoresCheque> rows;
};

void expectSame(const TotaisTroca& a, const TotaisTroca& b) {
    EXPECT_EQ(a.vl_bruto, b.vl_bruto);
    EXPECT_EQ(a.vl_juros, b.vl_juros);
    EXPECT_EQ(a.vl_tarifa, b.vl_tarifa);
    EXPECT_EQ(a.vl_debitos, b.vl_debitos);
    EXPECT_EQ(a.liquido, b.liquido);
    EXPECT_EQ(a.nr_cheques, b.nr_cheques);
}

TEST(TotaisTroca, StartValues) {
    EXPECT_EQ(TotaisTroca::inicio(Parametros{}).vl_tarifa, 0.0);
    const TotaisTroca withTac = TotaisTroca::inicio(todasAsTarifas());
    EXPECT_EQ(withTac.vl_tarifa, 10.0);
    EXPECT_EQ(withTac.vl_bruto + withTac.vl_juros + withTac.liquido + withTac.nr_cheques, 0.0);

    // The percentage TAC replaces the fixed one: it is not in the tariffs of a new exchange.
    Parametros both = todasAsTarifas();
    both.st_tacper = true;
    both.vl_tacper = 0.01;
    EXPECT_EQ(TotaisTroca::inicio(both).vl_tarifa, 0.0);
}

TEST(TotaisTroca, GrossTotalIsRoundedAfterEachAddition) {
    Exchange exchange{Parametros{}};
    exchange.add(0.10, 0);
    exchange.add(0.20, 0);
    EXPECT_EQ(exchange.totais.vl_bruto, 0.30);  // not 0.30000000000000004
}

// Worked out from the stored rows, the totals are the running totals of the additions, to the
// last bit, whatever the fees switched on.
TEST(TotaisTroca, FromTheRowsEqualsAddingThemOneByOne) {
    QRandomGenerator random(2026);
    for (int round = 0; round < 200; ++round) {
        Parametros p = todasAsTarifas();
        p.st_cpmf = random.bounded(2) == 1;
        p.st_iof = random.bounded(2) == 1;
        p.st_tac = random.bounded(2) == 1;
        p.st_tacper = random.bounded(2) == 1;
        p.vl_tacper = 0.0037;
        Exchange exchange{p, random.bounded(2) == 1 ? 40.0 : 0.0};
        const int cheques = 1 + random.bounded(8);
        for (int i = 0; i < cheques; ++i) {
            exchange.add(random.bounded(1, 500000) / 100.0, random.bounded(0, 120));
        }
        SCOPED_TRACE(round);
        expectSame(exchange.fromRows(), exchange.totais);
    }
}

TEST(TotaisTroca, NoRowsIsANewExchange) {
    const TotaisTroca none = TotaisTroca::dasLinhas({}, todasAsTarifas(), 40);
    EXPECT_EQ(none.vl_tarifa, 10.0);  // the fixed TAC of the exchange
    EXPECT_EQ(none.vl_debitos, 40.0);
    EXPECT_EQ(none.liquido, 0.0);
    EXPECT_EQ(none.nr_cheques, 0);
}

// After a removal the totals are those of the remaining rows: the removed cheque's fees are
// neither kept in the tariffs nor charged again by the next cheque.
TEST(TotaisTroca, AfterARemovalTheyAreThoseOfTheRemainingRows) {
    Exchange exchange{todasAsTarifas()};
    exchange.add(1000);
    exchange.add(2000);
    exchange.rows.removeLast();
    const TotaisTroca afterRemoval = exchange.fromRows();
    EXPECT_EQ(afterRemoval.nr_cheques, 1);
    EXPECT_EQ(afterRemoval.vl_bruto, 1000.0);
    EXPECT_DOUBLE_EQ(afterRemoval.vl_tarifa, 23.0);
    EXPECT_DOUBLE_EQ(afterRemoval.liquido, 945.0);

    exchange.totais = afterRemoval;
    exchange.add(500);
    // 23.00 of the first cheque, then CPMF 1.90, custody 1.50, ad valorem 0.50, IOF 2.0992
    // (rounding the total to 29.00) and the enquiry 2.50.
    EXPECT_NEAR(exchange.totais.vl_tarifa, 31.50, 1e-9);
    double nets = 0;
    for (const ValoresCheque& row : exchange.rows) {
        nets += row.vl_cheque - row.vl_juros - rowFees(row);
    }
    EXPECT_NEAR(exchange.totais.liquido, nets, 1e-9);
}

TEST(TotaisTroca, DebitsAreTakenOnceFromTheNet) {
    Exchange exchange{Parametros{}, 50};
    exchange.add(1000);
    exchange.add(1000);
    const TotaisTroca totais = exchange.fromRows();
    EXPECT_EQ(totais.vl_debitos, 50.0);
    EXPECT_EQ(totais.liquido, 2000 - 62 - 50);
}

// The tariffs total is the sum of the fees the rows store: with fractions of a cent in the CPMF,
// it is not rounded at each IOF, so the net to pay is the one the rows and the statement give.
TEST(TotaisTroca, TariffsAreTheSumOfTheStoredFees) {
    Parametros p;
    p.st_cpmf = true;
    p.vl_cpmf = 0.0038;
    p.st_iof = true;
    p.vl_iof = 0.0041;
    Exchange exchange{p};
    // Each cheque: CPMF 1.0013 and IOF 0.001066, stored as 0.00.
    exchange.add(263.50, 1);
    exchange.add(263.50, 1);
    EXPECT_DOUBLE_EQ(exchange.totais.vl_tarifa, 2 * 263.50 * 0.0038);
    double fees = 0;
    for (const ValoresCheque& row : exchange.rows) {
        fees += rowFees(row);
    }
    EXPECT_EQ(exchange.totais.vl_tarifa, fees);
}

}  // namespace
}  // namespace tavrel
