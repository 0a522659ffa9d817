#pragma once

#include "ui/screen.h"

namespace tavrel {

// The exit screen: "Ok" writes the log-off line and ends the program; "Retornar" goes back.
class fsair : public Screen {
    Q_OBJECT

public:
    explicit fsair(Context& context, QWidget* parent = nullptr);

    void confirma();

signals:
    // The operator confirmed: the log-off line is written and the program must end now.
    void saidaConfirmada();
};

}  // namespace tavrel
