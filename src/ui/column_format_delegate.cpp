#include "ui/column_format_delegate.h"

namespace tavrel {

ColumnFormatDelegate::ColumnFormatDelegate(ColumnFormat format, QObject* parent)
    : QStyledItemDelegate(parent), format_(format) {}

QString ColumnFormatDelegate::displayText(const QVariant& value, const QLocale&) const {
    return formatValue(value, format_);
}

void ColumnFormatDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (isNumericFormat(format_)) {
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }
}

}  // namespace tavrel
