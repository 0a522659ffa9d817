#include "lifecycle/recompra_manual.h"

#include "core/ptbr.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {

std::variant<NovaRecompra, QString> confereRecompra(const RecompraDigitada& digitada) {
    if (digitada.nomeCliente.trimmed().isEmpty()) {
        return QStringLiteral("Não posso incluir cheque sem cliente");
    }
    if (digitada.cd_cliente.isEmpty()) {
        return QStringLiteral("Cliente não cadastrado: escolha o cliente na lista");
    }
    const std::optional<QDate> deposito = parseDate(digitada.deposito);
    if (!deposito) {
        return QStringLiteral("Data de depósito inválida: digite dia, mês e ano (dd/mm/aaaa)");
    }
    const std::optional<double> taxa = parseNumber(digitada.taxa, NumberKind::Rate);
    if (!taxa || *taxa < 0) {
        return QStringLiteral("Taxa inválida: digite a taxa ao mês, por exemplo 3,5");
    }
    const std::optional<double> valor = parseNumber(digitada.valor);
    if (!valor || *valor <= 0) {
        return QStringLiteral("Valor inválido: digite o valor do cheque, por exemplo 1.500,00");
    }
    if (!digitada.troca.isValid()) {
        return QStringLiteral("Data da troca inválida");
    }
    NovaRecompra entrada;
    entrada.cd_cliente = digitada.cd_cliente;
    entrada.cd_troca = QStringLiteral("00000");
    entrada.vl_cheque = *valor;
    entrada.vl_taxa = *taxa;
    entrada.dt_deposito = *deposito;
    entrada.dt_troca = digitada.troca;
    return entrada;
}

QString gravaRecompraManual(const QSqlDatabase& db, const NovaRecompra& entrada) {
    TransactionGuard transaction(db, TransactionGuard::Lock::Immediate);
    const bool cadastrado =
        scalarSql(db, QStringLiteral("SELECT 1 FROM CLIENTES WHERE CD_CLIENTE = ? LIMIT 1"),
                  {entrada.cd_cliente})
            .isValid();
    if (!cadastrado) {
        return {};
    }
    const QString numero = incluiRecompra(db, entrada);
    transaction.commit();
    return numero;
}

}  // namespace tavrel
