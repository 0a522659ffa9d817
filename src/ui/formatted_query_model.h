#pragma once

#include <QHash>
#include <QSqlQueryModel>

namespace tavrel {

// How a grid shows the values of one column.
enum class ColumnFormat {
    Plain,     // as stored
    Money,     // "0.00" with a decimal comma
    Amount,    // money with thousands grouped: "80.000,00"
    Currency,  // "R$ 1.500,75"
    Number,    // shortest number with a decimal comma
    Date,      // stored 'YYYY-MM-DD' shown as dd/MM/yyyy
};

// A read-only query model that shows chosen columns formatted the Brazilian way, aligned as
// numbers where they are numbers. The underlying values stay available in Qt::EditRole. Every
// query bound to it is read whole at once, so no statement stays open (ui/load_all_rows.h).
class FormattedQueryModel : public QSqlQueryModel {
    Q_OBJECT

public:
    using QSqlQueryModel::QSqlQueryModel;

    void setColumnFormat(int column, ColumnFormat format) { formats_.insert(column, format); }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    void queryChange() override;

private:
    QHash<int, ColumnFormat> formats_;
};

// Whether values in this format are numbers (shown aligned to the right).
bool isNumericFormat(ColumnFormat format);

// The display text of a stored value in the given format.
QString formatValue(const QVariant& value, ColumnFormat format);

}  // namespace tavrel
