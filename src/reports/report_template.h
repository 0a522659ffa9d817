#pragma once

#include <QString>
#include <QVector>
#include <optional>

#include "reports/expression.h"
#include "reports/value_format.h"

namespace tavrel {

enum class Alignment { Left, Center, Right };
enum class Orientation { Portrait, Landscape };

struct TemplateJoin {
    QString table;
    QString alias;      // empty: the table's own name
    QString condition;  // in the selection formula language
    bool left = true;   // LEFT JOIN keeps rows without a match; inner drops them
    int line = 0;
};

struct SortKey {
    Expr column;
    bool descending = false;
};

struct TemplateGroup {
    Expr by;     // a column; a new group starts when its value changes
    Expr order;  // optional column the groups are ordered by (before `by`)
    TextTemplate header;
    TextTemplate footer;
    int line = 0;
};

struct TemplateColumn {
    QString caption;
    Expr value;
    ValueFormat format;
    double width = 10;  // relative: the columns share the printable width in proportion
    Alignment align = Alignment::Left;
    std::optional<Aggregate> total;  // shown on group footers and the grand total line
};

struct TemplateSummary {
    QString caption;
    Expr value;  // may use sum(), count() …; a bare column is the first row's value
    ValueFormat format;
    bool bold = false;
};

struct PageBand {
    TextTemplate left, center, right;
};

// A report template: which rows a report reads and how it lays them out. The text format is
// described in docs/reports.md.
struct ReportTemplate {
    QString title;
    Orientation orientation = Orientation::Portrait;
    int fontSize = 9;

    QString from;
    int fromLine = 0;
    QVector<TemplateJoin> joins;
    QString where;  // a fixed condition, in the selection formula language
    int whereLine = 0;
    QVector<SortKey> sort;

    FieldDefinitions fields;
    QVector<TextTemplate> header;  // lines under the title, written with the first row
    QVector<TemplateGroup> groups;
    QVector<TemplateColumn> columns;
    bool totals = false;  // the grand total line
    TextTemplate totalsText;
    QVector<TemplateSummary> summaries;
    PageBand pageHeader, pageFooter;

    // Every expression and text of the template, for binding its columns.
    void forEachColumn(const std::function<void(ExprNode&)>& visit) const;
};

// Parses a template's text. A fault is an AppError (report error number) naming the template
// and the line.
ReportTemplate parseTemplate(const QString& text, const QString& templateName);

// Reads and parses a template file. A missing file is error 53, an unreadable one 75. A file
// that is not there under that exact name is also looked for ignoring letter case, as the
// templates come from systems where "BAIXAS.RPT" and "baixas.rpt" are the same file.
ReportTemplate readTemplate(const QString& path);
QString findTemplateFile(const QString& path);  // the existing file, or empty

// A fault of the template at a line, as parseTemplate reports it.
[[noreturn]] void throwTemplateError(const QString& templateName, int line, const QString& message);

}  // namespace tavrel
