#pragma once

class QListWidget;
class QString;

namespace tavrel {

// The text of the line the operator chose in a list. Throws AppError (file not found, naming
// the list) with `nothingChosen` when no line is chosen: a line that only has the focus is not.
QString chosenLine(const QListWidget& list, const QString& nothingChosen);

}  // namespace tavrel
