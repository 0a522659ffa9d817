#include "lifecycle/destino_delegate.h"

#include <QComboBox>

namespace tavrel {

void DestinoDelegate::setClientes(QList<QPair<QString, QString>> clientes) {
    clientes_ = std::move(clientes);
    nomes_.clear();
    for (const auto& [nome, codigo] : clientes_) {
        nomes_.insert(codigo, nome);
    }
}

QString DestinoDelegate::displayText(const QVariant& value, const QLocale&) const {
    const QString codigo = value.toString();
    return nomes_.value(codigo, codigo);  // a code no longer registered shows as itself
}

QWidget* DestinoDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex&) const {
    auto* lista = new QComboBox(parent);
    lista->setObjectName(QStringLiteral("Destino"));
    for (const auto& [nome, codigo] : clientes_) {
        lista->addItem(nome, codigo);
    }
    return lista;
}

void DestinoDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* lista = static_cast<QComboBox*>(editor);
    lista->setCurrentIndex(lista->findData(index.data(Qt::EditRole).toString()));
}

void DestinoDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
    auto* lista = static_cast<QComboBox*>(editor);
    if (lista->currentIndex() < 0) {
        return;  // nothing chosen: the destination stays
    }
    model->setData(index, lista->currentData(), Qt::EditRole);
}

}  // namespace tavrel
