#include "support/grid_reader.h"

#include <QHeaderView>
#include <QTreeView>

#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel::test {
namespace {

void readLines(const GroupingGrid* grid, const QModelIndex& parent, int depth,
               QList<QStringList>& lines) {
    GroupingModel* model = grid->model();
    QTreeView* view = grid->view();
    while (model->canFetchMore(parent)) {
        model->fetchMore(parent);
    }
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        const GroupingModel::RowKind kind = model->kind(index);
        if (kind == GroupingModel::RowKind::Header) {
            lines << QStringList{QString(depth * 2, QLatin1Char(' ')) + QStringLiteral("> ") +
                                 index.data(GroupingModel::GroupCaptionRole).toString()};
            if (view->isExpanded(index)) {
                readLines(grid, index, depth + 1, lines);
            }
            continue;
        }
        QStringList cells;
        if (kind == GroupingModel::RowKind::Footer) {
            cells << QStringLiteral("=");
        }
        const QHeaderView* header = view->header();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int column = header->logicalIndex(visual);
            if (!header->isSectionHidden(column)) {
                cells << model->index(row, column, parent).data().toString();
            }
        }
        lines << cells;
    }
}

}  // namespace

QList<QStringList> gridLines(const GroupingGrid* grid) {
    grid->model()->waitForRows();
    QList<QStringList> lines;
    readLines(grid, {}, 0, lines);
    return lines;
}

}  // namespace tavrel::test
