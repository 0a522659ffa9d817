#pragma once

#include <QList>
#include <QSet>
#include <QString>

namespace tavrel {

// Where a field stands. The numbers are those the cube's callers use.
enum class CubeArea { Hidden = 0, Row = 1, Column = 2, Data = 3, Page = 4 };

// How a field's members are ordered: by the members themselves, or by a measure.
enum class SortKind { Members = 0, MeasureDescending = 1, MeasureAscending = 2 };

// One field of the cube, a dimension or a measure, with its settings.
struct CubeField {
    QString identifier;
    QString caption;
    QString numberFormat;  // measures only
    QString subtotalCaption = QStringLiteral("Total");
    bool isMeasure = false;
    int source = 0;  // the dimension (0..14) or the measure (0..7) it shows
    CubeArea area = CubeArea::Page;
    bool visible = true;       // a measure in the data area is shown only when visible
    int groupFooterType = -1;  // subtotals: -1 (or any value but 0) shown, 0 hidden
    // The three sorting settings: the kind (0, 1, 2), the measure position used by kinds 1 and
    // 2, and the own order (1 ascending, 0 default) used by kind 0. Both own orders give the
    // members' natural order, which is ascending.
    int sortKind = 0;
    int sortMeasure = 0;
    int ownOrder = 0;
    QSet<quint32> hiddenMembers;     // members left out by the field's filter
    QSet<quint32> collapsedMembers;  // members shown as one line, without their inner members

    bool subtotals() const { return groupFooterType != 0; }
};

// The fields of the cube and the areas they stand in, in order. Positions 0 to 14 are the
// dimension fields, 15 to 22 the measures, as the cube's fields collection numbers them.
class CubeLayout {
public:
    // The starting layout of the cube screen: every dimension field in the page area, every
    // measure in the data area, subtotals shown.
    static CubeLayout standard();

    int fieldCount() const { return static_cast<int>(fields_.size()); }
    CubeField& field(int position) { return fields_[position]; }
    const CubeField& field(int position) const { return fields_[position]; }
    // -1 when no field has that identifier.
    int fieldByIdentifier(const QString& identifier) const;

    int measureCount() const;
    // Position of a measure in the fields collection.
    int measureField(int measure) const;
    // The measures shown: in the data area, visible, in display order.
    QList<int> shownMeasures() const;

    // Fields of an area in their order.
    QList<int> fieldsIn(CubeArea area) const;
    // Moves a field to an area at an index (-1: at the end). Dimension fields go to the page,
    // row, column and hidden areas, measures to the data and hidden areas; anything else is
    // refused (false).
    bool moveField(int position, CubeArea area, int index = -1);

    // Sets the subtotal setting of every field, dimension fields and measures alike.
    void setAllGroupFooterTypes(int type);

    // The measures form a level of the row headings (true) or of the column headings.
    bool dataOnRows = true;

private:
    QList<CubeField> fields_;
    QList<int> order_;  // every field, areas interleaved: the order within an area counts
};

}  // namespace tavrel
