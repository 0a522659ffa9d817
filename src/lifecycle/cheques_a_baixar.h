#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

class QSqlDatabase;

namespace tavrel {

// The rows the screens of cheques to settle list, from CHEQUES alone: the client's name is
// looked up per row shown (kNomeCliente), so a cheque whose client was deleted, or of an
// instalment exchange not finished ("99999"), still shows, as on the printed list, and groups
// and sums never touch the clients.
struct ChequesABaixar {
    QString from;
    QString where;  // a condition with "?" placeholders
    QVariantList values;
};

// The client's name of a CHEQUES row (NULL when the client is not registered).
inline constexpr const char* kNomeCliente =
    "(SELECT CLIENTES.NM_CLIENTE FROM CLIENTES WHERE CLIENTES.CD_CLIENTE = CHEQUES.CD_CLIENTE)";

// The cheques due `hoje`: open and deposited that day or before (chequeVencidoCondicao).
ChequesABaixar chequesDoDia(const QDate& hoje);
// Every cheque deposited from `inicio` to `fim`, whatever its status; none when `inicio` is
// after `fim`.
ChequesABaixar chequesDoPeriodo(const QDate& inicio, const QDate& fim);

// The selection formulas of BAIXAS.RPT.
QString formulaChequesDoDia(const QDate& hoje);
QString formulaChequesDoPeriodo(const QDate& inicio, const QDate& fim);

// Makes `cd_destino` the destination of the cheque with that id, only that row. False, writing
// nothing, when no such client is registered or the cheque is gone.
bool mudaDestino(const QSqlDatabase& db, qlonglong chequeId, const QString& cd_destino);

}  // namespace tavrel
