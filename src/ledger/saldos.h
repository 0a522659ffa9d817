#pragma once

#include <QStringView>
#include <span>
#include <vector>

namespace tavrel {

// How an entry moves its account's balance, from its status (CD_STATUS, copied from the type
// of its description): "C" is a credit, "D" a debit, anything else (no type) neither.
enum class Sentido { Nenhum = 0, Credito = 1, Debito = -1 };
Sentido sentidoDoStatus(QStringView status);
// The same rule as an SQL expression over CD_STATUS giving 1, -1 or 0, for reading many
// entries at once without a text per row.
inline constexpr const char* kSentidoSql =
    "CASE CD_STATUS WHEN 'C' THEN 1 WHEN 'D' THEN -1 ELSE 0 END";
Sentido sentidoDoNumero(int numero);  // 1, -1 or 0 as kSentidoSql gives them

// One ledger entry as the totals and the running balance see it.
struct Movimento {
    double valor = 0;  // VL_LANCAMENTO, entered positive
    Sentido sentido = Sentido::Nenhum;
};

// The account's position as the "Posição" frame shows it.
struct Posicao {
    double creditos = 0;
    double debitos = 0;
    double saldo = 0;  // creditos - debitos
};

// AtualizaPosicao: the credits and the debits of the account's entries, each added in the
// order given, and their difference.
Posicao AtualizaPosicao(std::span<const Movimento> movimentos);

// RecalculaSaldos: the running balance after each entry, the entries given in the order of
// date, then entry code. Starts at 0; a credit adds its amount, a debit subtracts it, an entry
// of neither leaves the balance. Unrounded: the stored VL_SALDO is exactly this double.
std::vector<double> RecalculaSaldos(std::span<const Movimento> emOrdemDeData);

}  // namespace tavrel
