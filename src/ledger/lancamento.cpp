#include "ledger/lancamento.h"

#include <cmath>
#include <optional>

#include "core/ptbr.h"

namespace tavrel {

std::variant<Lancamento, LancamentoRecusado> confereLancamento(const LancamentoDigitado& d) {
    using Campo = LancamentoRecusado::Campo;
    if (d.cd_conta.isEmpty()) {
        return LancamentoRecusado{Campo::Conta, QStringLiteral("Escolha a conta do lançamento.")};
    }
    if (d.cd_historico.isEmpty()) {
        return LancamentoRecusado{Campo::Historico,
                                  QStringLiteral("Escolha o histórico do lançamento.")};
    }
    const std::optional<double> valor = parseNumber(d.vl_lancamento);
    if (!valor || !std::isfinite(*valor) || *valor <= 0) {
        return LancamentoRecusado{
            Campo::Valor,
            QStringLiteral("Valor inválido: digite um valor maior que zero, como 1.500,75.")};
    }
    const std::optional<QDate> data = parseDate(d.dt_lancamento);
    if (!data) {
        return LancamentoRecusado{
            Campo::Data, QStringLiteral("Data inválida: digite dia, mês e ano, como 08/12/2026.")};
    }
    return Lancamento{d.cd_conta, d.cd_historico, d.ds_complemento, *valor, *data};
}

}  // namespace tavrel
