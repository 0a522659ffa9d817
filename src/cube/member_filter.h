#pragma once

#include <QAbstractListModel>
#include <QSet>
#include <QWidget>
#include <vector>

class QListView;
class QPushButton;

namespace tavrel {

class CubeDimension;

// The members of a dimension field in natural order, each checked when it is shown.
class MemberListModel : public QAbstractListModel {
    Q_OBJECT

public:
    MemberListModel(const CubeDimension& dimension, const QSet<quint32>& hidden,
                    QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setAll(bool shown);
    QSet<quint32> hidden() const;
    bool anyShown() const;

signals:
    void changedChecks();

private:
    const CubeDimension& dimension_;
    std::vector<char> shown_;  // by member
};

// The filter of one field: its members with check boxes, "Todos", "Nenhum", "OK" and
// "Cancelar". OK is refused while no member is checked (the cube would show nothing).
class MemberFilter : public QWidget {
    Q_OBJECT

public:
    MemberFilter(const QString& caption, const CubeDimension& dimension,
                 const QSet<quint32>& hidden, QWidget* parent = nullptr);

signals:
    void accepted(const QSet<quint32>& hidden);

private:
    MemberListModel* members_;
    QListView* list_;
    QPushButton* ok_;
};

}  // namespace tavrel
