// The packed lines of a report read back exactly as they were written.
#include <gtest/gtest.h>

#include "reports/pagination.h"
#include "reports/report_content.h"

namespace tavrel {
namespace {

ReportLine line(ReportLine::Kind kind, const QString& text, const QStringList& cells, int level = 0,
                bool bold = false) {
    ReportLine result;
    result.kind = kind;
    result.text = text;
    result.cells = cells;
    result.level = level;
    result.bold = bold;
    return result;
}

void expectSame(const ReportLine& actual, const ReportLine& expected) {
    EXPECT_EQ(actual.kind, expected.kind);
    EXPECT_EQ(actual.level, expected.level);
    EXPECT_EQ(actual.bold, expected.bold);
    EXPECT_EQ(actual.pageBreakBefore, expected.pageBreakBefore);
    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(actual.cells, expected.cells);
}

TEST(ReportLines, ReadBackEveryFieldOfEveryLine) {
    QVector<ReportLine> written = {
        line(ReportLine::Kind::GroupHeader, QStringLiteral("Cliente: 00001 - JOSÉ D'ÁVILA"), {}, 2),
        line(ReportLine::Kind::Detail, {},
             {QStringLiteral("00012"), QString(), QStringLiteral("1.500,75"), QStringLiteral("")}),
        line(ReportLine::Kind::Summary, QStringLiteral("Juros"), {QStringLiteral("R$ 3,00")}, 0,
             true),
        line(ReportLine::Kind::Blank, {}, {}),
        // Texts longer than the short length form and a line with many cells.
        line(ReportLine::Kind::Note, QString(70000, QLatin1Char('x')),
             QStringList(40, QStringLiteral("célula"))),
    };
    written[1].pageBreakBefore = true;
    ReportLines lines;
    for (const ReportLine& l : written) {
        lines << l;
    }
    ASSERT_EQ(lines.size(), written.size());
    for (qsizetype i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(i);
        expectSame(lines[i], written[i]);
        EXPECT_EQ(lines.kind(i), written[i].kind);
        EXPECT_EQ(lines.pageBreakBefore(i), written[i].pageBreakBefore);
    }
    qsizetype i = 0;
    for (const ReportLine& l : lines) {
        expectSame(l, written[i++]);
    }
    EXPECT_EQ(i, written.size());
    // Packed or not, the lines make the same pages.
    const QVector<PageRange> packed = paginateLines(lines, 3);
    const QVector<PageRange> unpacked = paginate(written, 3);
    ASSERT_EQ(packed.size(), unpacked.size());
    for (qsizetype p = 0; p < packed.size(); ++p) {
        EXPECT_EQ(packed[p].first, unpacked[p].first);
        EXPECT_EQ(packed[p].count, unpacked[p].count);
    }
    EXPECT_EQ(packed.value(1).first, 1) << "the marked line starts a page";
}

TEST(ReportLines, ManyLinesAcrossChunksKeepTheirOrder) {
    // About 6 million characters: several chunks, and a line bigger than a chunk in the middle.
    ReportLines lines;
    const int count = 200000;
    for (int i = 0; i < count; ++i) {
        if (i == count / 2) {
            lines << line(ReportLine::Kind::Note, QString(3'000'000, QLatin1Char('y')), {});
        }
        lines << line(ReportLine::Kind::Detail, {},
                      {QString::number(i), QStringLiteral("EMITENTE %1").arg(i % 977)});
    }
    ASSERT_EQ(lines.size(), count + 1);
    EXPECT_EQ(lines[0].cells, (QStringList{QStringLiteral("0"), QStringLiteral("EMITENTE 0")}));
    EXPECT_EQ(lines[count / 2].text.size(), 3'000'000);
    EXPECT_EQ(lines[count / 2 + 1].cells.first(), QString::number(count / 2));
    EXPECT_EQ(lines[count].cells,
              (QStringList{QString::number(count - 1), QStringLiteral("EMITENTE 691")}));
    lines.clear();
    EXPECT_TRUE(lines.isEmpty());
}

}  // namespace
}  // namespace tavrel
