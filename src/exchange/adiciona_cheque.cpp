#include "exchange/adiciona_cheque.h"

#include "data/codes.h"
#include "data/transaction.h"
#include "exchange/calcula_cheque.h"
#include "exchange/totais_troca.h"

namespace tavrel {

ChequeAdicionado gravaChequeNaTroca(ChequeStore& store, NovoCheque cheque, OrigemDocumento origem,
                                    bool numeroProposto, const Parametros& parametros,
                                    const TotaisTroca& totais) {
    ChequeAdicionado adicionado;
    TransactionGuard transaction(store.db(), TransactionGuard::Lock::Immediate);
    if (numeroProposto && store.trocaExiste(cheque.cd_troca)) {
        cheque.cd_troca = store.proximaTroca().cd_troca;
        adicionado.numeroMudou = true;
    }
    const HistoricoEmitente historico = store.historico(cheque.cd_documento);
    cheque.nr_sequencial = historico.nr_sequencial();
    cheque.vl_acumulado = historico.vl_acumulado;
    cheque.vl_aberto = origem == OrigemDocumento::Digitado ? historico.vl_aberto : 0;
    cheque.vl_liquidez = store.liquidez(cheque.cd_documento);

    adicionado.totais = totais;
    cheque.calculo =
        CalculaCheque({cheque.dt_troca, cheque.dt_deposito, cheque.vl_cheque, cheque.vl_taxa},
                      parametros, adicionado.totais);
    store.insere(cheque);
    transaction.commit();
    adicionado.totais.adiciona(cheque.vl_cheque, cheque.calculo);
    adicionado.cheque = cheque;
    return adicionado;
}

}  // namespace tavrel
