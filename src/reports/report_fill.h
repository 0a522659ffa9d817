#pragma once

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <memory>
#include <optional>

#include "data/transaction.h"
#include "reports/pagination.h"
#include "reports/report_content.h"
#include "reports/report_query.h"
#include "reports/report_template.h"

namespace tavrel {

class Connection;
class ContentBuilder;

// Fills a report from the data folder's main database a slice at a time, so a window can show
// the first pages of a long report while the rest is still being read.
//
// Counted first, the report's layout is known before any row is read: one statement counts the
// rows of each run of equal group values, which gives how many lines of each kind the report
// will have and so its pages ("Página 1 de N" is right from the first page). When the outermost
// group is a column of the main table that leads an index, the rows are then read one outer
// group at a time, each a small sorted statement, instead of one statement that sorts the whole
// selection before giving its first row. The rows are read in one read transaction, so the
// statements see the database as it was when the reading began, whatever is written meanwhile.
class ReportFill {
public:
    enum class Plan { OneStatement, CountFirst };

    // Reads the template, checks it and the formula against the database and, with CountFirst,
    // counts the layout. Throws AppError as buildReport does.
    ReportFill(const QString& dataFolder, const QString& templatePath, const QString& formula,
               const QDateTime& printedAt, Plan plan);
    ~ReportFill();
    ReportFill(const ReportFill&) = delete;
    ReportFill& operator=(const ReportFill&) = delete;

    // The rows the selection holds (CountFirst), or the rows read so far.
    qint64 rowCount() const { return counted_ ? rowCount_ : rowsRead(); }
    qint64 rowsRead() const;
    // The pages on an A4 sheet in the report's orientation: as counted (CountFirst) until every
    // row is read, then as the lines really fell. Empty before that without a count.
    const QVector<PageRange>& pages() const { return pages_; }
    // Every line of the page has been read.
    bool pageReady(int page) const;

    // Reads rows for about `milliseconds` (all of them when negative); true once every row is
    // read and the closing lines are written. Throws AppError when the database fails.
    bool readSome(int milliseconds);
    void readAll() { readSome(-1); }
    bool finished() const { return finished_; }
    // The rows are read one outermost group at a time (decided when the layout is counted).
    bool readsByOuterGroup() const { return byOuterGroup_; }

    // The lines read so far; the whole report once finished.
    const ReportContent& content() const;
    // The whole report, once finished (the fill keeps nothing of it).
    ReportContent takeContent();

private:
    void countLayout(const QDateTime& printedAt);
    bool openNextStatement();
    void finish();

    std::unique_ptr<Connection> connection_;
    ReportTemplate report_;
    ReportQuery query_;
    ReportQuery outerGroupQuery_;
    std::unique_ptr<ContentBuilder> builder_;
    ReportContent finishedContent_;
    std::optional<TransactionGuard> snapshot_;  // from the first row read to the last
    std::optional<QSqlQuery> rows_;             // the statement being read
    QVariantList row_;

    bool counted_ = false;
    qint64 rowCount_ = 0;
    QVector<PageRange> pages_;
    bool byOuterGroup_ = false;
    QVector<QVariantList> outerGroups_;  // the values of each outermost group, in report order
    qsizetype nextStatement_ = 0;
    bool reading_ = false;
    bool finished_ = false;
};

}  // namespace tavrel
