#pragma once

#include "exchange/cheque_store.h"
#include "exchange/totais_troca.h"

namespace tavrel {

struct Parametros;

// How the exchange screen came to the cheque's issuer.
enum class OrigemDocumento {
    Digitado,  // the document typed: the history gives the accumulated and the open totals
    Leitora,   // the reader's key found it: only the accumulated total is taken
};

// What gravaChequeNaTroca wrote.
struct ChequeAdicionado {
    NovoCheque cheque;         // the row as written, with its exchange number
    bool numeroMudou = false;  // the proposed number was taken meanwhile
    TotaisTroca totais;        // the exchange's totals with the cheque
};

// Adds one cheque to an exchange in one transaction that holds the write lock from its start:
// reads the issuer's history (sequence number, accumulated and open totals) and liquidity,
// confirms an exchange number proposed by "&NOVO" (`numeroProposto`) or, when another screen
// wrote cheques under it meanwhile, takes the next free number, computes the cheque with the
// exchange's totals (CalculaCheque) and writes it. `cheque` brings the identifying columns the
// operator gave; `totais` are the exchange's totals before the cheque, as its rows give them, and
// the totals returned are then those of its rows with this one (TotaisTroca::dasLinhas of them,
// to the bit). Throws (DataError, AppError) with nothing written.
ChequeAdicionado gravaChequeNaTroca(ChequeStore& store, NovoCheque cheque, OrigemDocumento origem,
                                    bool numeroProposto, const Parametros& parametros,
                                    const TotaisTroca& totais);

}  // namespace tavrel
