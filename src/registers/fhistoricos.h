#pragma once

#include "ui/register_screen.h"

namespace tavrel {

// Standard descriptions of the cash ledger, each a debit or a credit.
class fhistoricos : public RegisterScreen {
    Q_OBJECT

public:
    explicit fhistoricos(Context& context, QWidget* parent = nullptr);

protected:
    QString motivoParaManter(const Row& row) override;
};

}  // namespace tavrel
