#include "cube/cube_data.h"

#include <QDate>
#include <bit>
#include <unordered_map>
#include <utility>

#include "cube/text_dictionary.h"

namespace tavrel {
namespace {

constexpr std::uint32_t kUnset = 0xffffffffu;

int column(SourceColumn c) {
    return static_cast<int>(c);
}

// Distinct numbers of a column, by their bits (-0 taken as 0); the blank value is kept apart.
class NumberDictionary {
public:
    std::uint32_t intern(std::optional<double> value) {
        if (!value) {
            if (blank_ == kUnset) {
                blank_ = add({});
            }
            return blank_;
        }
        const double number = *value == 0.0 ? 0.0 : *value;
        if (last_ != kUnset && number == lastNumber_) {
            return last_;  // rows often repeat the value of the row before
        }
        const auto [at, added] = codes_.try_emplace(std::bit_cast<std::uint64_t>(number), kUnset);
        if (added) {
            SourceValue v;
            v.kind = SourceValue::Kind::Number;
            v.number = number;
            at->second = add(std::move(v));
        }
        lastNumber_ = number;
        last_ = at->second;
        return last_;
    }
    std::vector<SourceValue> take() { return std::move(values_); }

private:
    std::uint32_t add(SourceValue value) {
        values_.push_back(std::move(value));
        return static_cast<std::uint32_t>(values_.size() - 1);
    }

