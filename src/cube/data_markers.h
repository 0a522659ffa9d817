#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/dialogs.h"

namespace tavrel {

// A colour as the markers keep it: red in the low byte, then green, then blue (255 is red,
// 16777215 white).
using MarkerColor = unsigned int;

RgbColor rgbFromMarkerColor(MarkerColor color);
MarkerColor markerColorFromRgb(RgbColor color);

// Colours the cells of one measure whose value lies in a closed range.
struct dataMarker {
    MarkerColor ForeColor = 255;
    MarkerColor BackColor = 16777215;
    double HighValue = 0;
    double LowValue = 0;
    QString dataFieldName;  // the measure's identifier
};

// The ordered list of markers the cube screen holds while it is open. Positions count from 1
// in the order the markers were added; a marker may also be found by the key it was added under.
class DataMarkerCollection {
public:
    dataMarker& Add(MarkerColor foreColor, MarkerColor backColor, double lowValue, double highValue,
                    const QString& dataFieldName, const QString& sKey = {});
    // nullptr when there is no marker at that position or under that key.
    dataMarker* Item(int position);
    dataMarker* Item(const QString& key);
    int Count() const { return static_cast<int>(markers_.size()); }
    // False when there was nothing there.
    bool Remove(int position);
    bool Remove(const QString& key);

    std::vector<dataMarker>::const_iterator begin() const { return markers_.begin(); }
    std::vector<dataMarker>::const_iterator end() const { return markers_.end(); }

private:
    std::vector<dataMarker> markers_;
    QStringList keys_;  // one per marker, empty when added without a key
};

struct CellColours {
    MarkerColor back;
    MarkerColor fore;
};

// The colours of a data cell of a measure: those of the last marker added whose range holds
// the value as the cell shows it (both ends inclusive). An empty cell is never coloured.
std::optional<CellColours> markerColours(const DataMarkerCollection& markers,
                                         const QString& measureIdentifier,
                                         std::optional<double> shownValue);

}  // namespace tavrel
