#pragma once

#include <QList>

namespace tavrel {

struct ChequeCalculado;
struct Parametros;

// The stored amounts of one CHEQUES row of an exchange, as the totals read them back.
// Empty columns read as 0.
struct ValoresCheque {
    double vl_cheque = 0;
    double vl_juros = 0;
    double nr_dias = 0;
    double vl_cpmf = 0;
    double vl_consulta = 0;
    double vl_iof = 0;
    double vl_advalorem = 0;
    double vl_custodia = 0;
    double vl_tac = 0;

    // The row of a cheque of that value as the calculation computed it.
    static ValoresCheque de(double vl_cheque, const ChequeCalculado& row);
};

// The running totals of the exchange on the screen; never stored as such.
struct TotaisTroca {
    double vl_bruto = 0;    // gross
    double vl_juros = 0;    // interest
    double vl_tarifa = 0;   // tariffs (fees)
    double vl_debitos = 0;  // the client's debits, set when the client is chosen
    double liquido = 0;     // net, the amount to pay the client
    int nr_cheques = 0;

    // A new exchange: everything 0, except the tariffs, which start with the fixed TAC of the
    // exchange when it is charged. When the percentage TAC is on it replaces the fixed one on
    // every cheque, so the fixed TAC is not in the tariffs at all.
    static TotaisTroca inicio(const Parametros& parametros);

    // The totals of an exchange whose rows are `linhas` (in the order they were added): what
    // adding them one by one to a new exchange with these debits gives. The screen works its
    // totals out this way after every change, so they always agree with the stored rows.
    static TotaisTroca dasLinhas(const QList<ValoresCheque>& linhas, const Parametros& parametros,
                                 double debitos);

    // The fees of a computed row go into the tariffs total as the row stores them: CPMF,
    // custody, ad valorem, the IOF (rounded on its row), the percentage TAC (the fixed one was
    // there from the start) and the enquiry. The total is not rounded on the way: it stays the
    // sum of the rows' fees, so the screen, the rows and the printed statement agree to the cent.
    void acumulaTarifas(const ValoresCheque& row, const Parametros& parametros);

    // After CalculaCheque and the row saved: gross += value (rounded), interest += the row's
    // interest, net = gross - interest - debits - tariffs, count + 1.
    void adiciona(double vl_cheque, const ChequeCalculado& row);

private:
    void soma(double valor, double juros);
};

// Whether the TAC of the exchange is the fixed one, charged once on its first cheque.
bool tacFixa(const Parametros& parametros);

}  // namespace tavrel
