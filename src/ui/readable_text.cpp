#include "ui/readable_text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace tavrel {
namespace {

template <class Control>
void fill(QWidget* screen) {
    for (Control* control : screen->findChildren<Control*>()) {
        control->setAutoFillBackground(true);
    }
}

}  // namespace

void keepTextReadable(QWidget* screen) {
    fill<QLabel>(screen);
    fill<QGroupBox>(screen);
    fill<QCheckBox>(screen);
    fill<QRadioButton>(screen);
}

}  // namespace tavrel
