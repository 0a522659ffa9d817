#pragma once

#include "ui/screen.h"

namespace tavrel {

// Shown while the main menu loads; it has no commands and is closed by the start-up.
class frmSplash : public Screen {
    Q_OBJECT

public:
    explicit frmSplash(Context& context, QWidget* parent = nullptr);
};

}  // namespace tavrel
