#pragma once

#include "ui/screen.h"

namespace tavrel {

// "Fale Conosco": how to reach the maker. Does nothing else.
class ffaleconosco : public Screen {
    Q_OBJECT

public:
    explicit ffaleconosco(Context& context, QWidget* parent = nullptr);
};

}  // namespace tavrel
