#include "reports/report_builder.h"

#include <vector>

namespace tavrel {
namespace {

bool isNumeric(const ValueFormat& format) {
    return format.kind == ValueFormat::Kind::Decimals ||
           format.kind == ValueFormat::Kind::Grouped || format.kind == ValueFormat::Kind::Currency;
}

class ContentBuilder {
public:
    ContentBuilder(const ReportTemplate& report, const QDateTime& printedAt)
        : report_(report), groupCount_(static_cast<int>(report.groups.size())) {
        content_.title = report.title;
        content_.orientation = report.orientation;
        content_.fontSize = report.fontSize;
        for (const TemplateColumn& column : report.columns) {
            content_.columns << ContentColumn{column.caption, column.width, column.align};
        }
        text_.title = report.title;
        text_.date = printedAt.toString(QStringLiteral("dd/MM/yyyy"));
        text_.time = printedAt.toString(QStringLiteral("hh:mm"));
        // Level groupCount_ holds the grand totals.
        levels_.resize(static_cast<size_t>(groupCount_) + 1);
        for (Level& level : levels_) {
            level.totals = columnAccumulators();
        }
        for (const TemplateSummary& summary : report.summaries) {
            forEachTotal(summary.value, [this](ExprNode& node) {
                node.slot = static_cast<int>(summaryTotals_.size());
                summaryTotals_.emplace_back(node.aggregate);
                summaryNodes_.push_back(&node);
            });
        }
    }

    void add(const QVariantList& row) {
        ++content_.rowCount;
        const EvalScope scope{&row, content_.rowCount, nullptr};
        if (content_.rowCount == 1) {
            firstRow_ = row;
            writeHeadings(scope);
        }
        int changed = groupCount_;
        for (int l = 0; l < groupCount_; ++l) {
            const QVariant key = evaluate(*report_.groups[l].by, scope);
            if (!levels_[l].open || levels_[l].key != key) {
                changed = l;
                break;
            }
        }
        if (changed < groupCount_) {
            closeGroups(changed);
            for (int l = changed; l < groupCount_; ++l) {
                openGroup(l, row, scope);
            }
        }

        ReportLine line;
        line.kind = ReportLine::Kind::Detail;
        for (qsizetype c = 0; c < report_.columns.size(); ++c) {
            const TemplateColumn& column = report_.columns[c];
            const QVariant value = evaluate(*column.value, scope);
            line.cells << formatValue(value, column.format);
            if (column.total) {
                for (Level& level : levels_) {
                    level.totals[static_cast<size_t>(c)].add(value);
                }
            }
        }
        content_.lines << line;
        for (Level& level : levels_) {
            ++level.count;
        }
        for (size_t s = 0; s < summaryNodes_.size(); ++s) {
            const ExprNode& node = *summaryNodes_[s];
            summaryTotals_[s].add(node.left ? evaluate(*node.left, scope) : QVariant(1));
        }
    }

    ReportContent finish() {
        closeGroups(0);
        if (content_.rowCount == 0) {
            writeHeadings(EvalScope{});
            ReportLine note;
            note.kind = ReportLine::Kind::Note;
            note.text = QStringLiteral("Nenhum registro atende à seleção.");
            content_.lines << note;
        }
        if (report_.totals) {
            content_.lines << totalsLine(
                ReportLine::Kind::GrandTotal, levels_.back(),
                renderText(report_.totalsText, textValues({}, levels_.back().count)), 0);
        }
        const EvalScope summaryScope{content_.rowCount > 0 ? &firstRow_ : nullptr, 0,
                                     &summaryTotals_};
        for (const TemplateSummary& summary : report_.summaries) {
            ReportLine line;
            line.kind = ReportLine::Kind::Summary;
            line.text = summary.caption;
            QVariant value = evaluate(*summary.value, summaryScope);
            if (value.isNull() && isNumeric(summary.format)) {
                value = 0.0;  // a total of nothing is zero, not a blank on a statement
            }
            line.cells << formatValue(value, summary.format);
            line.bold = summary.bold;
            content_.lines << line;
        }
        return std::move(content_);
    }

private:
    struct Level {
        bool open = false;
        QVariant key;
        QVariantList firstRow;
        qint64 count = 0;
        std::vector<Accumulator> totals;  // one per column; unused where the column has none
    };

