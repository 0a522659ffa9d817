#include "ui/read_only_grid.h"

#include <QHeaderView>
#include <QTableView>

namespace tavrel {

QTableView* makeReadOnlyGrid(QWidget* parent, const QString& name, QAbstractItemModel* model) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

}  // namespace tavrel
