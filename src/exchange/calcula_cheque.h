#pragma once

#include <QDate>

namespace tavrel {

struct Parametros;
struct TotaisTroca;

// What the operator gives for one cheque of the exchange. The debits and the count of cheques
// so far come from the exchange totals.
struct ChequeEntrada {
    QDate dt_troca;     // day of the exchange
    QDate dt_deposito;  // deposit date, already moved by AjustaVencimento
    double vl_cheque = 0;
    double vl_taxa = 0;  // per cent per 30 days
};

// The columns of a new CHEQUES row that the calculation fills, named after them.
struct ChequeCalculado {
    double nr_dias = 0;   // days charged
    double vl_juros = 0;  // rounded to cents
    double vl_cpmf = 0;   // not rounded
    double vl_custodia = 0;
    double vl_advalorem = 0;  // not rounded
    double vl_iof = 0;        // rounded to cents
    double vl_tac = 0;        // fixed TAC on the first cheque, or the percentage TAC
    double vl_consulta = 0;
    double vl_debitos = 0;  // the exchange's debits, repeated on every cheque
    double vl_liquido = 0;  // value less interest, debits and fees; not rounded
};

// Computes one cheque added to the exchange, step by step:
//  1-2. days: from the exchange to the deposit date; the minimum days when they apply (then
//       nothing is added), otherwise plus the D+ days and the day of the operation;
//  3.   interest = days * (rate / 100 * value / 30), rounded;
//  4-9. CPMF, custody, ad valorem, IOF, TAC and enquiry, each added to the tariffs total as the
//       row stores it (TotaisTroca::acumulaTarifas). IOF is the row's interest * (the row's
//       days * vl_iof), rounded. The fixed TAC goes on the first cheque only and is not added
//       (the total started with it); the percentage TAC replaces it on every cheque and is
//       added;
//  10.  the exchange's debits;
//  11.  net = value - (interest + debits + IOF + CPMF + enquiry + TAC + custody + ad valorem),
//       summed in that order, not rounded.
// Only totais.vl_tarifa changes here; TotaisTroca::adiciona takes the rest once the row is
// saved. Throws AppError, leaving the totals untouched, when a date is missing or the value or
// rate is not a finite number: a cheque must not be stored with made-up days or amounts.
ChequeCalculado CalculaCheque(const ChequeEntrada& entrada, const Parametros& parametros,
                              TotaisTroca& totais);

// Days charged for a cheque d calendar days ahead (step 2 above).
double diasCobrados(double d, const Parametros& parametros);

}  // namespace tavrel