    std::vector<Accumulator> columnAccumulators() const {
        std::vector<Accumulator> totals;
        for (const TemplateColumn& column : report_.columns) {
            totals.emplace_back(column.total.value_or(Aggregate::Sum));
        }
        return totals;
    }

    TextValues textValues(const EvalScope& scope, qint64 count) const {
        TextValues values = text_;
        values.scope = scope;
        values.count = count;
        return values;
    }

    // The lines under the title and the page bands, written with the first row (or none).
    void writeHeadings(const EvalScope& scope) {
        QVector<ReportLine> headings;
        for (const TextTemplate& text : report_.header) {
            ReportLine line;
            line.kind = ReportLine::Kind::Heading;
            line.text = renderText(text, textValues(scope, 0));
            headings << line;
        }
        if (!headings.isEmpty()) {
            ReportLine blank;
            blank.kind = ReportLine::Kind::Blank;
            headings << blank;
        }
        content_.lines = headings + content_.lines;
        const TextValues values = textValues(scope, 0);
        content_.headerLeft = renderText(report_.pageHeader.left, values);
        content_.headerCenter = renderText(report_.pageHeader.center, values);
        content_.headerRight = renderText(report_.pageHeader.right, values);
        content_.footerLeft = renderText(report_.pageFooter.left, values);
        content_.footerCenter = renderText(report_.pageFooter.center, values);
        content_.footerRight = renderText(report_.pageFooter.right, values);
    }

    void openGroup(int l, const QVariantList& row, const EvalScope& scope) {
        Level& level = levels_[static_cast<size_t>(l)];
        level.open = true;
        level.key = evaluate(*report_.groups[l].by, scope);
        level.firstRow = row;
        level.count = 0;
        level.totals = columnAccumulators();
        if (!report_.groups[l].header.isEmpty()) {
            ReportLine line;
            line.kind = ReportLine::Kind::GroupHeader;
            line.level = l;
            line.text = renderText(report_.groups[l].header, textValues(scope, 0));
            content_.lines << line;
        }
    }

    // Closes the groups from the innermost down to level `from`, writing their footers.
    void closeGroups(int from) {
        for (int l = groupCount_ - 1; l >= from; --l) {
            Level& level = levels_[static_cast<size_t>(l)];
            if (!level.open) {
                continue;
            }
            const EvalScope scope{&level.firstRow, 0, nullptr};
            content_.lines << totalsLine(
                ReportLine::Kind::GroupFooter, level,
                renderText(report_.groups[l].footer, textValues(scope, level.count)), l);
            if (l == 0) {
                ReportLine blank;
                blank.kind = ReportLine::Kind::Blank;
                content_.lines << blank;
            }
            level.open = false;
        }
    }

    ReportLine totalsLine(ReportLine::Kind kind, const Level& level, const QString& text,
                          int depth) const {
        ReportLine line;
        line.kind = kind;
        line.level = depth;
        line.text = text;
        for (qsizetype c = 0; c < report_.columns.size(); ++c) {
            const TemplateColumn& column = report_.columns[c];
            if (!column.total) {
                line.cells << QString();
            } else if (*column.total == Aggregate::Count) {
                line.cells << QString::number(
                    level.totals[static_cast<size_t>(c)].result().toLongLong());
            } else {
                line.cells << formatValue(level.totals[static_cast<size_t>(c)].result(),
                                          column.format);
            }
        }
        return line;
    }

    const ReportTemplate& report_;
    const int groupCount_;
    ReportContent content_;
    TextValues text_;
    std::vector<Level> levels_;
    QVariantList firstRow_;
    std::vector<Accumulator> summaryTotals_;
    std::vector<const ExprNode*> summaryNodes_;
};

}  // namespace

ReportContent buildContent(const ReportTemplate& report, const RowSource& rows,
                           const QDateTime& printedAt) {
    ContentBuilder builder(report, printedAt);
    QVariantList row;
    while (rows(row)) {
        builder.add(row);
    }
    return builder.finish();
}

}  // namespace tavrel
