// The marker list and the colour rule that paints the cube's cells.
#include <gtest/gtest.h>

#include "cube/data_markers.h"
#include "cube/measure_format.h"

namespace tavrel {
namespace {

const QString kCheque = QStringLiteral("sumVL_CHEQUE");

TEST(DataMarkers, RangeIsInclusiveAndTheLastMatchWins) {
    DataMarkerCollection markers;
    markers.Add(1, 10, 100, 200, kCheque);
    markers.Add(2, 20, 150, 300, kCheque);
    markers.Add(3, 30, 0, 1000, QStringLiteral("sumvl_iof"));

    const auto at = [&](double value) { return markerColours(markers, kCheque, value); };
    ASSERT_TRUE(at(100).has_value());  // the low end
    EXPECT_EQ(at(100)->back, 10u);
    EXPECT_EQ(at(100)->fore, 1u);
    EXPECT_EQ(at(150)->back, 20u);  // in both ranges: the marker added later
    EXPECT_EQ(at(300)->back, 20u);  // the high end
    EXPECT_FALSE(at(99.99).has_value());
    EXPECT_FALSE(at(300.01).has_value());
    // An empty cell is never coloured, even by a range that holds 0.
    markers.Add(4, 40, -1, 1, kCheque);
    EXPECT_FALSE(markerColours(markers, kCheque, std::nullopt).has_value());
    EXPECT_EQ(at(0)->back, 40u);
    // The identifier is compared exactly.
    EXPECT_FALSE(markerColours(markers, QStringLiteral("SUMVL_CHEQUE"), 150).has_value());
}

TEST(DataMarkers, CellsCompareTheValueAsShown) {
    DataMarkerCollection markers;
    markers.Add(255, 16777215, 10, 20, kCheque);
    // 9.996 shows as 10,00 with two decimals: it is in the range; 20.004 shows 20,00.
    EXPECT_TRUE(markerColours(markers, kCheque, shownValue(QStringLiteral("#,##0.00"), 9.996)));
    EXPECT_TRUE(markerColours(markers, kCheque, shownValue(QStringLiteral("0.00"), 20.004)));
    EXPECT_FALSE(markerColours(markers, kCheque, shownValue(QStringLiteral("0.00"), 20.005)));
    // The general format shows 15 significant digits: binary noise does not count.
    EXPECT_EQ(shownValue(QString(), 0.1 + 0.2), 0.3);
    EXPECT_EQ(formatMeasure(QString(), 0.1 + 0.2), QStringLiteral("0,3"));
}

TEST(DataMarkers, PositionsKeysAndRemoval) {
    DataMarkerCollection markers;
    markers.Add(1, 1, 0, 1, kCheque);
    markers.Add(2, 2, 0, 1, kCheque, QStringLiteral("b"));
    markers.Add(3, 3, 0, 1, kCheque);
    EXPECT_EQ(markers.Count(), 3);
    EXPECT_EQ(markers.Item(QStringLiteral("b"))->ForeColor, 2u);
    EXPECT_EQ(markers.Item(0), nullptr);
    EXPECT_TRUE(markers.Remove(1));
    EXPECT_EQ(markers.Item(1)->ForeColor, 2u);  // later markers move up one position
    EXPECT_TRUE(markers.Remove(QStringLiteral("b")));
    EXPECT_EQ(markers.Item(1)->ForeColor, 3u);
    EXPECT_FALSE(markers.Remove(QStringLiteral("b")));
    EXPECT_FALSE(markers.Remove(5));
    EXPECT_EQ(markers.Count(), 1);
}

TEST(DataMarkers, ColoursConvertBetweenTheMarkerAndScreenLayouts) {
    EXPECT_EQ(rgbFromMarkerColor(255), 0xffff0000u);  // red
    EXPECT_EQ(rgbFromMarkerColor(16777215), 0xffffffffu);
    EXPECT_EQ(markerColorFromRgb(0xff0000ffu), 0xff0000u);  // blue
    EXPECT_EQ(markerColorFromRgb(rgbFromMarkerColor(0x123456u)), 0x123456u);
}

}  // namespace
}  // namespace tavrel
