#include "exchange/totais_troca.h"

#include "core/money.h"
#include "exchange/calcula_cheque.h"
#include "exchange/parametros.h"

namespace tavrel {

TotaisTroca TotaisTroca::inicio(const Parametros& p) {
    TotaisTroca totais;
    if (p.st_tac) {
        totais.vl_tarifa = p.vl_tac;
    }
    return totais;
}

void TotaisTroca::adiciona(double vl_cheque, const ChequeCalculado& row) {
    vl_bruto = roundMoney(vl_bruto + vl_cheque);
    vl_juros = vl_juros + row.vl_juros;
    liquido = vl_bruto - vl_juros - vl_debitos - vl_tarifa;
    nr_cheques = nr_cheques + 1;
}

void TotaisTroca::remove(const ValoresCheque& row, const Parametros& p) {
    vl_bruto = vl_bruto - row.vl_cheque;
    vl_juros = vl_juros - row.vl_juros;
    nr_cheques = nr_cheques - 1;
    liquido = liquido - (row.vl_cheque - row.vl_juros);
    liquido = liquido + row.tarifas();
    // Without the percentage TAC, a TAC on a row is the exchange's fixed one, which stays.
    const double ownTac = p.st_tacper ? row.vl_tac : 0.0;
    vl_tarifa = vl_tarifa - (row.vl_cpmf + row.vl_consulta + row.vl_iof + row.vl_advalorem +
                             row.vl_custodia + ownTac);
}

}  // namespace tavrel
