#pragma once

namespace tavrel {

struct ChequeCalculado;
struct Parametros;

// The stored amounts of one CHEQUES row that removing it from the exchange gives back.
// Empty columns read as 0.
struct ValoresCheque {
    double vl_cheque = 0;
    double vl_juros = 0;
    double vl_cpmf = 0;
    double vl_consulta = 0;
    double vl_iof = 0;
    double vl_advalorem = 0;
    double vl_custodia = 0;
    double vl_tac = 0;

    // The fees of the row, summed in the order the removal gives them back.
    double tarifas() const {
        return vl_cpmf + vl_consulta + vl_iof + vl_advalorem + vl_custodia + vl_tac;
    }
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
    // exchange when it is charged.
    static TotaisTroca inicio(const Parametros& parametros);

    // After CalculaCheque and the row saved: gross += value (rounded), interest += the row's
    // interest, net = gross - interest - debits - tariffs, count + 1.
    void adiciona(double vl_cheque, const ChequeCalculado& row);

    // After the row was deleted: gross, interest and count go back, and the net gets the
    // cheque's value less interest back and its fees returned. The cheque's own fees also leave
    // the tariffs total, so the next addition, which recomputes the net from that total, does
    // not charge them again. The fixed TAC of the exchange stays in the tariffs total: it
    // belongs to the exchange, which started with it.
    void remove(const ValoresCheque& row, const Parametros& parametros);
};

}  // namespace tavrel
