#pragma once

#include "exchange/parametros.h"

namespace tavrel {

// Every fee switched on with the values of the worked example: a first cheque of 1000 at 3 per
// cent over 31 days pays 32.00 interest, 23.00 in tariffs and nets 945.00.
inline Parametros todasAsTarifas() {
    Parametros p;
    p.st_dia = true;
    p.st_cpmf = true;
    p.vl_cpmf = 0.0038;
    p.st_custodia = true;
    p.vl_custodia = 1.5;
    p.st_advalorem = true;
    p.vl_advalorem = 0.001;
    p.st_iof = true;
    p.vl_iof = 0.0041;
    p.st_tac = true;
    p.vl_tac = 10;
    p.st_consulta = true;
    p.vl_consulta = 2.5;
    return p;
}

}  // namespace tavrel
