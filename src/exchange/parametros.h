#pragma once

class QSqlDatabase;

namespace tavrel {

// The parameters row (CONFIG of the main database) as the exchange calculation uses it.
// Members carry the column names. Switches are tested for being true; values are used as
// stored: the fee values are plain multipliers (0.0038 charges 0.38 per cent), the days may
// hold fractions if the operator typed them.
struct Parametros {
    bool cr_numerodias = false;  // charge at least vl_diasminimo days
    double vl_diasminimo = 0;
    bool st_incluirdias = false;  // add vl_dmais ("D+") days to every term
    double vl_dmais = 0;
    bool st_dia = false;  // count the day of the operation as one more day
    bool st_cpmf = false;
    double vl_cpmf = 0;  // multiplier of the cheque value
    bool st_iof = false;
    double vl_iof = 0;  // daily multiplier of the interest
    bool st_advalorem = false;
    double vl_advalorem = 0;  // multiplier of the cheque value
    bool st_custodia = false;
    double vl_custodia = 0;  // amount per cheque
    bool st_tac = false;
    double vl_tac = 0;  // amount per exchange, charged on its first cheque
    bool st_tacper = false;
    double vl_tacper = 0;  // multiplier of the cheque value, replaces the fixed TAC
    bool st_consulta = false;
    double vl_consulta = 0;      // amount per cheque
    bool st_jzero = false;       // a zero rate is allowed (the screen tests it)
    double vl_concentracao = 0;  // kept in the row, used by no calculation
};

// Reads the parameters row of the main database. Empty values read as 0 (switch off).
// Throws AppError when the table has no row: computing without it would store wrong fees.
Parametros carregaParametros(const QSqlDatabase& db);

// Writes every field of the parameters row (the demo data and tests set it up this way).
void gravaParametros(const QSqlDatabase& db, const Parametros& parametros);

}  // namespace tavrel
