#include "reports/report_content.h"

#include <algorithm>

namespace tavrel {
namespace {

// A chunk holds the texts of many lines; a new one starts when a line does not fit, so growing
// the report never copies what is already packed.
constexpr qsizetype kChunkSize = qsizetype{1} << 20;  // characters

// A length or count: one character below 0x8000, otherwise two.
void putSize(QString& chunk, qsizetype size) {
    if (size < 0x8000) {
        chunk += QChar(static_cast<char16_t>(size));
        return;
    }
    chunk += QChar(static_cast<char16_t>(0x8000 | (size >> 16)));
    chunk += QChar(static_cast<char16_t>(size & 0xFFFF));
}

qsizetype takeSize(const QChar*& at) {
    const qsizetype first = (at++)->unicode();
    if (first < 0x8000) {
        return first;
    }
    return ((first & 0x7FFF) << 16) | (at++)->unicode();
}

QString takeText(const QChar*& at) {
    const qsizetype size = takeSize(at);
    QString text(at, size);
    at += size;
    return text;
}

qsizetype packedSize(const ReportLine& line) {
    qsizetype size = 2 + line.text.size() + 2;
    for (const QString& cell : line.cells) {
        size += 2 + cell.size();
    }
    return size;
}

}  // namespace

ReportLine ReportLines::at(qsizetype i) const {
    const Entry& entry = entries_[static_cast<size_t>(i)];
    ReportLine line;
    line.kind = static_cast<ReportLine::Kind>(entry.kind);
    line.level = entry.level;
    line.bold = entry.bold;
    line.pageBreakBefore = entry.pageBreakBefore;
    const QChar* at = chunks_[entry.chunk].constData() + entry.offset;
    const qsizetype cells = takeSize(at);
    line.text = takeText(at);
    line.cells.reserve(cells);
    for (qsizetype c = 0; c < cells; ++c) {
        line.cells << takeText(at);
    }
    return line;
}

void ReportLines::append(const ReportLine& line) {
    const qsizetype needed = packedSize(line);
    if (chunks_.empty() || chunks_.back().size() + needed > chunks_.back().capacity()) {
        chunks_.emplace_back();
        chunks_.back().reserve(std::max(kChunkSize, needed));
    }
    QString& chunk = chunks_.back();
    Entry entry;
    entry.chunk = static_cast<std::uint32_t>(chunks_.size() - 1);
    entry.offset = static_cast<std::uint32_t>(chunk.size());
    entry.kind = static_cast<std::uint8_t>(line.kind);
    entry.level = static_cast<std::int16_t>(line.level);
    entry.bold = line.bold;
    entry.pageBreakBefore = line.pageBreakBefore;
    putSize(chunk, line.cells.size());
    putSize(chunk, line.text.size());
    chunk += line.text;
    for (const QString& cell : line.cells) {
        putSize(chunk, cell.size());
        chunk += cell;
    }
    entries_.push_back(entry);
}

void ReportLines::clear() {
    entries_.clear();
    chunks_.clear();
}

}  // namespace tavrel
