#include "cube/member_filter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "cube/cube_fields.h"

namespace tavrel {

MemberListModel::MemberListModel(const CubeDimension& dimension, const QSet<quint32>& hidden,
                                 QObject* parent)
    : QAbstractListModel(parent), dimension_(dimension), shown_(dimension.memberCount(), 1) {
    for (const quint32 member : hidden) {
        if (member < shown_.size()) {
            shown_[member] = 0;
        }
    }
}

int MemberListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(dimension_.memberCount());
}

QVariant MemberListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const std::uint32_t member = dimension_.byRank()[index.row()];
    if (role == Qt::DisplayRole) {
        return dimension_.caption(member);
    }
    if (role == Qt::CheckStateRole) {
        return shown_[member] ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool MemberListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole) {
        return false;
    }
    const std::uint32_t member = dimension_.byRank()[index.row()];
    shown_[member] = value.toInt() == Qt::Checked ? 1 : 0;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit changedChecks();
    return true;
}

Qt::ItemFlags MemberListModel::flags(const QModelIndex& index) const {
    return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
}

void MemberListModel::setAll(bool shown) {
    std::fill(shown_.begin(), shown_.end(), shown ? 1 : 0);
    if (!shown_.empty()) {
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    }
    emit changedChecks();
}

QSet<quint32> MemberListModel::hidden() const {
    QSet<quint32> hidden;
    for (std::size_t member = 0; member < shown_.size(); ++member) {
        if (!shown_[member]) {
            hidden.insert(static_cast<quint32>(member));
        }
    }
    return hidden;
}

bool MemberListModel::anyShown() const {
    return std::find(shown_.begin(), shown_.end(), 1) != shown_.end();
}

MemberFilter::MemberFilter(const QString& caption, const CubeDimension& dimension,
                           const QSet<quint32>& hidden, QWidget* parent)
    : QWidget(parent, Qt::Popup), members_(new MemberListModel(dimension, hidden, this)) {
    setObjectName(QStringLiteral("filtroCampo"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption, this));
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("itensCampo"));
    list_->setModel(members_);
    list_->setUniformItemSizes(true);  // a field may have a hundred thousand members
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    auto* all = new QPushButton(QStringLiteral("Todos"), this);
    all->setObjectName(QStringLiteral("todosItens"));
    auto* none = new QPushButton(QStringLiteral("Nenhum"), this);
    none->setObjectName(QStringLiteral("nenhumItem"));
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("okFiltro"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cancelaFiltro"));
    buttons->addWidget(all);
    buttons->addWidget(none);
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(300, 360);

    connect(all, &QPushButton::clicked, this, [this] { members_->setAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { members_->setAll(false); });
    connect(members_, &MemberListModel::changedChecks, this,
            [this] { ok_->setEnabled(members_->anyShown()); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (!members_->anyShown()) {
            return;  // checked again here: Enter must not skip it
        }
        emit accepted(members_->hidden());
        close();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    ok_->setEnabled(members_->anyShown());
}

}  // namespace tavrel
