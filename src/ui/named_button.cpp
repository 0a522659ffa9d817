#include "ui/named_button.h"

#include <QPushButton>

namespace tavrel {

QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace tavrel
