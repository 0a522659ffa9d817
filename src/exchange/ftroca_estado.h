#pragma once

#include <memory>

#include "data/connection.h"
#include "exchange/cheque_store.h"
#include "exchange/feriados.h"
#include "exchange/ftroca.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"

namespace tavrel {

// What the exchange screen keeps besides its controls.
struct FTROCA::Estado {
    std::unique_ptr<Connection> conexao;
    std::unique_ptr<ChequeStore> cheques;  // prepared once, after the connection
    std::unique_ptr<DatabaseHolidays> feriados;
    Parametros parametros;
    TotaisTroca totais;
};

}  // namespace tavrel
