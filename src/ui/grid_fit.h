#pragma once

class QTableView;

namespace tavrel {

// Makes a grid show one line of text per row and size its columns to what they hold (over the
// rows on screen and a bounded number of others, never the whole of a large model), again each
// time its model is reloaded or the grid changes width. The grid's model must be set. A very long
// text is cut rather than widening its column past half the grid; the last column fills the rest of
// the width.
void fitGridToContents(QTableView* grid);

}  // namespace tavrel
