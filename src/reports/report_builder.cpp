#include "reports/report_builder.h"

namespace tavrel {
namespace {

bool isNumeric(const ValueFormat& format) {
    return format.kind == ValueFormat::Kind::Decimals ||
           format.kind == ValueFormat::Kind::Grouped || format.kind == ValueFormat::Kind::Currency;
}

ReportLine lineOf(ReportLine::Kind kind, int level = 0) {
    ReportLine line;
    line.kind = kind;
    line.level = level;
    return line;
}

}  // namespace

ContentBuilder::ContentBuilder(const ReportTemplate& report, const QDateTime& printedAt, Mode mode)
    : report_(report),
      groupCount_(static_cast<int>(report.groups.size())),
      layoutOnly_(mode == Mode::LayoutOnly) {
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

void ContentBuilder::add(const QVariantList& row) {
    if (layoutOnly_) {
        addRun(row, 1);
        return;
    }
    const EvalScope scope{&row, content_.rowCount + 1, nullptr};
    startRow(row, scope);
    ++content_.rowCount;

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
    write(line);
    for (Level& level : levels_) {
        ++level.count;
    }
    for (size_t s = 0; s < summaryNodes_.size(); ++s) {
        const ExprNode& node = *summaryNodes_[s];
        summaryTotals_[s].add(node.left ? evaluate(*node.left, scope) : QVariant(1));
    }
}

void ContentBuilder::addRun(const QVariantList& row, qint64 count) {
    if (!layoutOnly_) {
        for (qint64 i = 0; i < count; ++i) {
            add(row);
        }
        return;
    }
    if (count <= 0) {
        return;
    }
    startRow(row, EvalScope{&row, content_.rowCount + 1, nullptr});
    content_.rowCount += count;
    for (qint64 i = 0; i < count; ++i) {
        write(lineOf(ReportLine::Kind::Detail));
    }
}

// Headings before the first row; the groups whose value changed are closed and opened again.
void ContentBuilder::startRow(const QVariantList& row, const EvalScope& scope) {
    if (content_.rowCount == 0) {
        firstRow_ = row;
        writeHeadings(scope);
    }
    int changed = groupCount_;
    for (int l = 0; l < groupCount_; ++l) {
        const QVariant key = evaluate(*report_.groups[l].by, scope);
        if (!levels_[static_cast<size_t>(l)].open || levels_[static_cast<size_t>(l)].key != key) {
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
}

ReportContent ContentBuilder::finish() {
    closeGroups(0);
    if (content_.rowCount == 0) {
        writeHeadings(EvalScope{});
        ReportLine note = lineOf(ReportLine::Kind::Note);
        note.text = QStringLiteral("Nenhum registro atende à seleção.");
        write(note);
    }
    if (report_.totals) {
        write(layoutOnly_
                  ? lineOf(ReportLine::Kind::GrandTotal)
                  : totalsLine(ReportLine::Kind::GrandTotal, levels_.back(),
                               renderText(report_.totalsText, textValues({}, levels_.back().count)),
                               0));
    }
    const EvalScope summaryScope{content_.rowCount > 0 ? &firstRow_ : nullptr, 0, &summaryTotals_};
    for (const TemplateSummary& summary : report_.summaries) {
        ReportLine line = lineOf(ReportLine::Kind::Summary);
        if (!layoutOnly_) {
            line.text = summary.caption;
            QVariant value = evaluate(*summary.value, summaryScope);
            if (value.isNull() && isNumeric(summary.format)) {
                value = 0.0;  // a total of nothing is zero, not a blank on a statement
            }
            line.cells << formatValue(value, summary.format);
            line.bold = summary.bold;
        }
        write(line);
    }
    return std::move(content_);
}

std::vector<Accumulator> ContentBuilder::columnAccumulators() const {
    std::vector<Accumulator> totals;
    for (const TemplateColumn& column : report_.columns) {
        totals.emplace_back(column.total.value_or(Aggregate::Sum));
    }
    return totals;
}

TextValues ContentBuilder::textValues(const EvalScope& scope, qint64 count) const {
    TextValues values = text_;
    values.scope = scope;
    values.count = count;
    return values;
}

void ContentBuilder::write(const ReportLine& line) {
    if (layoutOnly_) {
        content_.lines << lineOf(line.kind, line.level);
    } else {
        content_.lines << line;
    }
}

// The lines under the title and the page bands, written with the first row (or none). They
// come before any other line: the first row has not been added yet, or there is none.
void ContentBuilder::writeHeadings(const EvalScope& scope) {
    for (const TextTemplate& text : report_.header) {
        ReportLine line = lineOf(ReportLine::Kind::Heading);
        if (!layoutOnly_) {
            line.text = renderText(text, textValues(scope, 0));
        }
        write(line);
    }
    if (!report_.header.isEmpty()) {
        write(lineOf(ReportLine::Kind::Blank));
    }
    const TextValues values = textValues(scope, 0);
    content_.headerLeft = renderText(report_.pageHeader.left, values);
    content_.headerCenter = renderText(report_.pageHeader.center, values);
    content_.headerRight = renderText(report_.pageHeader.right, values);
    content_.footerLeft = renderText(report_.pageFooter.left, values);
    content_.footerCenter = renderText(report_.pageFooter.center, values);
    content_.footerRight = renderText(report_.pageFooter.right, values);
}

void ContentBuilder::openGroup(int l, const QVariantList& row, const EvalScope& scope) {
    Level& level = levels_[static_cast<size_t>(l)];
    level.open = true;
    level.key = evaluate(*report_.groups[l].by, scope);
    level.firstRow = row;
    level.count = 0;
    level.totals = columnAccumulators();
    if (!report_.groups[l].header.isEmpty()) {
        ReportLine line = lineOf(ReportLine::Kind::GroupHeader, l);
        if (!layoutOnly_) {
            line.text = renderText(report_.groups[l].header, textValues(scope, 0));
        }
        write(line);
    }
}

// Closes the groups from the innermost down to level `from`, writing their footers.
void ContentBuilder::closeGroups(int from) {
    for (int l = groupCount_ - 1; l >= from; --l) {
        Level& level = levels_[static_cast<size_t>(l)];
        if (!level.open) {
            continue;
        }
        if (layoutOnly_) {
            write(lineOf(ReportLine::Kind::GroupFooter, l));
        } else {
            const EvalScope scope{&level.firstRow, 0, nullptr};
            write(totalsLine(ReportLine::Kind::GroupFooter, level,
                             renderText(report_.groups[l].footer, textValues(scope, level.count)),
                             l));
        }
        if (l == 0) {
            write(lineOf(ReportLine::Kind::Blank));
        }
        level.open = false;
    }
}

ReportLine ContentBuilder::totalsLine(ReportLine::Kind kind, const Level& level,
                                      const QString& text, int depth) const {
    ReportLine line = lineOf(kind, depth);
    line.text = text;
    for (qsizetype c = 0; c < report_.columns.size(); ++c) {
        const TemplateColumn& column = report_.columns[c];
        if (!column.total) {
            line.cells << QString();
        } else if (*column.total == Aggregate::Count) {
            line.cells << QString::number(
                level.totals[static_cast<size_t>(c)].result().toLongLong());
        } else {
            line.cells << formatValue(level.totals[static_cast<size_t>(c)].result(), column.format);
        }
    }
    return line;
}

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
