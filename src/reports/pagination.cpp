#include "reports/pagination.h"

#include <algorithm>

namespace tavrel {
namespace {

using Kind = ReportLine::Kind;

bool isClosing(Kind kind) {
    return kind == Kind::GrandTotal || kind == Kind::Summary;
}

// How many lines from `i` on must share a page: a run of group headers with the line after
// them, or the closing block of grand total and summaries. Counted where the run starts only.
int keepTogether(const QVector<ReportLine>& lines, int i) {
    const Kind kind = lines[i].kind;
    const Kind previous = i > 0 ? lines[i - 1].kind : Kind::Blank;
    int end = i;
    if (kind == Kind::GroupHeader && previous != Kind::GroupHeader) {
        while (end < lines.size() && lines[end].kind == Kind::GroupHeader)
            ++end;
        return std::min<int>(end + 1, static_cast<int>(lines.size())) - i;
    }
    if (isClosing(kind) && !isClosing(previous)) {
        while (end < lines.size() && isClosing(lines[end].kind))
            ++end;
        return end - i;
    }
    return 1;
}

}  // namespace

QVector<PageRange> paginate(const QVector<ReportLine>& lines, int linesPerPage) {
    const int capacity = std::max(1, linesPerPage);
    QVector<PageRange> pages;
    PageRange page;
    int i = 0;
    while (i < lines.size()) {
        if (page.count == 0 && lines[i].kind == Kind::Blank && !pages.isEmpty()) {
            ++i;  // no blank line at the top of a page
            continue;
        }
        if (page.count > 0 && lines[i].pageBreakBefore) {
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

}  // namespace tavrel
