#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "cube/cube_data.h"

namespace tavrel {

// The part of a date a field shows: the date itself, or its year, quarter, month or week.
enum class DatePart { None, Year, Quarter, Month, Week };

struct DimensionSpec {
    const char* identifier;  // the field's source expression
    const char* caption;
    SourceColumn column;
    DatePart part;
};

struct MeasureSpec {
    const char* source;
    const char* caption;
    const char* identifier;
    const char* format;  // "#,##0.00", "0.00", or "" (general)
};

inline constexpr int kDimensionCount = 15;

// The fifteen dimension fields and the eight measures of the cube, in their positions.
const std::array<DimensionSpec, kDimensionCount>& dimensionSpecs();
const std::array<MeasureSpec, kMeasureCount>& measureSpecs();

// Week of the year as the old date functions count it: weeks start on Sunday and week 1 is the
// week of 1 January, so 31/12/2028 (a Sunday in a year that began on a Saturday) is week 54.
int weekOfYear(int year, int month, int day);
// "Janeiro" .. "Dezembro"; "Primeiro" .. "Quarto".
QString monthName(int month);
QString quarterName(int quarter);
// How the cube shows a status: "A" "Aberto", "B" "Baixado", "C" and "D" "Devolvido"; any other
// code as it is.
QString statusCaption(const QString& code);
// The caption of an empty value.
QString blankCaption();

// The members of one dimension field: the distinct values its rows show, their captions and
// their natural order (months by number, dates by date, numbers by value, names by Portuguese
// collation, an empty value last).
class CubeDimension {
public:
    CubeDimension(const CubeData& data, const DimensionSpec& spec);

    SourceColumn column() const { return column_; }
    std::uint32_t memberCount() const { return static_cast<std::uint32_t>(captions_.size()); }
    const QString& caption(std::uint32_t member) const { return captions_[member]; }
    // The member of each value of the source column.
    const std::vector<std::uint32_t>& memberOfValue() const { return memberOfValue_; }
    // Natural order: rank of each member, and the member at each rank. Worked out on first use.
    const std::vector<std::uint32_t>& ranks() const;
    const std::vector<std::uint32_t>& byRank() const;
    std::size_t memoryBytes() const;

private:
    struct SortKey {
        int group = 0;  // 0 values, 1 texts that are not the field's kind, 2 the empty value
        double number = 0;
        QString text;
    };

    void sortMembers() const;
    std::uint32_t addMember(const QString& caption, SortKey key);

    SourceColumn column_;
    bool numeric_ = false;  // members ordered by number rather than by text
    std::vector<QString> captions_;
    std::vector<SortKey> keys_;
    std::vector<std::uint32_t> memberOfValue_;
    mutable std::vector<std::uint32_t> ranks_;
    mutable std::vector<std::uint32_t> byRank_;
};

}  // namespace tavrel
