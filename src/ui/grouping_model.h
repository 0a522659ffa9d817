#pragma once

#include <QAbstractItemModel>
#include <QColor>
#include <QList>
#include <QSqlDatabase>
#include <QVector>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "core/errors.h"
#include "ui/grouping_sql.h"

namespace tavrel {

class BackgroundQuery;
class Connection;

// What a group header says about its group.
struct GroupSummary {
    QString caption;     // caption of the grouped column, e.g. "Cliente"
    QVariant value;      // the group's value as stored
    QString valueText;   // as the column shows it
    qint64 count = 0;    // detail rows in the group
    QList<double> sums;  // one per column, 0 where the column is not summed

    double sum(int column) const { return sums.value(column); }
};

// The rows of a grouping grid, read from SQL a page at a time.
//
// Without grouping the model is a flat list of rows ordered by the source's key. Grouped, each
// level is a list of groups ordered by value (one GROUP BY gives their counts and sums), and
// the innermost groups hold their rows; a group's rows are read when the view asks for them
// (it asks when the group is expanded and scrolled into view). Each group ends with a footer
// row carrying its totals when a column is summed.
//
// Pages are read with short keyset statements (nothing stays open between fetches) and kept in
// a cache of at most kRowBudget rows and groups, the least recently used pages going first; a
// page dropped from the cache is read again when it is needed. The row count and the grand
// totals come from one aggregate run in the background, so they never hold up the first rows.
class GroupingModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Role {
        KindRole = Qt::UserRole + 1,  // RowKind
        GroupCaptionRole,             // header rows: the caption
        RowKeyRole,                   // detail rows: the source's key
        OrdinalRole,                  // 1-based position among all rows (a group: its first)
    };
    enum class RowKind { Detail, Header, Footer };

    static constexpr int kRowBudget = 10000;
    static constexpr int kRowPage = 200;
    static constexpr int kGroupPage = 500;

    explicit GroupingModel(QObject* parent = nullptr);
    ~GroupingModel() override;

    void setColumns(QList<GroupingColumn> columns);
    const QList<GroupingColumn>& columns() const { return columns_; }

    // Reads `source` through `connection`, which must outlive the model's use of it. The first
    // page is read in the background (the rows shown stay until it is there, and a newer source
    // interrupts it); the totals follow it, also in the background; later pages are read when
    // the view asks for them.
    void setSource(const Connection& connection, GroupingSource source);
    const GroupingSource& source() const { return source_; }
    // The source asked for last: the one shown, or the one being read.
    const GroupingSource& requestedSource() const { return nextSource_; }
    // Reads the same source again (after a change to the data).
    void refresh();

    // Groups by these columns, outermost first; empty for none. Read like a new source.
    void setGrouping(QList<int> columns);
    // The grouping shown, or the one being read.
    const QList<int>& grouping() const { return nextGrouping_; }
    // The first page of a new source or grouping is being read.
    bool loading() const;
    // Waits for that page and shows it.
    void waitForRows();

    // The count of rows and the totals of the whole source, once the background query answered.
    bool totalsKnown() const { return totalRows_ >= 0; }
    qint64 totalRows() const { return totalRows_; }
    double total(int column) const { return totals_.value(column); }
    // Further aggregates the same statement gives beside the count and totals (a screen's own
    // figures over the same rows, read in the same pass), and their values once known.
    void setExtraTotals(QStringList expressions) { extraExpressions_ = std::move(expressions); }
    const QVariantList& extraTotals() const { return extraTotals_; }
    // Waits for the rows and the totals (printing needs them).
    void waitForTotals();

    // Text of a group header; by default "<caption>: <value>".
    void setGroupCaption(std::function<QString(const GroupSummary&)> caption);
    // Colour of a row's text from its values (one per column); an invalid colour keeps the
    // view's own.
    void setRowColor(std::function<QColor(const QVariantList& values)> rule);
    // Lets the operator edit one column; `write` stores the new value for the row with that key
    // and throws AppError when it cannot.
    void setEditableColumn(int column,
                           std::function<void(const QVariant& key, const QVariant& value)> write);
    // Failures of the statements the model runs by itself (paging, totals). After one, the model
    // reads nothing more until the source is set again.
    void setErrorHandler(std::function<void(const AppError&)> handler);

    RowKind kind(const QModelIndex& index) const;
    GroupSummary groupSummary(const QModelIndex& header) const;
    // Stored values of a detail row, one per column.
    QVariantList rowValues(const QModelIndex& detail) const;
    // Rows and groups held in memory now.
    qint64 materialisedRows() const { return materialised_; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // The row count and grand totals are known (or known again).
    void totalsChanged();

private:
    struct Node;
    struct Page;
    struct Anchor {
        bool known = false;
        PageStart start;
    };

    void load();
    void loaded(std::shared_ptr<GroupingSql> sql, const QList<QVariantList>& rows,
                const std::optional<AppError>& error);
    void startTotals();
    void totalsArrived(const QVariantList& row);
    Node* nodeOf(const QModelIndex& index) const;
    Node* groupNode(Node* parent, int row) const;
    int rowsOf(const Node* node) const;
    const QVariantList* record(Node* node, int row) const;
    Page* loadPage(Node* node, int page) const;
    Page& storePage(Node* node, int page, const QList<QVariantList>& rows) const;
    bool findAnchor(Node* node, int page) const;
    int pageSize(const Node* node) const;
    void touch(Node* node, int page, Page& data) const;
    void keepWithinBudget(const Node* keptNode, int keptPage) const;
    void forget(Node* node) const;
    void fail(const AppError& error) const;
    QModelIndex indexOf(Node* node) const;
    GroupSummary summaryOf(const Node* parent, const QVariantList& group) const;
    QString groupCaption(const Node* parent, const QVariantList& group) const;

    QList<GroupingColumn> columns_;
    QList<int> sumColumns_;
    GroupingSource source_;  // shown
    QList<int> grouping_;
    GroupingSource nextSource_;  // asked for, being read
    QList<int> nextGrouping_;
    bool sourcePending_ = false;
    QSqlDatabase db_;
    QString path_;
    std::shared_ptr<GroupingSql> sql_;
    std::unique_ptr<Node> root_;
    std::unique_ptr<BackgroundQuery> pageQuery_;
    std::unique_ptr<BackgroundQuery> totalsQuery_;
    qint64 totalRows_ = -1;
    QList<double> totals_;
    QStringList extraExpressions_;
    QVariantList extraTotals_;
    std::function<QString(const GroupSummary&)> caption_;
    std::function<QColor(const QVariantList&)> rowColor_;
    int editableColumn_ = -1;
    std::function<void(const QVariant&, const QVariant&)> write_;
    std::function<void(const AppError&)> errorHandler_;
    mutable bool broken_ = false;
    mutable qint64 materialised_ = 0;
    mutable quint64 clock_ = 0;
    // Pages in the cache by last use, oldest first.
    mutable std::map<quint64, std::pair<Node*, int>> lru_;
};

}  // namespace tavrel
