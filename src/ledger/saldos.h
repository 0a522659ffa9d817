#pragma once

#include <QString>
#include <span>
#include <vector>

namespace tavrel {

// One ledger entry as the totals and the running balance see it.
struct Movimento {
    double valor = 0;  // VL_LANCAMENTO, always positive
    QString status;    // CD_STATUS: "C" adds, "D" subtracts, anything else counts in neither
};

// The account's position as the "Posição" frame shows it.
struct Posicao {
    double creditos = 0;
    double debitos = 0;
    double saldo = 0;  // creditos - debitos
};

// AtualizaPosicao: the credits and the debits of the account's entries, added in the order
// given (the screen gives them in entry-code order), and their difference.
Posicao AtualizaPosicao(std::span<const Movimento> movimentos);

// RecalculaSaldos: the running balance after each entry, the entries given in the order of
// date, then entry code. Starts at 0; a credit adds its amount, a debit subtracts it, any other
// status leaves the balance. Unrounded: the stored VL_SALDO is exactly this double.
std::vector<double> RecalculaSaldos(std::span<const Movimento> emOrdemDeData);

}  // namespace tavrel
