#include "exchange/calcula_cheque.h"

#include <cmath>

#include "core/errors.h"
#include "core/money.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"

namespace tavrel {
namespace {

void requireInputs(const ChequeEntrada& entrada) {
    const QString source = QStringLiteral("CalculaCheque");
    if (!entrada.dt_troca.isValid()) {
        throw AppError(error_number::kTypeMismatch,
                       QStringLiteral("DATA DA TROCA INVÁLIDA: o cheque não foi incluído."),
                       source);
    }
    if (!entrada.dt_deposito.isValid()) {
        throw AppError(error_number::kTypeMismatch,
                       QStringLiteral("DATA DE VENCIMENTO VAZIA OU INVÁLIDA: o cheque não foi "
                                      "incluído."),
                       source);
    }
    if (!std::isfinite(entrada.vl_cheque) || !std::isfinite(entrada.vl_taxa)) {
        throw AppError(error_number::kTypeMismatch,
                       QStringLiteral("VALOR OU TAXA INVÁLIDOS: o cheque não foi incluído."),
                       source);
    }
}

}  // namespace

double diasCobrados(double d, const Parametros& p) {
    if (p.cr_numerodias && d <= p.vl_diasminimo) {
        return p.vl_diasminimo;
    }
    if (p.st_incluirdias) {
        return d + p.vl_dmais + (p.st_dia ? 1 : 0);
    }
    if (p.st_dia) {
        return d + 1;
    }
    return d;
}

ChequeCalculado CalculaCheque(const ChequeEntrada& entrada, const Parametros& p,
                              TotaisTroca& totais) {
    requireInputs(entrada);
    const double valor = entrada.vl_cheque;
    ChequeCalculado row;

    // 1-2. Days.
    const double d = static_cast<double>(entrada.dt_troca.daysTo(entrada.dt_deposito));
    row.nr_dias = diasCobrados(d, p);

    // 3. Interest, in the order rate / 100 * value / 30, then times the days.
    row.vl_juros = roundMoney(row.nr_dias * (entrada.vl_taxa / 100 * valor / 30));

    // 4. CPMF.
    if (p.st_cpmf) {
        row.vl_cpmf = valor * p.vl_cpmf;
    }
    // 5. Custody.
    if (p.st_custodia) {
        row.vl_custodia = p.vl_custodia;
    }
    // 6. Ad valorem.
    if (p.st_advalorem) {
        row.vl_advalorem = valor * p.vl_advalorem;
    }
    // 7. IOF over the row's interest and days.
    if (p.st_iof) {
        row.vl_iof = roundMoney(row.vl_juros * (row.nr_dias * p.vl_iof));
    }
    // 8. TAC. The fixed one is already in the total from the start of the exchange.
    if (p.st_tac && totais.nr_cheques == 0) {
        row.vl_tac = p.vl_tac;
    }
    if (p.st_tacper) {
        row.vl_tac = p.vl_tacper * valor;
    } else if (!p.st_tac) {
        row.vl_tac = 0;
    }
    // 9. Enquiry.
    if (p.st_consulta) {
        row.vl_consulta = p.vl_consulta;
    }
    // 4-9 in the tariffs total, in the same order.
    totais.acumulaTarifas(ValoresCheque::de(valor, row), p);
    // 10. Debits of the exchange, whole, on every cheque.
    row.vl_debitos = totais.vl_debitos;

    // 11. Net, summed in this order.
    row.vl_liquido = valor - (row.vl_juros + row.vl_debitos + row.vl_iof + row.vl_cpmf +
                              row.vl_consulta + row.vl_tac + row.vl_custodia + row.vl_advalorem);
    return row;
}

}  // namespace tavrel
