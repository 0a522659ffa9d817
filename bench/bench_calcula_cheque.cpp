// The calculation of one cheque, without a database: CalculaCheque, the totals and the
// deposit date shift over holidays held in memory.
#include <benchmark/benchmark.h>

#include <QDate>

#include "core/money.h"
#include "demo/demo_data.h"
#include "demo/holidays_br.h"
#include "exchange/calcula_cheque.h"
#include "exchange/feriados.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"

namespace {

using namespace tavrel;

Parametros todasAsTarifas() {
    Parametros p = demo::demoParametros();
    p.st_dia = true;
    p.st_cpmf = true;
    p.st_tacper = true;
    return p;
}

// One cheque of an exchange with every fee, and the totals after it.
void CalculaChequeComTotais(benchmark::State& state) {
    const Parametros p = todasAsTarifas();
    const QDate troca(2026, 12, 8);
    int n = 0;
    for (auto _ : state) {
        TotaisTroca totais = TotaisTroca::inicio(p);
        const ChequeEntrada entrada{troca, troca.addDays(1 + n % 150), 100 + (n % 5000) * 1.37,
                                    3.5};
        const ChequeCalculado row = CalculaCheque(entrada, p, totais);
        totais.adiciona(entrada.vl_cheque, row);
        benchmark::DoNotOptimize(totais.liquido);
        ++n;
    }
}
BENCHMARK(CalculaChequeComTotais);

// The same with no fee switched on: days and interest only.
void CalculaChequeSemTarifas(benchmark::State& state) {
    const Parametros p;
    const QDate troca(2026, 12, 8);
    int n = 0;
    for (auto _ : state) {
        TotaisTroca totais;
        const ChequeCalculado row =
            CalculaCheque({troca, troca.addDays(1 + n % 150), 1000, 3}, p, totais);
        benchmark::DoNotOptimize(row.vl_liquido);
        ++n;
    }
}
BENCHMARK(CalculaChequeSemTarifas);

void AjustaVencimentoEmMemoria(benchmark::State& state) {
    MemoryHolidays holidays;
    for (int year = 2024; year <= 2028; ++year) {
        for (const demo::Holiday& h : demo::brazilianHolidays(year)) {
            holidays.add(h.date);
        }
    }
    const QDate start(2026, 1, 1);
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AjustaVencimento(start.addDays(n++ % 365), holidays));
    }
}
BENCHMARK(AjustaVencimentoEmMemoria);

// The one money rounding, called four or five times a cheque.
void RoundMoney(benchmark::State& state) {
    double value = 1234.565;
    for (auto _ : state) {
        benchmark::DoNotOptimize(roundMoney(value));
        value += 0.001;
    }
}
BENCHMARK(RoundMoney);

}  // namespace

BENCHMARK_MAIN();
