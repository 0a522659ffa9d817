#pragma once

#include "ui/register_screen.h"

namespace tavrel {

// Blacklist of issuer documents. Rows are keyed on the document as typed (no code is given
// out): a document is added only when no row has exactly the same text. The list is exported
// to and imported from a CSV file (document;name).
class flistanegra : public RegisterScreen {
    Q_OBJECT

public:
    explicit flistanegra(Context& context, QWidget* parent = nullptr);

    void incluir() override;
    void exportar();  // "Exportar"
    void importar();  // "Importar"

protected:
    void beforeExcluir(const Row& row) override;
};

}  // namespace tavrel
