#pragma once

#include "queries/frelatorios.h"

class QComboBox;

namespace tavrel {

// "Relatórios Financeiros" for one client: the same screen with the client chosen in
// `NM_CLIENTE` (names shown, codes kept), added to the formula.
class frelcliente : public frelatorios {
    Q_OBJECT

public:
    explicit frelcliente(Context& context, QWidget* parent = nullptr);
    ~frelcliente() override;

protected:
    QString formula(PeriodoPor por) const override;

private:
    void leClientes();

    QComboBox* NM_CLIENTE = nullptr;
};

}  // namespace tavrel
