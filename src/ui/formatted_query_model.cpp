#include "ui/formatted_query_model.h"

#include "core/money.h"
#include "core/ptbr.h"
#include "ui/load_all_rows.h"

namespace tavrel {

QString formatValue(const QVariant& value, ColumnFormat format) {
    if (value.isNull()) {
        return {};
    }
    switch (format) {
        case ColumnFormat::Money:
            return formatMoney(value.toDouble());
        case ColumnFormat::Amount:
            return formatAmount(value.toDouble());
        case ColumnFormat::Currency:
            return formatCurrency(value.toDouble());
        case ColumnFormat::Number:
            return formatNumber(value.toDouble());
        case ColumnFormat::Date: {
            const QDate date = fromStorageDate(value);
            return date.isValid() ? formatDate(date) : value.toString();
        }
        case ColumnFormat::Plain:
            break;
    }
    return value.toString();
}

bool isNumericFormat(ColumnFormat format) {
    return format != ColumnFormat::Plain && format != ColumnFormat::Date;
}

void FormattedQueryModel::queryChange() {
    fetchAllRows(*this);
}

QVariant FormattedQueryModel::data(const QModelIndex& index, int role) const {
    const auto format = formats_.constFind(index.column());
    if (format == formats_.constEnd() || *format == ColumnFormat::Plain) {
        return QSqlQueryModel::data(index, role);
    }
    if (role == Qt::DisplayRole) {
        return formatValue(QSqlQueryModel::data(index, Qt::DisplayRole), *format);
    }
    if (role == Qt::EditRole) {
        return QSqlQueryModel::data(index, Qt::DisplayRole);
    }
    if (role == Qt::TextAlignmentRole && isNumericFormat(*format)) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return QSqlQueryModel::data(index, role);
}

}  // namespace tavrel
