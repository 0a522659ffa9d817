#include "ui/grid_print.h"

#include <algorithm>
#include <numeric>

#include "core/errors.h"
#include "core/money.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

using Kind = GroupingModel::RowKind;

ReportLine makeLine(ReportLine::Kind kind, int level = 0, const QString& text = {}) {
    ReportLine line;
    line.kind = kind;
    line.level = level;
    line.text = text;
    return line;
}

AppError tooManyLines() {
    return AppError(error_number::kReport,
                    QStringLiteral("A grade tem linhas demais para imprimir (mais de %1). "
                                   "Agrupe, filtre ou selecione as linhas a imprimir.")
                        .arg(kGridPrintLineLimit),
                    QStringLiteral("Impressão da grade"));
}

class GridReportBuilder {
public:
    GridReportBuilder(GroupingModel& model, const GridPrintShape& shape,
                      const GridPrintOptions& options, ReportContent& content)
        : model_(model), shape_(shape), options_(options), content_(content) {}

    // Prints the children of `parent`; returns the totals of the rows printed, by column.
    QList<double> walk(const QModelIndex& parent, int level, bool whole) {
        QList<double> sums(model_.columnCount(), 0.0);
        while (model_.canFetchMore(parent)) {
            model_.fetchMore(parent);
        }
        const bool selection = options_.selectedOnly && !whole;
        if (selection && !isGroupList(parent)) {
            for (int row : shape_.selectedRows(parent)) {
                detail(model_.index(row, 0, parent), sums);
            }
            return sums;
        }
        const int rows = model_.rowCount(parent);
        bool firstGroup = true;
        for (int row = 0; row < rows; ++row) {
            const QModelIndex index = model_.index(row, 0, parent);
            switch (model_.kind(index)) {
                case Kind::Detail:
                    detail(index, sums);
                    break;
                case Kind::Header: {
                    const bool groupWhole =
                        whole || !options_.selectedOnly || shape_.selected(index);
                    if (!groupWhole && !shape_.containsSelection(index)) {
                        break;
                    }
                    ReportLine header =
                        makeLine(ReportLine::Kind::GroupHeader, level,
                                 index.data(GroupingModel::GroupCaptionRole).toString());
                    header.pageBreakBefore =
                        level == 0 && options_.pageBreakPerGroup && !firstGroup;
                    add(std::move(header));
                    firstGroup = false;
                    const GroupSummary summary = model_.groupSummary(index);
                    QList<double> groupSums = summary.sums;
                    if (shape_.expanded(index)) {
                        const QList<double> printed = walk(index, level + 1, groupWhole);
                        if (!groupWhole) {
                            groupSums = printed;
                        }
                    } else if (!groupWhole) {
                        // A collapsed group prints its header and the totals of its selected
                        // rows: walk them without printing.
                        ++muted_;
                        groupSums = walk(index, level + 1, false);
                        --muted_;
                    }
                    footer(ReportLine::Kind::GroupFooter, level, QStringLiteral("Total"),
                           groupSums);
                    for (qsizetype c = 0; c < sums.size(); ++c) {
                        sums[c] += groupSums.value(c);
                    }
                    break;
                }
                case Kind::Footer:
                    break;
            }
        }
        return sums;
    }

    void footer(ReportLine::Kind kind, int level, const QString& text, const QList<double>& sums) {
        if (!hasSums()) {
            return;
        }
        ReportLine line = makeLine(kind, level, text);
        for (int column : shape_.columns) {
            line.cells << (model_.columns()[column].sum ? formatCurrency(sums.value(column))
                                                        : QString());
        }
        add(std::move(line));
    }

private:
    bool isGroupList(const QModelIndex& parent) const {
        return model_.rowCount(parent) > 0 &&
               model_.kind(model_.index(0, 0, parent)) == Kind::Header;
    }

    bool hasSums() const {
        for (const GroupingColumn& column : model_.columns()) {
            if (column.sum) {
                return true;
            }
        }
        return false;
    }

    void detail(const QModelIndex& index, QList<double>& sums) {
        const QVariantList values = model_.rowValues(index);
        ReportLine line = makeLine(ReportLine::Kind::Detail);
        for (int column : shape_.columns) {
            line.cells << formatValue(values.value(column), model_.columns()[column].format);
        }
        for (qsizetype c = 0; c < values.size() && c < sums.size(); ++c) {
            if (model_.columns()[c].sum) {
                sums[c] += values[c].toDouble();
            }
        }
        add(std::move(line));
    }

    void add(ReportLine line) {
        if (muted_ > 0) {
            return;
        }
        if (content_.lines.size() >= kGridPrintLineLimit) {
            throw tooManyLines();
        }
        if (line.kind == ReportLine::Kind::Detail) {
            ++content_.rowCount;
        }
        content_.lines << std::move(line);
    }

    GroupingModel& model_;
    const GridPrintShape& shape_;
    const GridPrintOptions& options_;
    ReportContent& content_;
    int muted_ = 0;
};

