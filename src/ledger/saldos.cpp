#include "ledger/saldos.h"

namespace tavrel {
namespace {

bool credito(const Movimento& m) {
    return m.status == QLatin1String("C");
}
bool debito(const Movimento& m) {
    return m.status == QLatin1String("D");
}

}  // namespace

Posicao AtualizaPosicao(std::span<const Movimento> movimentos) {
    Posicao posicao;
    for (const Movimento& m : movimentos) {
        if (debito(m)) {
            posicao.debitos += m.valor;
        } else if (credito(m)) {
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
        if (debito(m)) {
            saldo = saldo - m.valor;
        } else if (credito(m)) {
            saldo = saldo + m.valor;
        }
        saldos.push_back(saldo);
    }
    return saldos;
}

}  // namespace tavrel
