#pragma once

#include "queries/consulta_movimento.h"

namespace tavrel {

// The movement by client: every cheque at opening, one client's after the client chooser. The
// operator's grid layout is kept in "clientes.lay" from one opening to the next.
class fconsultacliente : public ConsultaMovimento {
    Q_OBJECT

public:
    explicit fconsultacliente(Context& context, QWidget* parent = nullptr);

    // "Cliente": opens the client chooser, which calls selecionaCliente.
    void escolheCliente();
    // The cheques brought by the client of this code, and their totals.
    void selecionaCliente(const QString& codigo);
};

}  // namespace tavrel
