#include "cube/data_markers.h"

namespace tavrel {

RgbColor rgbFromMarkerColor(MarkerColor color) {
    const unsigned red = color & 0xffu;
    const unsigned green = (color >> 8) & 0xffu;
    const unsigned blue = (color >> 16) & 0xffu;
    return 0xff000000u | (red << 16) | (green << 8) | blue;
}

MarkerColor markerColorFromRgb(RgbColor color) {
    const unsigned red = (color >> 16) & 0xffu;
    const unsigned green = (color >> 8) & 0xffu;
    const unsigned blue = color & 0xffu;
    return red | (green << 8) | (blue << 16);
}

dataMarker& DataMarkerCollection::Add(MarkerColor foreColor, MarkerColor backColor, double lowValue,
                                      double highValue, const QString& dataFieldName,
                                      const QString& sKey) {
    dataMarker marker;
    marker.ForeColor = foreColor;
    marker.BackColor = backColor;
    marker.LowValue = lowValue;
    marker.HighValue = highValue;
    marker.dataFieldName = dataFieldName;
    markers_.push_back(marker);
    keys_.append(sKey);
    return markers_.back();
}

dataMarker* DataMarkerCollection::Item(int position) {
    if (position < 1 || position > Count()) {
        return nullptr;
    }
    return &markers_[position - 1];
}

dataMarker* DataMarkerCollection::Item(const QString& key) {
    const int at = key.isEmpty() ? -1 : static_cast<int>(keys_.indexOf(key));
    return at < 0 ? nullptr : &markers_[at];
}

bool DataMarkerCollection::Remove(int position) {
    if (position < 1 || position > Count()) {
        return false;
    }
    markers_.erase(markers_.begin() + (position - 1));
    keys_.removeAt(position - 1);
    return true;
}

bool DataMarkerCollection::Remove(const QString& key) {
    const int at = key.isEmpty() ? -1 : static_cast<int>(keys_.indexOf(key));
    return at >= 0 && Remove(at + 1);
}

std::optional<CellColours> markerColours(const DataMarkerCollection& markers,
                                         const QString& measureIdentifier,
                                         std::optional<double> shownValue) {
    if (!shownValue) {
        return std::nullopt;
    }
    std::optional<CellColours> colours;
    for (const dataMarker& marker : markers) {
        if (marker.dataFieldName == measureIdentifier && marker.LowValue <= *shownValue &&
            marker.HighValue >= *shownValue) {
            colours = CellColours{marker.BackColor, marker.ForeColor};
        }
    }
    return colours;
}

}  // namespace tavrel
