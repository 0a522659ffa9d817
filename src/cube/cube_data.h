#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace tavrel {

// The columns of the cube's source that its fifteen dimension fields are made of: the client,
// status, rate, days, document, and the exchange and deposit dates (the years, quarters, months
// and weeks are parts of the two dates).
enum class SourceColumn { Cliente, Status, Taxa, Dias, Documento, Troca, Deposito };
inline constexpr int kSourceColumnCount = 7;

// The eight summed amounts, in the order of the cube's measures: VL_CHEQUE, VL_IOF, VL_CPMF,
// VL_JUROS, VL_CUSTODIA, VL_ADVALOREM, VL_CONSULTA, VL_TAC.
inline constexpr int kMeasureCount = 8;

// One distinct value of a source column.
struct SourceValue {
    enum class Kind { Blank, Number, Text, Date };
    Kind kind = Kind::Blank;
    double number = 0;  // a number; the Julian day of a date
    QString text;       // a text; a client's name; the stored text of a date that is not one
    QString key;        // a client's code
};

// The source read once into columns: each row (cheque) holds, per source column, the number of
// its distinct value, and per measure its amount (0 where none was stored, with the row marked
// empty). Rows keep the order they were read in, so sums come out the same on every run.
struct CubeData {
    std::size_t rows = 0;
    std::array<std::vector<std::uint32_t>, kSourceColumnCount> codes;
    // The distinct values of each column; a cube keeps them only while it makes its fields.
    std::array<std::vector<SourceValue>, kSourceColumnCount> values;
    std::array<std::vector<double>, kMeasureCount> measures;
    // Per measure, which rows stored no amount; left empty when every row stored one.
    std::array<std::vector<bool>, kMeasureCount> empty;

    std::size_t memoryBytes() const;
};

// One cheque as the source gives it. A null text is an empty view; a null number is nullopt.
struct SourceRow {
    std::string_view cliente;  // the client's code (CD_CLIENTE)
    std::string_view status;
    std::optional<double> taxa;
    std::optional<double> dias;
    std::string_view documento;
    std::string_view troca;     // stored date text, 'YYYY-MM-DD'
    std::string_view deposito;  // stored date text
    std::array<std::optional<double>, kMeasureCount> measures;
};

// Builds CubeData row by row: clients first, then the cheques. Cheques of a client that is not
// registered stay out, as the join of the cube's source query leaves them out.
class CubeDataBuilder {
public:
    CubeDataBuilder();
    ~CubeDataBuilder();
    CubeDataBuilder(const CubeDataBuilder&) = delete;
    CubeDataBuilder& operator=(const CubeDataBuilder&) = delete;

    void reserve(std::size_t rows);
    void addClient(std::string_view code, const QString& name);
    // False (and nothing kept) when the cheque's client is not registered.
    bool addCheque(const SourceRow& row);
    CubeData finish();

private:
    struct Dictionaries;
    std::unique_ptr<Dictionaries> dictionaries_;
    CubeData data_;
};

}  // namespace tavrel
