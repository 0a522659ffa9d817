#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <variant>

namespace tavrel {

// The shop's fees added to an instalment, in the order they are applied. The rates are
// multipliers (0.0038 for 0.38 %), the consultation an amount per instalment.
struct TaxasParcela {
    bool st_consulta = false;
    double vl_consulta = 0;
    bool st_cpmf = false;
    double vl_cpmf = 0;
    bool st_iof = false;
    double vl_iof = 0;
    bool st_tacper = false;
    double vl_tacper = 0;
};

// A financing to calculate: amount lent, rate in percent per period, number of instalments.
struct DadosParcelas {
    double credito = 0;
    double juros = 0;
    int parcelas = 0;
    TaxasParcela taxas;
};

// The result of a calculation and the amounts kept for the plan's exchange. Nothing is rounded.
struct CalculoParcela {
    double parcela = 0;      // the instalment with the fees
    double parcelaBase = 0;  // the Price instalment before the fees
    double amortizacao = 0;  // amount lent / number of instalments
    double consulta = 0;     // each fee's kept amount, 0 when not applied
    double cpmf = 0;
    double iof = 0;
    double tac = 0;
};

// The Price instalment P = i·PV / (1 − (1+i)^−n), then the fees in the fixed order
// consultation, CPMF, IOF, TAC, each rate compounding on the running amount and its kept amount
// taken on the amount just obtained. A rate of 0 gives PV / n, the formula's limit.
CalculoParcela calculaParcela(const DadosParcelas& dados);

// The operator's texts, as the boxes hold them.
struct TextosParcelas {
    QString credito;
    QString juros;
    QString parcelas;
    bool st_consulta = false;
    QString vl_consulta;
    bool st_cpmf = false;
    QString vl_cpmf;
    bool st_iof = false;
    QString vl_iof;
    bool st_tacper = false;
    QString vl_tacper;
};

// Reads and checks every input before anything is computed: the data, or the message to show
// for the first problem (an empty count or rate, a count that is not a whole number from 1 to
// 999, a negative rate, an unreadable or zero credit, a checked fee with an empty or unreadable
// box). The credit may carry the currency symbol ("R$ 1.000,00").
std::variant<DadosParcelas, QString> leDadosParcelas(const TextosParcelas& textos);

// Due dates of a plan of `parcelas` instalments from `inicio`: inicio, +30, +60 ... calendar
// days, never moved off weekends or holidays.
QList<QDate> vencimentosParcelas(const QDate& inicio, int parcelas);

// A calculated plan: the inputs read and what the calculation gave for them.
struct Plano {
    DadosParcelas dados;
    CalculoParcela calculo;
};

// Reads the texts (leDadosParcelas) and calculates the plan; the message to show instead when
// an input is refused or the amounts are beyond what a double holds (never "inf" or "nan").
std::variant<Plano, QString> calculaPlano(const TextosParcelas& textos);

// The instalment as the screen shows it and the plan's rows store it: rounded to cents.
double valorParcela(const Plano& plano);

// One row of the printed schedule (table PARCELAS).
struct LinhaParcela {
    QDate dt_vencimento;
    double vl_parcela = 0;     // the instalment shown, the same in every row
    double vl_financiado = 0;  // the credit
    double jurosoperacao = 0;  // the rate, per cent per period
    int parcelas = 0;
};

// The schedule of the plan from its first due date, one row per instalment.
QList<LinhaParcela> linhasParcelas(const Plano& plano, const QDate& inicio);

}  // namespace tavrel
