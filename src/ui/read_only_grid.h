#pragma once

class QAbstractItemModel;
class QString;
class QTableView;
class QWidget;

namespace tavrel {

// A grid that shows rows and never edits them (every change goes through the screen's
// commands): whole rows selected one at a time, no row numbers, the last column filling the
// width.
QTableView* makeReadOnlyGrid(QWidget* parent, const QString& name, QAbstractItemModel* model);

}  // namespace tavrel
