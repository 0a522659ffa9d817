#pragma once

#include <QDateTime>
#include <QVariantList>
#include <functional>
#include <vector>

#include "reports/report_content.h"

namespace tavrel {

// Gives the next row (the query's fields in order); false when there are no more.
using RowSource = std::function<bool(QVariantList& row)>;

// Fills a template with rows, which come ordered by the groups, one at a time: headings, group
// headers and footers with their totals, one line per row, and at the end the grand total and
// the summary lines. The template's columns must be bound to the rows' fields
// (buildReportQuery does that).
//
// A builder made for the layout only writes the same lines without their texts: fed each run of
// rows that share their group values (the values and how many rows), it tells how many lines
// of which kind the report will have, and so its pages, without reading the rows themselves.
class ContentBuilder {
public:
    enum class Mode { Full, LayoutOnly };

    // `printedAt` is the printing date and time the page bands show.
    ContentBuilder(const ReportTemplate& report, const QDateTime& printedAt,
                   Mode mode = Mode::Full);

    void add(const QVariantList& row);
    // LayoutOnly: `count` rows whose group columns hold the values of `row`.
    void addRun(const QVariantList& row, qint64 count);

    // The lines written so far.
    const ReportContent& content() const { return content_; }
    // Writes the closing lines and hands the content over.
    ReportContent finish();

private:
    struct Level {
        bool open = false;
        QVariant key;
        QVariantList firstRow;
        qint64 count = 0;
        std::vector<Accumulator> totals;  // one per column; unused where the column has none
    };

    void startRow(const QVariantList& row, const EvalScope& scope);
    void writeHeadings(const EvalScope& scope);
    void openGroup(int level, const QVariantList& row, const EvalScope& scope);
    void closeGroups(int from);
    ReportLine totalsLine(ReportLine::Kind kind, const Level& level, const QString& text,
                          int depth) const;
    std::vector<Accumulator> columnAccumulators() const;
    TextValues textValues(const EvalScope& scope, qint64 count) const;
    void write(const ReportLine& line);

    const ReportTemplate& report_;
    const int groupCount_;
    const bool layoutOnly_;
    ReportContent content_;
    TextValues text_;
    std::vector<Level> levels_;
    QVariantList firstRow_;
    std::vector<Accumulator> summaryTotals_;
    std::vector<const ExprNode*> summaryNodes_;
};

// Fills the template with every row of the source (a Full builder).
ReportContent buildContent(const ReportTemplate& report, const RowSource& rows,
                           const QDateTime& printedAt);

}  // namespace tavrel
