#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

class QSqlDatabase;

namespace tavrel {

// The rows the screens of cheques to settle list: CHEQUES with the client's name and the
// destination's name. Left joins, as the printed list has them, so a cheque whose client was
// deleted, or of an instalment exchange not finished ("99999"), still shows.
struct ChequesABaixar {
    QString from;
    QString where;  // a condition with "?" placeholders
    QVariantList values;
};

// Alias of the destination client in `from`.
inline constexpr const char* kDestino = "DESTINO";

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
