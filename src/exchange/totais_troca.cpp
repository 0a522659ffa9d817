#include "exchange/totais_troca.h"

#include "core/money.h"
#include "exchange/calcula_cheque.h"
#include "exchange/parametros.h"

namespace tavrel {

ValoresCheque ValoresCheque::de(double vl_cheque, const ChequeCalculado& row) {
    ValoresCheque v;
    v.vl_cheque = vl_cheque;
    v.vl_juros = row.vl_juros;
    v.nr_dias = row.nr_dias;
    v.vl_cpmf = row.vl_cpmf;
    v.vl_consulta = row.vl_consulta;
    v.vl_iof = row.vl_iof;
    v.vl_advalorem = row.vl_advalorem;
    v.vl_custodia = row.vl_custodia;
    v.vl_tac = row.vl_tac;
    return v;
}

bool tacFixa(const Parametros& p) {
    return p.st_tac && !p.st_tacper;
}

TotaisTroca TotaisTroca::inicio(const Parametros& p) {
    TotaisTroca totais;
    if (tacFixa(p)) {
        totais.vl_tarifa = p.vl_tac;
    }
    return totais;
}

TotaisTroca TotaisTroca::dasLinhas(const QList<ValoresCheque>& linhas, const Parametros& p,
                                   double debitos) {
    TotaisTroca totais = inicio(p);
    totais.vl_debitos = debitos;
    for (const ValoresCheque& linha : linhas) {
        totais.acumulaTarifas(linha, p);
        totais.soma(linha.vl_cheque, linha.vl_juros);
    }
    return totais;
}

void TotaisTroca::acumulaTarifas(const ValoresCheque& row, const Parametros& p) {
    // A fee that is switched off is 0 on the row: adding it changes nothing.
    vl_tarifa += row.vl_cpmf;
    vl_tarifa += row.vl_custodia;
    vl_tarifa += row.vl_advalorem;
    vl_tarifa += row.vl_iof;
    if (p.st_tacper) {
        vl_tarifa += row.vl_tac;
    }
    vl_tarifa += row.vl_consulta;
}

void TotaisTroca::adiciona(double vl_cheque, const ChequeCalculado& row) {
    soma(vl_cheque, row.vl_juros);
}

void TotaisTroca::soma(double valor, double juros) {
    vl_bruto = roundMoney(vl_bruto + valor);
    vl_juros = vl_juros + juros;
    liquido = vl_bruto - vl_juros - vl_debitos - vl_tarifa;
    nr_cheques = nr_cheques + 1;
}

}  // namespace tavrel
