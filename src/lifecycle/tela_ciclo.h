#pragma once

#include <QString>
#include <memory>

class QPushButton;
class QWidget;

namespace tavrel {

struct Context;
class Connection;

// What the lifecycle screens share in building themselves.

// The main database of the data folder (throws DataError when it cannot be opened).
std::unique_ptr<Connection> abreCheques(const Context& context);

// A command button with its control name and caption.
QPushButton* comando(QWidget* parent, const char* name, const QString& caption);

}  // namespace tavrel