// Each column as wide as what it prints (its caption or its widest text) in the largest type,
// from 8 points down to 6, that puts every column on the page. When they do not fit, the names
// (`names`: plain texts longer than a code) give up room first, down to kShortestName
// characters, so that amounts, dates and codes print whole; when even that does not fit the
// width of the page, the page is turned; only beyond that are all columns cut alike.
void fitColumnsToText(ReportContent& content, const QVector<bool>& names) {
    constexpr int kLongestName = 30;
    constexpr int kShortestName = 10;
    constexpr double kCharWidth = 0.66;   // of the type's size: digits and capitals
    constexpr double kBoldCaption = 1.3;  // captions are bold, some in capitals
    constexpr double kPadding = 1.5;      // characters of room around a cell's text
    constexpr double kPortrait = 527;     // A4 less its 12 mm margins, in points
    constexpr double kLandscape = 774;
    const qsizetype count = content.columns.size();
    QVector<double> chars(count);
    for (qsizetype c = 0; c < count; ++c) {
        chars[c] = static_cast<double>(content.columns[c].caption.size()) * kBoldCaption;
    }
    for (const ReportLine& line : content.lines) {
        if (line.kind == ReportLine::Kind::Detail || line.kind == ReportLine::Kind::GroupFooter ||
            line.kind == ReportLine::Kind::GrandTotal) {
            for (qsizetype c = 0; c < line.cells.size() && c < count; ++c) {
                chars[c] = std::max(chars[c], static_cast<double>(line.cells[c].size()));
            }
        }
    }
    QVector<bool> cut(count);  // names, which give up room first
    double fixed = 0;          // what must print whole
    double wanted = 0;         // what the names would take
    int nameCount = 0;
    for (qsizetype c = 0; c < count; ++c) {
        cut[c] = names.value(c) && chars[c] > kShortestName;
        if (cut[c]) {
            chars[c] = std::min<double>(chars[c], kLongestName);
            wanted += chars[c];
            ++nameCount;
        } else {
            fixed += chars[c];
        }
    }
    // Characters a line holds across `width` points in type of `size` points.
    auto room = [&](double width, int size) {
        return width / (kCharWidth * size) - kPadding * static_cast<double>(count);
    };
    const double leastNeeded = fixed + kShortestName * nameCount;
    if (content.orientation == Orientation::Portrait && leastNeeded > room(kPortrait, 6)) {
        content.orientation = Orientation::Landscape;
    }
    const double width = content.orientation == Orientation::Landscape ? kLandscape : kPortrait;
    content.fontSize = 8;
    while (content.fontSize > 6 && fixed + wanted > room(width, content.fontSize)) {
        --content.fontSize;
    }
    const double left = room(width, content.fontSize) - fixed;
    const double share = wanted > 0 ? std::clamp(left / wanted, 0.0, 1.0) : 1.0;
    for (qsizetype c = 0; c < count; ++c) {
        const double shown = cut[c] ? std::max<double>(kShortestName, chars[c] * share) : chars[c];
        content.columns[c].width = shown + kPadding;
    }
}

}  // namespace

ReportContent buildGridReport(GroupingModel& model, const GridPrintShape& shape,
                              const GridPrintOptions& options) {
    model.waitForTotals();  // the rows and totals of what the operator asked for last
    ReportContent content;
    content.title = options.title;
    content.orientation = options.landscape ? Orientation::Landscape : Orientation::Portrait;
    content.repeatCaptions = options.repeatCaptions;
    const QString date = options.printedAt.date().toString(QStringLiteral("dd/MM/yyyy"));
    content.headerRight = date;
    content.footerLeft = options.dateInFooterToo ? date : QString();
    content.footerRight = QStringLiteral("Page {page} of {pages}");
    for (qsizetype i = 0; i < shape.columns.size(); ++i) {
        const GroupingColumn& column = model.columns()[shape.columns[i]];
        const bool numeric = isNumericFormat(column.format);
        content.columns.append({column.caption, 1.0, numeric ? Alignment::Right : Alignment::Left});
    }
    // Without a selection the flat list is printed in full: its length is known beforehand.
    if (!options.selectedOnly && model.grouping().isEmpty()) {
        if (model.totalRows() >= kGridPrintLineLimit) {
            throw tooManyLines();
        }
    }
    GridReportBuilder builder(model, shape, options, content);
    QList<double> sums = builder.walk({}, 0, false);
    if (!options.selectedOnly) {
        for (qsizetype c = 0; c < sums.size(); ++c) {
            sums[c] = model.total(static_cast<int>(c));
        }
    }
    builder.footer(ReportLine::Kind::GrandTotal, 0, QStringLiteral("Total Geral"), sums);
    QVector<bool> names;
    for (int column : shape.columns) {
        names << (model.columns()[column].format == ColumnFormat::Plain);
    }
    fitColumnsToText(content, names);
    return content;
}

}  // namespace tavrel
