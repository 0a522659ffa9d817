#pragma once

#include "queries/consulta_movimento.h"

class QLineEdit;
class QRadioButton;

namespace tavrel {

// The movement by document: every cheque at opening; as the operator types a key, the cheques
// whose field of the marked option (issuer, document, cheque number, bank, account or agency)
// starts with it. The totals frame keeps the figures of every cheque.
class fconsultadocumento : public ConsultaMovimento {
    Q_OBJECT

public:
    explicit fconsultadocumento(Context& context, QWidget* parent = nullptr);

    // Lists the cheques matching the key under the option marked.
    void filtra();

private:
    QLineEdit* cd_chave = nullptr;
    QList<QRadioButton*> opcoes_;
};

}  // namespace tavrel
