// Splitting a report into pages.
#include <gtest/gtest.h>

#include "reports/pagination.h"

namespace tavrel {
namespace {

using Kind = ReportLine::Kind;

QVector<ReportLine> lines(std::initializer_list<std::pair<Kind, int>> runs) {
    QVector<ReportLine> result;
    for (const auto& [kind, count] : runs) {
        for (int i = 0; i < count; ++i) {
            ReportLine line;
            line.kind = kind;
            result << line;
        }
    }
    return result;
}

QVector<int> counts(const QVector<PageRange>& pages) {
    QVector<int> result;
    for (const PageRange& page : pages)
        result << page.count;
    return result;
}

TEST(Pagination, FillsPagesInOrder) {
    const QVector<PageRange> pages = paginate(lines({{Kind::Detail, 100}}), 30);
    EXPECT_EQ(counts(pages), (QVector<int>{30, 30, 30, 10}));
    EXPECT_EQ(pages[1].first, 30);
    EXPECT_EQ(pages[3].first, 90);
}

TEST(Pagination, EmptyReportHasOnePageAndTinyPagesStillMoveOn) {
    EXPECT_EQ(paginate({}, 30).size(), 1);
    EXPECT_EQ(counts(paginate(lines({{Kind::Detail, 3}}), 0)), (QVector<int>{1, 1, 1}));
}

TEST(Pagination, GroupHeadersGoWithTheirFirstLine) {
    // Two nested headers would be the last lines of page 1: they open page 2 instead.
    const QVector<PageRange> pages =
        paginate(lines({{Kind::Detail, 8}, {Kind::GroupHeader, 2}, {Kind::Detail, 5}}), 10);
    EXPECT_EQ(counts(pages), (QVector<int>{8, 7}));
    EXPECT_EQ(pages[1].first, 8);
}

TEST(Pagination, ClosingTotalsStayTogetherWhenTheyFit) {
    const QVector<PageRange> pages =
        paginate(lines({{Kind::Detail, 7}, {Kind::GrandTotal, 1}, {Kind::Summary, 4}}), 10);
    EXPECT_EQ(counts(pages), (QVector<int>{7, 5}));
    // A block longer than a page flows on instead of leaving empty pages.
    EXPECT_EQ(counts(paginate(lines({{Kind::Detail, 2}, {Kind::Summary, 12}}), 10)),
              (QVector<int>{10, 4}));
}

TEST(Pagination, NoBlankLineAtTheTopOfAPage) {
    const QVector<PageRange> pages =
        paginate(lines({{Kind::Detail, 10}, {Kind::Blank, 1}, {Kind::Detail, 3}}), 10);
    EXPECT_EQ(counts(pages), (QVector<int>{10, 3}));
    EXPECT_EQ(pages[1].first, 11);
}

TEST(Pagination, AMarkedLineStartsAPage) {
    QVector<ReportLine> report = lines(
        {{Kind::GroupHeader, 1}, {Kind::Detail, 3}, {Kind::GroupHeader, 1}, {Kind::Detail, 2}});
    report[4].pageBreakBefore = true;
    EXPECT_EQ(counts(paginate(report, 30)), (QVector<int>{4, 3}));
    report[0].pageBreakBefore = true;  // already at the top: no empty page before it
    EXPECT_EQ(counts(paginate(report, 30)), (QVector<int>{4, 3}));
}

}  // namespace
}  // namespace tavrel
