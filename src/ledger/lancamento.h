#pragma once

#include <QDate>
#include <QString>
#include <variant>

namespace tavrel {

// An entry ready to be written: an account and a description chosen, an amount above zero and
// a real date.
struct Lancamento {
    QString cd_conta;
    QString cd_historico;
    QString ds_complemento;
    double vl_lancamento = 0;
    QDate dt_lancamento;
};

// What the operator has on the entries screen: codes of the chosen account and description
// (empty when none is chosen) and the typed texts.
struct LancamentoDigitado {
    QString cd_conta;
    QString cd_historico;
    QString ds_complemento;
    QString vl_lancamento;
    QString dt_lancamento;  // empty when the date box is not completely typed
};

// Why typed values cannot be written, and the field the operator has to correct.
struct LancamentoRecusado {
    enum class Campo { Conta, Historico, Valor, Data };
    Campo campo;
    QString mensagem;
};

// The checks made before an entry is written; the first failing one is returned.
std::variant<Lancamento, LancamentoRecusado> confereLancamento(const LancamentoDigitado& digitado);

}  // namespace tavrel
