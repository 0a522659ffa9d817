#pragma once

class QPushButton;
class QString;
class QWidget;

namespace tavrel {

// A command button with the system's name for it (its objectName) and its caption.
QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption);

}  // namespace tavrel
