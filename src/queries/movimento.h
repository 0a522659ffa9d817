#pragma once

#include <QDate>
#include <QList>
#include <QString>

class QSqlDatabase;

#include "ui/grouping_column.h"
#include "ui/grouping_sql.h"

namespace tavrel {

// The cheques of every exchange as the three movement queries list them: their columns, where
// their rows come from and how they are narrowed. No screen here.

// Columns of the query by client (21), by document (16) and by period (11).
QList<GroupingColumn> colunasPorCliente();
QList<GroupingColumn> colunasPorDocumento();
QList<GroupingColumn> colunasPorPeriodo();

// Cheques with their client. The query by client also names the destination client, through a
// left join (a lookup of the source): a cheque passed on to a code that is no client is still
// listed (with no destination), so the list and its totals count the same cheques.
GroupingSource fonteCheques();
GroupingSource fonteCliente();

// The field a document key is matched against, by option (1 "Emitente" to 6 "Agencia").
QString campoDaChave(int opcao);
// The cheques whose field of that option starts with `chave`, letter case ignored and the text
// taken literally. An empty key lists every cheque whose field has a value. A key without
// letters (most documents, numbers, banks, accounts) is a plain range of the field, which an
// index can answer.
GroupingSource porChave(GroupingSource fonte, int opcao, const QString& chave);
// The cheques deposited from `de` to `ate`, both days included. The rows are listed in key
// order: for a period holding many cheques walking the table in that order gives the first
// page at once, while the deposit-date index would have them all sorted first; `muitos` says
// which way is taken (the rows are the same).
GroupingSource porPeriodo(GroupingSource fonte, const QDate& de, const QDate& ate,
                          bool muitos = false);
// Whether the period holds more cheques than the index suits: one short count on the index.
bool periodoComMuitosCheques(const QSqlDatabase& db, const QDate& de, const QDate& ate);
// The cheques brought by one client (as origin, not as destination).
GroupingSource porCliente(GroupingSource fonte, const QString& codigo);

// CalculaTotais: the negotiated total of the cheques listed, and how much of it is open ("A")
// and settled ("B"); any other status counts in the negotiated total only.
struct Totais {
    double negociado = 0;
    double aberto = 0;
    double baixado = 0;
};
// The three sums, as SQL aggregates; `totaisDaLinha` reads them back in this order.
QStringList somasDosTotais();
BoundStatement sqlTotais(const GroupingSource& fonte);
Totais totaisDaLinha(const QVariantList& row);

// The totals frame's texts, with two decimals; the shares are "0,00" when nothing is listed.
struct TextoTotais {
    QString aberto, baixado, negociado, peraberto, perbaixado;
};
TextoTotais textoTotais(const Totais& totais);

}  // namespace tavrel
