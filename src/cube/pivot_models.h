#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <optional>

#include "cube/data_markers.h"

namespace tavrel {

class PivotView;

// The colours of a data cell, asked for as the cell is about to be drawn: the measure it shows
// and its sum (nullopt for an empty cell). No colours: the grid's own.
using CellColouring =
    std::function<std::optional<CellColours>(int measure, std::optional<double> value)>;

// The cells of the current view. Nothing is formatted until the grid asks for a cell it paints.
class PivotCellModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit PivotCellModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The view to show (nullptr: nothing). Resets the model.
    void setView(const PivotView* view);
    void setColouring(CellColouring colouring) { colouring_ = std::move(colouring); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const PivotView* view_ = nullptr;
    CellColouring colouring_;
};

// The row headings (one column per level) or the column headings (one row per level). A
// member that holds others is marked ▾ (expanded) or ▸ (collapsed); an outer heading is written
// once, on the first line of its members.
class PivotHeadingModel : public QAbstractTableModel {
    Q_OBJECT

public:
    PivotHeadingModel(Qt::Orientation orientation, QObject* parent = nullptr)
        : QAbstractTableModel(parent), orientation_(orientation) {}

    void setView(const PivotView* view);
    int levels() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The line (row or column of the view) and the level a heading cell stands for.
    int lineOf(const QModelIndex& index) const;
    int levelOf(const QModelIndex& index) const;

private:
    Qt::Orientation orientation_;  // Qt::Vertical: row headings
    const PivotView* view_ = nullptr;
};

}  // namespace tavrel
