#pragma once

#include <QtGlobal>

class QSqlDatabase;
class QString;
class QTableView;

namespace tavrel {

class FormattedQueryModel;

// The grid of an exchange's cheques ("CHEQUES LANCADOS"): the exchange screen and the change
// of an exchange show the same columns in the same order, deposit date first.

// The columns' formats; once, when the model is made.
void formataGridTroca(FormattedQueryModel& model);

// Shows the cheques of exchange `numero` (none for an empty number), in deposit date order.
void mostraGridTroca(const QSqlDatabase& db, FormattedQueryModel& model, QTableView* grid,
                     const QString& numero);

// The CHEQUES id of a line of the grid.
qint64 idDaLinhaTroca(const FormattedQueryModel& model, int linha);

}  // namespace tavrel