    std::unordered_map<std::uint64_t, std::uint32_t> codes_;
    std::vector<SourceValue> values_;
    std::uint32_t blank_ = kUnset;
    std::uint32_t last_ = kUnset;
    double lastNumber_ = 0;
};

// The values of a text column from its dictionary. Texts that mean the same value (an empty text
// and a null, two spellings of one date) become one value; `remap` then gives each text's value.
std::vector<SourceValue> textValues(const TextDictionary& texts, bool dates,
                                    std::vector<std::uint32_t>& remap) {
    std::vector<SourceValue> values;
    std::unordered_map<qint64, std::uint32_t> byDay;
    std::uint32_t blank = kUnset;
    remap.assign(texts.size(), kUnset);
    for (std::uint32_t code = 0; code < texts.size(); ++code) {
        const std::string_view bytes = texts.text(code);
        SourceValue value;
        if (bytes.empty()) {
            if (blank == kUnset) {
                blank = static_cast<std::uint32_t>(values.size());
                values.push_back(value);
            }
            remap[code] = blank;
            continue;
        }
        value.text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        if (dates) {
            const QDate date = QDate::fromString(value.text.left(10), Qt::ISODate);
            if (date.isValid()) {
                const auto [at, added] = byDay.try_emplace(
                    date.toJulianDay(), static_cast<std::uint32_t>(values.size()));
                remap[code] = at->second;
                if (added) {
                    value.kind = SourceValue::Kind::Date;
                    value.number = static_cast<double>(date.toJulianDay());
                    value.text.clear();
                    values.push_back(std::move(value));
                }
                continue;
            }
        }
        value.kind = SourceValue::Kind::Text;
        remap[code] = static_cast<std::uint32_t>(values.size());
        values.push_back(std::move(value));
    }
    return values;
}

bool isIdentity(const std::vector<std::uint32_t>& remap) {
    for (std::uint32_t i = 0; i < remap.size(); ++i) {
        if (remap[i] != i) {
            return false;
        }
    }
    return true;
}

void applyRemap(std::vector<std::uint32_t>& codes, const std::vector<std::uint32_t>& remap) {
    if (isIdentity(remap)) {
        return;
    }
    for (std::uint32_t& code : codes) {
        code = remap[code];
    }
}

}  // namespace

std::size_t CubeData::memoryBytes() const {
    std::size_t bytes = 0;
    for (const auto& c : codes) {
        bytes += c.capacity() * sizeof(std::uint32_t);
    }
    for (const auto& list : values) {
        bytes += list.capacity() * sizeof(SourceValue);
        for (const SourceValue& v : list) {
            bytes += static_cast<std::size_t>(v.text.capacity() + v.key.capacity()) * sizeof(QChar);
        }
    }
    for (const auto& m : measures) {
        bytes += m.capacity() * sizeof(double);
    }
    for (const auto& e : empty) {
        bytes += e.capacity() / 8;
    }
    return bytes;
}

struct CubeDataBuilder::Dictionaries {
    TextDictionary clientCodes;
    std::vector<QString> clientNames;
    std::uint32_t lastClient = TextDictionary::kAbsent;
    TextDictionary status, documento, troca, deposito;
    NumberDictionary taxa, dias;
    std::array<bool, kMeasureCount> anyEmpty{};
};

CubeDataBuilder::CubeDataBuilder() : dictionaries_(std::make_unique<Dictionaries>()) {}

CubeDataBuilder::~CubeDataBuilder() = default;

void CubeDataBuilder::reserve(std::size_t rows) {
    for (auto& c : data_.codes) {
        c.reserve(rows);
    }
    for (int m = 0; m < kMeasureCount; ++m) {
        data_.measures[m].reserve(rows);
        data_.empty[m].reserve(rows);
    }
}

void CubeDataBuilder::addClient(std::string_view code, const QString& name) {
    Dictionaries& d = *dictionaries_;
    if (d.clientCodes.find(code) != TextDictionary::kAbsent) {
        return;  // codes are unique; a second row could never be told apart
    }
    d.clientCodes.intern(code);
    d.clientNames.push_back(name);
}

bool CubeDataBuilder::addCheque(const SourceRow& row) {
    Dictionaries& d = *dictionaries_;
    if (d.lastClient == TextDictionary::kAbsent ||
        d.clientCodes.text(d.lastClient) != row.cliente) {
        d.lastClient = d.clientCodes.find(row.cliente);
    }
    const std::uint32_t client = d.lastClient;
    if (client == TextDictionary::kAbsent) {
        return false;
    }
    data_.codes[column(SourceColumn::Cliente)].push_back(client);
    data_.codes[column(SourceColumn::Status)].push_back(d.status.intern(row.status));
    data_.codes[column(SourceColumn::Taxa)].push_back(d.taxa.intern(row.taxa));
    data_.codes[column(SourceColumn::Dias)].push_back(d.dias.intern(row.dias));
    data_.codes[column(SourceColumn::Documento)].push_back(d.documento.intern(row.documento));
    data_.codes[column(SourceColumn::Troca)].push_back(d.troca.intern(row.troca));
    data_.codes[column(SourceColumn::Deposito)].push_back(d.deposito.intern(row.deposito));
    for (int m = 0; m < kMeasureCount; ++m) {
        const std::optional<double>& amount = row.measures[m];
        data_.measures[m].push_back(amount.value_or(0.0));
        data_.empty[m].push_back(!amount.has_value());
        d.anyEmpty[m] = d.anyEmpty[m] || !amount.has_value();
    }
    ++data_.rows;
    return true;
}

CubeData CubeDataBuilder::finish() {
    Dictionaries& d = *dictionaries_;

    // Clients: only those with cheques, in the order of their first cheque.
    {
        std::vector<std::uint32_t> remap(d.clientNames.size(), kUnset);
        std::vector<SourceValue>& values = data_.values[column(SourceColumn::Cliente)];
        for (std::uint32_t& code : data_.codes[column(SourceColumn::Cliente)]) {
            if (remap[code] == kUnset) {
                remap[code] = static_cast<std::uint32_t>(values.size());
                SourceValue v;
                v.kind = SourceValue::Kind::Text;
                v.text = d.clientNames[code];
                const std::string_view key = d.clientCodes.text(code);
                v.key = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
                values.push_back(std::move(v));
            }
            code = remap[code];
        }
    }
    const auto texts = [this](SourceColumn c, const TextDictionary& dictionary, bool dates) {
        std::vector<std::uint32_t> remap;
        data_.values[column(c)] = textValues(dictionary, dates, remap);
        applyRemap(data_.codes[column(c)], remap);
    };
    texts(SourceColumn::Status, d.status, false);
    texts(SourceColumn::Documento, d.documento, false);
    texts(SourceColumn::Troca, d.troca, true);
    texts(SourceColumn::Deposito, d.deposito, true);
    data_.values[column(SourceColumn::Taxa)] = d.taxa.take();
    data_.values[column(SourceColumn::Dias)] = d.dias.take();
    for (int m = 0; m < kMeasureCount; ++m) {
        if (!d.anyEmpty[m]) {
            std::vector<bool>().swap(data_.empty[m]);
        }
    }
    dictionaries_ = std::make_unique<Dictionaries>();
    return std::exchange(data_, CubeData{});
}

}  // namespace tavrel
