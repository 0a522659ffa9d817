#pragma once

#include <QPointer>

#include "ui/screen.h"

class QDateEdit;

namespace tavrel {

class fconsultaperiodo;

// "Seleção de Período": narrows the movement by period to the cheques deposited between two
// days, both included, and closes.
class fselperiodo : public Screen {
    Q_OBJECT

public:
    explicit fselperiodo(Context& context, QWidget* parent = nullptr);

    // The query screen the choice goes to; nothing is written once it is gone.
    void setConsulta(fconsultaperiodo* consulta) { consulta_ = consulta; }
    void selecionarESair();

private:
    QPointer<fconsultaperiodo> consulta_;
    QDateEdit* DTPicker1 = nullptr;
    QDateEdit* DTPicker2 = nullptr;
};

}  // namespace tavrel
