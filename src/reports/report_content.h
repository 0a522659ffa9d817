#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "reports/report_template.h"

namespace tavrel {

// One line of a report's body, with its texts already written.
struct ReportLine {
    enum class Kind { Heading, GroupHeader, Detail, GroupFooter, GrandTotal, Summary, Note, Blank };
    Kind kind = Kind::Detail;
    int level = 0;      // group depth of a group header or footer
    QString text;       // heading, group label, summary caption, note
    QStringList cells;  // detail and totals: one per column (empty where none); summary: value
    bool bold = false;  // summary lines the template marks bold
    bool pageBreakBefore = false;  // the line starts a new page
};

struct ContentColumn {
    QString caption;
    double width = 10;
    Alignment align = Alignment::Left;
};

// A report filled with its rows and ready to be laid out on pages of any size: the same content
// goes to the preview, the printer and PDF files.
struct ReportContent {
    QString title;
    Orientation orientation = Orientation::Portrait;
    int fontSize = 9;
    QVector<ContentColumn> columns;
    QVector<ReportLine> lines;
    // Page header and footer; "{page}" and "{pages}" are filled in page by page.
    QString headerLeft, headerCenter, headerRight;
    QString footerLeft, footerCenter, footerRight;
    // Column captions at the top of every page, or on the first page only.
    bool repeatCaptions = true;
    qint64 rowCount = 0;
};

}  // namespace tavrel
