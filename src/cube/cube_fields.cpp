#include "cube/cube_fields.h"

#include <QCollator>
#include <QDate>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <map>
#include <numeric>

#include "core/ptbr.h"

namespace tavrel {

const std::array<DimensionSpec, kDimensionCount>& dimensionSpecs() {
    static const std::array<DimensionSpec, kDimensionCount> specs = {{
        {"NM_CLIENTE", "Cliente", SourceColumn::Cliente, DatePart::None},
        {"CD_STATUS", "Status", SourceColumn::Status, DatePart::None},
        {"VL_TAXA", "Taxa", SourceColumn::Taxa, DatePart::None},
        {"NR_DIAS", "Dias", SourceColumn::Dias, DatePart::None},
        {"CD_DOCUMENTO", "Documento", SourceColumn::Documento, DatePart::None},
        {"DT_TROCA", "Troca", SourceColumn::Troca, DatePart::None},
        {"datepart(\"yyyy\",CHEQUES.DT_DEPOSITO)", "Ano Deposito", SourceColumn::Deposito,
         DatePart::Year},
        {"datepart(\"ww\",CHEQUES.DT_TROCA)", "Semana Troca", SourceColumn::Troca, DatePart::Week},
        {"datepart(\"m\",CHEQUES.DT_TROCA)", "Mês Troca", SourceColumn::Troca, DatePart::Month},
        {"datepart(\"q\",CHEQUES.DT_DEPOSITO)", "Trimestre Deposito", SourceColumn::Deposito,
         DatePart::Quarter},
        {"datepart(\"m\",CHEQUES.DT_DEPOSITO)", "Mês Deposito", SourceColumn::Deposito,
         DatePart::Month},
        {"datepart(\"ww\",CHEQUES.DT_DEPOSITO)", "Semana Depósito", SourceColumn::Deposito,
         DatePart::Week},
        {"datepart(\"q\",CHEQUES.DT_TROCA)", "Trimestre Troca", SourceColumn::Troca,
         DatePart::Quarter},
        {"DT_DEPOSITO", "Data Deposito", SourceColumn::Deposito, DatePart::None},
        {"datepart(\"yyyy\",CHEQUES.DT_TROCA)", "Ano Troca", SourceColumn::Troca, DatePart::Year},
    }};
    return specs;
}

const std::array<MeasureSpec, kMeasureCount>& measureSpecs() {
    static const std::array<MeasureSpec, kMeasureCount> specs = {{
        {"VL_CHEQUE", "Cheque", "sumVL_CHEQUE", "#,##0.00"},
        {"vl_iof", "Iof", "sumvl_iof", "#,##0.00"},
        {"vl_cpmf", "Cpmf", "sumvl_cpmf", "#,##0.00"},
        {"vl_juros", "Juros", "sumvl_juros", ""},
        {"vl_custodia", "Custodia", "sumvl_custodia", "0.00"},
        {"vl_advalorem", "Advalorem", "sumvl_advalorem", "0.00"},
        {"vl_consulta", "Consulta", "sumvl_consulta", "0.00"},
        {"vl_tac", "Tac", "sumvl_tac", "0.00"},
    }};
    return specs;
}

int weekOfYear(int year, int month, int day) {
    const QDate date(year, month, day);
    const int firstWeekday = QDate(year, 1, 1).dayOfWeek() % 7;  // Sunday 0 .. Saturday 6
    return (date.dayOfYear() - 1 + firstWeekday) / 7 + 1;
}

QString monthName(int month) {
    static const char* const names[] = {"Janeiro",  "Fevereiro", "Março",    "Abril",
                                        "Maio",     "Junho",     "Julho",    "Agosto",
                                        "Setembro", "Outubro",   "Novembro", "Dezembro"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

QString quarterName(int quarter) {
    static const char* const names[] = {"Primeiro", "Segundo", "Terceiro", "Quarto"};
    return quarter >= 1 && quarter <= 4 ? QString::fromLatin1(names[quarter - 1]) : QString();
}

QString statusCaption(const QString& code) {
    if (code == QLatin1String("A")) {
        return QStringLiteral("Aberto");
    }
    if (code == QLatin1String("B")) {
        return QStringLiteral("Baixado");
    }
    // "C" is a returned cheque: money at risk, not a cancelled one.
    if (code == QLatin1String("C") || code == QLatin1String("D")) {
        return QStringLiteral("Devolvido");
    }
    return code;
}

QString blankCaption() {
    return QStringLiteral("(em branco)");
}

namespace {

bool digitsOnly(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

int datePart(DatePart part, const QDate& date) {
    switch (part) {
        case DatePart::Year:
            return date.year();
        case DatePart::Quarter:
            return (date.month() - 1) / 3 + 1;
        case DatePart::Month:
            return date.month();
        case DatePart::Week:
            return weekOfYear(date.year(), date.month(), date.day());
        case DatePart::None:
            break;
    }
    return 0;
}

QString datePartCaption(DatePart part, int value) {
    switch (part) {
        case DatePart::Quarter:
            return quarterName(value);
        case DatePart::Month:
            return monthName(value);
        default:
            return QString::number(value);
    }
}

}  // namespace

std::uint32_t CubeDimension::addMember(const QString& caption, SortKey key) {
    captions_.push_back(caption);
    keys_.push_back(std::move(key));
    return static_cast<std::uint32_t>(captions_.size() - 1);
}

CubeDimension::CubeDimension(const CubeData& data, const DimensionSpec& spec)
    : column_(spec.column) {
    const std::vector<SourceValue>& values = data.values[static_cast<int>(spec.column)];
    memberOfValue_.reserve(values.size());
    if (spec.part != DatePart::None) {
        numeric_ = true;
        std::map<int, std::uint32_t> members;
        std::uint32_t blank = 0xffffffffu;
        for (const SourceValue& value : values) {
            if (value.kind != SourceValue::Kind::Date) {
                if (blank == 0xffffffffu) {
                    blank = addMember(blankCaption(), {2, 0, {}});
                }
                memberOfValue_.push_back(blank);
                continue;
            }
            const int part =
                datePart(spec.part, QDate::fromJulianDay(static_cast<qint64>(value.number)));
            auto [at, added] = members.try_emplace(part, 0);
            if (added) {
                at->second = addMember(datePartCaption(spec.part, part), {0, double(part), {}});
            }
            memberOfValue_.push_back(at->second);
        }
        return;
    }

    numeric_ = spec.column == SourceColumn::Taxa || spec.column == SourceColumn::Dias ||
               spec.column == SourceColumn::Troca || spec.column == SourceColumn::Deposito;
    for (const SourceValue& value : values) {
        memberOfValue_.push_back(static_cast<std::uint32_t>(captions_.size()));
        switch (value.kind) {
            case SourceValue::Kind::Blank:
                addMember(blankCaption(), {2, 0, {}});
                break;
            case SourceValue::Kind::Number:
                addMember(formatNumber(value.number), {0, value.number, {}});
                break;
            case SourceValue::Kind::Date:
                addMember(formatDate(QDate::fromJulianDay(static_cast<qint64>(value.number))),
                          {0, value.number, {}});
                break;
            case SourceValue::Kind::Text:
                if (spec.column == SourceColumn::Status) {
                    addMember(statusCaption(value.text), {0, 0, value.text});
                } else if (spec.column == SourceColumn::Cliente) {
                    const bool unnamed = value.text.trimmed().isEmpty();
                    addMember(unnamed ? blankCaption() : value.text, {0, 0, value.text});
                } else {
                    // A date column keeps a text that is no date after the dates.
                    addMember(value.text, {numeric_ ? 1 : 0, 0, value.text});
                }
                break;
        }
    }

    // Two clients with one name (or two statuses with one caption) stay two members; the code
    // tells them apart.
    if (spec.column == SourceColumn::Cliente || spec.column == SourceColumn::Status) {
        QHash<QString, int> uses;
        for (const QString& caption : captions_) {
            ++uses[caption.toCaseFolded()];
        }
        for (std::size_t i = 0; i < captions_.size(); ++i) {
            const QString& key =
                spec.column == SourceColumn::Cliente ? values[i].key : values[i].text;
            if (uses.value(captions_[i].toCaseFolded()) > 1 && !key.isEmpty()) {
                captions_[i] += QStringLiteral(" (%1)").arg(key);
            }
        }
        if (spec.column == SourceColumn::Cliente) {
            for (std::size_t i = 0; i < captions_.size(); ++i) {
                keys_[i].text = captions_[i];
            }
        }
    }
}

const std::vector<std::uint32_t>& CubeDimension::ranks() const {
    if (ranks_.size() != captions_.size()) {
        sortMembers();
    }
    return ranks_;
}

const std::vector<std::uint32_t>& CubeDimension::byRank() const {
    if (byRank_.size() != captions_.size()) {
        sortMembers();
    }
    return byRank_;
}

std::size_t CubeDimension::memoryBytes() const {
    std::size_t bytes = captions_.capacity() * sizeof(QString) +
                        keys_.capacity() * sizeof(SortKey) +
                        (memberOfValue_.capacity() + ranks_.capacity() + byRank_.capacity()) *
                            sizeof(std::uint32_t);
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        // A key's text most often shares the caption's characters.
        bytes += static_cast<std::size_t>(captions_[i].capacity()) * sizeof(QChar);
        if (!keys_[i].text.isSharedWith(captions_[i])) {
            bytes += static_cast<std::size_t>(keys_[i].text.capacity()) * sizeof(QChar);
        }
    }
    return bytes;
}

void CubeDimension::sortMembers() const {
    const std::uint32_t count = memberCount();
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);

    // Texts are compared by Portuguese collation; texts of digits alone (documents) compare
    // the same way character by character, which is much quicker.
    bool plain = true;
    for (const SortKey& key : keys_) {
        if (key.group != 2 && !key.text.isEmpty() && !digitsOnly(key.text)) {
            plain = false;
            break;
        }
    }
    std::vector<QCollatorSortKey> collated;
    if (!plain) {
        QCollator collator{QLocale(QLocale::Portuguese, QLocale::Brazil)};
        collated.reserve(count);
        for (const SortKey& key : keys_) {
            collated.push_back(collator.sortKey(key.text));
        }
    }
    const auto textCompare = [&](std::uint32_t a, std::uint32_t b) {
        return plain ? keys_[a].text.compare(keys_[b].text) : collated[a].compare(collated[b]);
    };
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const SortKey& x = keys_[a];
        const SortKey& y = keys_[b];
        if (x.group != y.group) {
            return x.group < y.group;
        }
        if (numeric_ && x.number != y.number) {
            return x.number < y.number;
        }
        return textCompare(a, b) < 0;
    });
    byRank_ = std::move(order);
    ranks_.assign(count, 0);
    for (std::uint32_t rank = 0; rank < count; ++rank) {
        ranks_[byRank_[rank]] = rank;
    }
}

}  // namespace tavrel
