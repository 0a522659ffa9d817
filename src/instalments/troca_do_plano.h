#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <variant>

#include "instalments/parcelas.h"

namespace tavrel {

// The first cheque of a plan's exchange, as the operator typed it.
struct TextosCheque {
    QString cheque;  // number of the first cheque; the next ones follow it
    QString cd_banco;
    QString cd_agencia;
    QString cd_conta;
};

// The first cheque, checked.
struct PrimeiroCheque {
    long long numero = 0;
    QString cd_banco;    // "000"
    QString cd_agencia;  // "0000"
    QString cd_conta;    // as typed
};

// Checks the first cheque of a plan of `parcelas` cheques before anything is written: the
// number, the bank and the agency are whole numbers of at most 10, 3 and 4 digits, and the last
// cheque's number still has at most 10. The data, or the message for the first problem.
std::variant<PrimeiroCheque, QString> lePrimeiroCheque(const TextosCheque& textos, int parcelas);

// One cheque of a plan's exchange: every CHEQUES column the plan writes but the exchange number,
// which is taken when the rows are written. The other columns (sequence number, accumulated
// amount, net, custody, ad valorem, key) stay empty.
struct ChequeDoPlano {
    QString cd_cliente;    // the placeholder client until the exchange is finished
    QString cd_destino;    // likewise
    double vl_taxa = 0;    // the plan's rate, per cent per period
    QString cd_documento;  // eleven zeros: no issuer document
    double vl_cheque = 0;  // the instalment shown
    QString cd_banco;
    QString cd_agencia;
    QString cd_conta;
    QString nr_cheque;  // ten digits
    double vl_aberto = 0;
    QDate dt_troca;
    int nr_dias = 0;  // 30 for the first cheque, 60 for the second...
    double vl_juros = 0;
    QDate dt_deposito;
    double vl_cpmf = 0;
    double vl_iof = 0;
    double vl_tac = 0;
    double vl_consulta = 0;
    double vl_debitos = 0;
    QString cd_status;  // "A": open
    double vl_liquidez = 0;
    QString cd_alinea;    // "000"
    QString nm_emitente;  // empty until the exchange is finished
};

// The client code a plan's exchange carries until it is finished.
inline constexpr const char* kClienteProvisorio = "99999";

// The plan's cheques, one per instalment: the k-th deposited on the k-th due date of the
// schedule that starts at `primeiroDeposito` and numbered from the first cheque on. The
// interest is the Price instalment less the principal share, and each fee its kept amount,
// both rounded to cents; a fee not applied is 0.
QList<ChequeDoPlano> chequesDoPlano(const Plano& plano, const PrimeiroCheque& primeiro,
                                    const QDate& hoje, const QDate& primeiroDeposito);

}  // namespace tavrel
