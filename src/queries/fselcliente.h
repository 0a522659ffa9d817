#pragma once

#include <QPointer>

#include "ui/screen.h"

class QComboBox;

namespace tavrel {

class fconsultacliente;

// "Seleciona Cliente": narrows the movement by client to the cheques one client brought, and
// closes.
class fselcliente : public Screen {
    Q_OBJECT

public:
    explicit fselcliente(Context& context, QWidget* parent = nullptr);

    // The query screen the choice goes to; nothing is written once it is gone.
    void setConsulta(fconsultacliente* consulta) { consulta_ = consulta; }
    void selecionarESair();

private:
    void carregaClientes();

    QPointer<fconsultacliente> consulta_;
    QComboBox* nm_cliente = nullptr;
};

}  // namespace tavrel
