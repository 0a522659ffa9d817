#pragma once

#include <QStyledItemDelegate>

#include "ui/formatted_query_model.h"

namespace tavrel {

// Shows the stored values of one grid column in a format (money, dates) whatever the grid's
// model, aligned to the right where they are numbers. For grids whose model hands out the
// values as stored.
class ColumnFormatDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    ColumnFormatDelegate(ColumnFormat format, QObject* parent);

    QString displayText(const QVariant& value, const QLocale& locale) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    ColumnFormat format_;
};

}  // namespace tavrel
