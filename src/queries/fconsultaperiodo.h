#pragma once

#include <QDate>

#include "queries/consulta_movimento.h"

namespace tavrel {

// The movement by period: every cheque at opening, those deposited in a period after the
// period chooser.
class fconsultaperiodo : public ConsultaMovimento {
    Q_OBJECT

public:
    explicit fconsultaperiodo(Context& context, QWidget* parent = nullptr);

    // "Período": opens the period chooser, which calls selecionaPeriodo.
    void escolhePeriodo();
    // The cheques deposited from `de` to `ate`, both days included, and their totals.
    void selecionaPeriodo(const QDate& de, const QDate& ate);
};

}  // namespace tavrel
