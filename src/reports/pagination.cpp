#include "reports/pagination.h"

#include <algorithm>
#include <type_traits>

namespace tavrel {
namespace {

using Kind = ReportLine::Kind;

bool isClosing(Kind kind) {
    return kind == Kind::GrandTotal || kind == Kind::Summary;
}

// The kinds of a report's lines and their page breaks, whichever way the lines are kept.
template <class Lines>
class Kinds {
public:
    explicit Kinds(const Lines& lines) : lines_(lines) {}
    int size() const { return static_cast<int>(lines_.size()); }
    Kind operator[](int i) const {
        if constexpr (std::is_same_v<Lines, ReportLines>) {
            return lines_.kind(i);
        } else {
            return lines_[i].kind;
        }
    }
    bool startsPage(int i) const {
        if constexpr (std::is_same_v<Lines, ReportLines>) {
            return lines_.pageBreakBefore(i);
        } else {
            return lines_[i].pageBreakBefore;
        }
    }

private:
    const Lines& lines_;
};

// How many lines from `i` on must share a page: a run of group headers with the line after
// them, or the closing block of grand total and summaries. Counted where the run starts only.
template <class Lines>
int keepTogether(const Kinds<Lines>& lines, int i) {
    const Kind kind = lines[i];
    const Kind previous = i > 0 ? lines[i - 1] : Kind::Blank;
    int end = i;
    if (kind == Kind::GroupHeader && previous != Kind::GroupHeader) {
        while (end < lines.size() && lines[end] == Kind::GroupHeader)
            ++end;
        return std::min<int>(end + 1, lines.size()) - i;
    }
    if (isClosing(kind) && !isClosing(previous)) {
        while (end < lines.size() && isClosing(lines[end]))
            ++end;
        return end - i;
    }
    return 1;
}

template <class Lines>
QVector<PageRange> paginateKinds(const Kinds<Lines>& lines, int linesPerPage) {
    const int capacity = std::max(1, linesPerPage);
    QVector<PageRange> pages;
    PageRange page;
    int i = 0;
    while (i < lines.size()) {
        if (page.count == 0 && lines[i] == Kind::Blank && !pages.isEmpty()) {
            ++i;  // no blank line at the top of a page
            continue;
        }
        if (page.count > 0 && lines.startsPage(i)) {
            pages << page;
            page = PageRange{};
            continue;
        }
        if (page.count == 0) {
            page.first = i;
        }
        const int block = keepTogether(lines, i);
        const bool fitsHere = page.count + block <= capacity;
        const bool fitsOnAPage = block <= capacity;
        if (page.count > 0 && !fitsHere && (fitsOnAPage || page.count + 1 > capacity)) {
            pages << page;
            page = PageRange{};
            continue;
        }
        // Lines of a block too long for any page simply flow on.
        ++page.count;
        ++i;
    }
    if (page.count > 0 || pages.isEmpty()) {
        pages << page;
    }
    return pages;
}

}  // namespace

QVector<PageRange> paginate(const QVector<ReportLine>& lines, int linesPerPage) {
    return paginateKinds(Kinds(lines), linesPerPage);
}

QVector<PageRange> paginateLines(const ReportLines& lines, int linesPerPage) {
    return paginateKinds(Kinds(lines), linesPerPage);
}

}  // namespace tavrel
