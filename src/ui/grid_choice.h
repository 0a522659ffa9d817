#pragma once

#include <functional>

class QTableView;

namespace tavrel {

// Calls `chosen` with the line the operator picks in `grid`: a click on a line (the line already
// current too, so clicking it again shows it again), or moving the current line with the
// keyboard inside the grid. A grid only taking the focus (Tab makes its first line current) is
// no choice: it must not replace what the operator is typing elsewhere.
void onLineChosen(QTableView* grid, std::function<void(int row)> chosen);

}  // namespace tavrel
