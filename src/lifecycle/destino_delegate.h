#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QStyledItemDelegate>

namespace tavrel {

// The "Destino" column of the cheques to settle: the cell holds a client code and shows the
// client's name; editing it offers the list of clients by name and stores the chosen code.
class DestinoDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The clients by name: (name, code) in list order.
    void setClientes(QList<QPair<QString, QString>> clientes);

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    QList<QPair<QString, QString>> clientes_;
    QHash<QString, QString> nomes_;  // code to name
};

}  // namespace tavrel
