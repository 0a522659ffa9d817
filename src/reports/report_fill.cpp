#include "reports/report_fill.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPageLayout>

#include "data/connection.h"
#include "data/sql.h"
#include "reports/column_catalog.h"
#include "reports/report_builder.h"
#include "reports/report_painter.h"

namespace tavrel {
namespace {

// Reading one outer group at a time costs a statement per group: worth it for clients, days or
// statuses, not for thousands of tiny groups.
constexpr qsizetype kMostOuterGroups = 5000;

// The column is the first of an index of the table, so a statement for one of its values
// finds its rows without going through the whole selection.
bool leadsAnIndex(const QSqlDatabase& db, const ColumnRef& column) {
    return scalarSql(db,
                     QStringLiteral("SELECT 1 FROM pragma_index_list(?) AS list "
                                    "JOIN pragma_index_info(list.name) AS info "
                                    "WHERE info.seqno = 0 AND info.name = ? COLLATE NOCASE "
                                    "LIMIT 1"),
                     {column.table, column.column})
        .isValid();
}

QRectF printableArea(const ReportContent& content) {
    return ReportPainter(content).pageLayout().paintRect(QPageLayout::Point);
}

QVector<PageRange> pagesOf(const ReportContent& content) {
    return ReportPainter(content).pages(printableArea(content).size());
}

}  // namespace

ReportFill::ReportFill(const QString& dataFolder, const QString& templatePath,
                       const QString& formula, const QDateTime& printedAt, Plan plan)
    : report_(readTemplate(templatePath)) {
    connection_ = std::make_unique<Connection>(
        QDir(dataFolder).filePath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
    const ColumnCatalog catalog = readColumnCatalog(connection_->db());
    query_ = buildReportQuery(report_, QFileInfo(templatePath).fileName(), catalog, formula);
    builder_ = std::make_unique<ContentBuilder>(report_, printedAt);
    if (plan == Plan::CountFirst) {
        countLayout(printedAt);
    }
}

ReportFill::~ReportFill() = default;

void ReportFill::countLayout(const QDateTime& printedAt) {
    const QSqlDatabase db = connection_->db();
    const ReportQuery runs = groupRunsQuery(query_);
    const int keys = static_cast<int>(query_.groupFields.size());
    ContentBuilder layout(report_, printedAt, ContentBuilder::Mode::LayoutOnly);
    QVariantList row(query_.fields.size());
    {
        QSqlQuery counts = runSql(db, runs.sql, runs.values);
        while (counts.next()) {
            for (int k = 0; k < keys; ++k) {
                row[query_.groupFields[k]] = counts.value(k);
            }
            layout.addRun(row, counts.value(keys).toLongLong());
            if (keys > 0) {
                QVariantList outer;
                for (int k = 0; k < query_.outerGroupFields; ++k) {
                    outer << counts.value(k);
                }
                if (outerGroups_.isEmpty() || outerGroups_.last() != outer) {
                    outerGroups_ << outer;
                }
            }
        }
    }
    const ReportContent counted = layout.finish();
    rowCount_ = counted.rowCount;
    pages_ = pagesOf(counted);
    counted_ = true;

    // The outermost group's `by` column is the last of its fields.
    if (outerGroups_.size() > 1 && outerGroups_.size() <= kMostOuterGroups) {
        const ColumnRef& by = query_.fields[query_.groupFields[query_.outerGroupFields - 1]];
        byOuterGroup_ = by.table == query_.mainTable && leadsAnIndex(db, by);
    }
    if (byOuterGroup_) {
        outerGroupQuery_ = outerGroupQuery(query_);
    } else {
        outerGroups_.clear();
    }
}

qint64 ReportFill::rowsRead() const {
    return content().rowCount;
}

bool ReportFill::pageReady(int page) const {
    if (finished_) {
        return page >= 0 && page < pages_.size();
    }
    if (page < 0 || page >= pages_.size()) {
        return false;
    }
    const PageRange& range = pages_[page];
    return content().lines.size() >= range.first + range.count;
}

const ReportContent& ReportFill::content() const {
    return finished_ ? finishedContent_ : builder_->content();
}

ReportContent ReportFill::takeContent() {
    return std::move(finishedContent_);
}

bool ReportFill::readSome(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    const int fieldCount = static_cast<int>(query_.fields.size());
    row_.resize(fieldCount);
    while (!finished_) {
        if (!reading_ && !openNextStatement()) {
            finish();
            break;
        }
        QSqlQuery& rows = *rows_;
        int sinceCheck = 0;
        while (rows.next()) {
            for (int i = 0; i < fieldCount; ++i) {
                row_[i] = rows.value(i);
            }
            builder_->add(row_);
            if (++sinceCheck == 64) {
                sinceCheck = 0;
                if (milliseconds >= 0 && clock.elapsed() >= milliseconds) {
                    return false;
                }
            }
        }
        rows_.reset();
        reading_ = false;
        if (milliseconds >= 0 && clock.elapsed() >= milliseconds) {
            return finished_;
        }
    }
    return true;
}

bool ReportFill::openNextStatement() {
    const QSqlDatabase db = connection_->db();
    if (!snapshot_) {
        snapshot_.emplace(db);
    }
    if (!byOuterGroup_) {
        if (nextStatement_ > 0) {
            return false;
        }
        rows_ = runSql(db, query_.sql, query_.values);
    } else {
        if (nextStatement_ >= outerGroups_.size()) {
            return false;
        }
        rows_ = runSql(db, outerGroupQuery_.sql,
                       query_.fromValues + query_.conditionValues + outerGroups_[nextStatement_]);
    }
    ++nextStatement_;
    reading_ = true;
    return true;
}

void ReportFill::finish() {
    if (snapshot_) {
        snapshot_->commit();  // it wrote nothing: this only lets the snapshot go
        snapshot_.reset();
    }
    finishedContent_ = builder_->finish();
    builder_.reset();
    pages_ = pagesOf(finishedContent_);
    finished_ = true;
}

}  // namespace tavrel
