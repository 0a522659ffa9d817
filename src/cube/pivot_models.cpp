#include "cube/pivot_models.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "cube/pivot_view.h"

namespace tavrel {
namespace {

QVariant boldFont() {
    QFont font;
    font.setBold(true);
    return font;
}

}  // namespace

void PivotCellModel::setView(const PivotView* view) {
    beginResetModel();
    view_ = view;
    endResetModel();
}

int PivotCellModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || view_ == nullptr ? 0 : view_->rowCount();
}

int PivotCellModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || view_ == nullptr ? 0 : view_->columnCount();
}

QVariant PivotCellModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || view_ == nullptr) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return view_->text(row, column);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::FontRole:
            if (view_->rowKind(row) == AxisLine::Kind::Total ||
                view_->columnKind(column) == AxisLine::Kind::Total) {
                return boldFont();
            }
            return {};
        case Qt::BackgroundRole:
        case Qt::ForegroundRole: {
            if (!colouring_) {
                return {};
            }
            const std::optional<CellColours> colours =
                colouring_(view_->measureAt(row, column), view_->value(row, column));
            if (!colours) {
                return {};
            }
            const MarkerColor color = role == Qt::BackgroundRole ? colours->back : colours->fore;
            return QBrush(QColor::fromRgb(rgbFromMarkerColor(color)));
        }
        default:
            return {};
    }
}

void PivotHeadingModel::setView(const PivotView* view) {
    beginResetModel();
    view_ = view;
    endResetModel();
}

int PivotHeadingModel::levels() const {
    if (view_ == nullptr) {
        return 0;
    }
    return orientation_ == Qt::Vertical ? view_->rowHeadingLevels() : view_->columnHeadingLevels();
}

int PivotHeadingModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || view_ == nullptr) {
        return 0;
    }
    return orientation_ == Qt::Vertical ? view_->rowCount() : std::max(1, levels());
}

int PivotHeadingModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || view_ == nullptr) {
        return 0;
    }
    return orientation_ == Qt::Vertical ? std::max(1, levels()) : view_->columnCount();
}

int PivotHeadingModel::lineOf(const QModelIndex& index) const {
    return orientation_ == Qt::Vertical ? index.row() : index.column();
}

int PivotHeadingModel::levelOf(const QModelIndex& index) const {
    return orientation_ == Qt::Vertical ? index.column() : index.row();
}

QVariant PivotHeadingModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || view_ == nullptr) {
        return {};
    }
    const bool rows = orientation_ == Qt::Vertical;
    const int line = lineOf(index);
    const int level = levelOf(index);
    const AxisLine::Kind kind = rows ? view_->rowKind(line) : view_->columnKind(line);
    if (role == Qt::FontRole) {
        return kind == AxisLine::Kind::Total ? boldFont() : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    if (levels() == 0) {
        return line == 0 ? QStringLiteral("Total") : QString();  // an axis without fields
    }
    const QString text = rows ? view_->rowHeading(line, level) : view_->columnHeading(line, level);
    if (role == Qt::ToolTipRole) {
        return text;
    }
    const bool repeats =
        rows ? view_->rowHeadingRepeats(line, level) : view_->columnHeadingRepeats(line, level);
    if (repeats) {
        return QString();
    }
    const std::optional<HeadingMember> member =
        rows ? view_->rowHeadingMember(line, level) : view_->columnHeadingMember(line, level);
    if (member) {
        return (member->collapsed ? QStringLiteral("▸ ") : QStringLiteral("▾ ")) + text;
    }
    return text;
}

}  // namespace tavrel
