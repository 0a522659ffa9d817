#pragma once

#include "ui/register_screen.h"

namespace tavrel {

// Accounts of the cash ledger.
class fcontas : public RegisterScreen {
    Q_OBJECT

public:
    explicit fcontas(Context& context, QWidget* parent = nullptr);

protected:
    QString motivoParaManter(const Row& row) override;
};

}  // namespace tavrel
