#include "ledger/saldos.h"

namespace tavrel {

Sentido sentidoDoStatus(QStringView status) {
    if (status == u"C") {
        return Sentido::Credito;
    }
    if (status == u"D") {
        return Sentido::Debito;
    }
    return Sentido::Nenhum;
}

Sentido sentidoDoNumero(int numero) {
    return numero > 0 ? Sentido::Credito : numero < 0 ? Sentido::Debito : Sentido::Nenhum;
}

Posicao AtualizaPosicao(std::span<const Movimento> movimentos) {
    Posicao posicao;
    for (const Movimento& m : movimentos) {
        if (m.sentido == Sentido::Debito) {
            posicao.debitos += m.valor;
        } else if (m.sentido == Sentido::Credito) {
            posicao.creditos += m.valor;
        }
    }
    posicao.saldo = posicao.creditos - posicao.debitos;
    return posicao;
}

std::vector<double> RecalculaSaldos(std::span<const Movimento> emOrdemDeData) {
    std::vector<double> saldos;
    saldos.reserve(emOrdemDeData.size());
    double saldo = 0;
    for (const Movimento& m : emOrdemDeData) {
        if (m.sentido == Sentido::Debito) {
            saldo = saldo - m.valor;
        } else if (m.sentido == Sentido::Credito) {
            saldo = saldo + m.valor;
        }
        saldos.push_back(saldo);
    }
    return saldos;
}

}  // namespace tavrel
