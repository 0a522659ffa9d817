#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <iterator>
#include <vector>

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

// The lines of a report, packed: a year of cheques is half a million lines, which as separate
// strings would take several hundred megabytes. Used like a list of ReportLine; reading a line
// unpacks a copy of it.
class ReportLines {
public:
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = ReportLine;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = ReportLine;

        const_iterator(const ReportLines* lines, qsizetype index) : lines_(lines), index_(index) {}
        ReportLine operator*() const { return lines_->at(index_); }
        const_iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

    private:
        const ReportLines* lines_;
        qsizetype index_;
    };

    qsizetype size() const { return static_cast<qsizetype>(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    ReportLine at(qsizetype i) const;
    ReportLine operator[](qsizetype i) const { return at(i); }
    ReportLine first() const { return at(0); }
    ReportLine last() const { return at(size() - 1); }
    // The kind of a line, without unpacking its texts.
    ReportLine::Kind kind(qsizetype i) const {
        return static_cast<ReportLine::Kind>(entries_[static_cast<size_t>(i)].kind);
    }
    bool pageBreakBefore(qsizetype i) const {
        return entries_[static_cast<size_t>(i)].pageBreakBefore;
    }

    void append(const ReportLine& line);
    ReportLines& operator<<(const ReportLine& line) {
        append(line);
        return *this;
    }
    void clear();

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct Entry {
        std::uint32_t chunk = 0;   // where its texts are packed
        std::uint32_t offset = 0;  // in that chunk
        std::uint8_t kind = 0;
        std::int16_t level = 0;
        bool bold = false;
        bool pageBreakBefore = false;
    };
    std::vector<Entry> entries_;
    std::vector<QString> chunks_;  // each line's text and cells, one after the other
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
    ReportLines lines;
    // Page header and footer; "{page}" and "{pages}" are filled in page by page.
    QString headerLeft, headerCenter, headerRight;
    QString footerLeft, footerCenter, footerRight;
    // Column captions at the top of every page, or on the first page only.
    bool repeatCaptions = true;
    qint64 rowCount = 0;
};

}  // namespace tavrel
