#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tavrel {

// How the operator arranged one column of a grouping grid, keyed by the column's field.
struct GridColumnState {
    QString field;
    bool visible = true;
    int position = 0;  // display position, from 0
    int width = 0;     // in pixels; 0 keeps the grid's own
};

// A grid's arrangement: its columns and the fields it is grouped by, outermost first.
struct GridLayoutState {
    QList<GridColumnState> columns;
    QStringList groups;
};

// The layout file is a small JSON document of our own:
//   {"format": "tavrel-grid-layout", "version": 1,
//    "columns": [{"field": "CHEQUES.VL_CHEQUE", "visible": true, "position": 2, "width": 90}],
//    "groups": ["CLIENTES.NM_CLIENTE"]}
QByteArray writeGridLayout(const GridLayoutState& state);
// Throws AppError (file access) naming `fileName` when the bytes are not a layout of ours.
GridLayoutState readGridLayout(const QByteArray& bytes, const QString& fileName);

// The same, on files. Both throw AppError (file access) when the file cannot be written or
// read, or is not a layout of ours; a file is replaced only once the new one is complete.
void saveGridLayout(const QString& path, const GridLayoutState& state);
GridLayoutState loadGridLayout(const QString& path);

}  // namespace tavrel
