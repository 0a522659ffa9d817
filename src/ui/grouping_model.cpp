#include "ui/grouping_model.h"

#include <QFont>
#include <QSqlQuery>
#include <QSqlRecord>
#include <optional>
#include <unordered_map>

#include "core/errors.h"
#include "core/money.h"
#include "data/background_query.h"
#include "data/connection.h"
#include "data/sql.h"

namespace tavrel {

// A page of rows or groups. A detail record is the key followed by the value of every column;
// a group record is the group's value, its row count, the position of its first row within the
// list of its parent, and the total of every summed column.
struct GroupingModel::Page {
    QVector<QVariantList> records;
    quint64 stamp = 0;
};

// The root, or a group. Its children are groups (every level but the innermost) or rows.
struct GroupingModel::Node {
    Node* parent = nullptr;
    int row = 0;    // row in the parent
    int level = 0;  // 0 for the root, 1 for a group of the outermost grouping
    QVariantList path;
    qint64 firstOrdinal = 0;  // position of its first row among all rows, from 0
    bool groupsBelow = false;
    bool footer = false;           // a totals row after the children
    qint64 known = 0;              // children the model shows now
    bool complete = false;         // every child is known; a list of groups grows page by page
    QVector<Anchor> anchors;       // where page p starts
    QVector<qint64> pageOrdinals;  // groups: position of the first row of page p in the list
    std::unordered_map<int, Page> pages;  // stable references while other pages come and go
    std::unordered_map<int, std::unique_ptr<Node>> groups;
};

namespace {

enum GroupField { kGroupValue = 0, kGroupCount = 1, kGroupOrdinal = 2, kGroupSums = 3 };

}  // namespace

GroupingModel::GroupingModel(QObject* parent) : QAbstractItemModel(parent) {}

GroupingModel::~GroupingModel() = default;

void GroupingModel::setColumns(QList<GroupingColumn> columns) {
    if (pageQuery_) {
        pageQuery_->cancel();
        totalsQuery_->cancel();
    }
    beginResetModel();
    columns_ = std::move(columns);
    sumColumns_.clear();
    for (int c = 0; c < columns_.size(); ++c) {
        if (columns_[c].sum) {
            sumColumns_ << c;
        }
    }
    grouping_.clear();
    nextGrouping_.clear();
    root_.reset();
    lru_.clear();
    materialised_ = 0;
    endResetModel();
}

void GroupingModel::setSource(const Connection& connection, GroupingSource source) {
    db_ = connection.db();
    if (path_ != connection.path() || !pageQuery_) {
        path_ = connection.path();
        pageQuery_ = std::make_unique<BackgroundQuery>(path_, connection.kind());
        totalsQuery_ = std::make_unique<BackgroundQuery>(path_, connection.kind());
    }
    nextSource_ = std::move(source);
    sourcePending_ = true;
    load();
}

void GroupingModel::refresh() {
    if (!db_.isValid()) {
        return;
    }
    if (!sourcePending_) {
        nextSource_ = source_;
    }
    sourcePending_ = true;
    load();
}

void GroupingModel::setGrouping(QList<int> columns) {
    nextGrouping_ = std::move(columns);
    if (db_.isValid()) {
        load();
    } else {
        grouping_ = nextGrouping_;
    }
}

// The first page of the list asked for is read in the background: the operator keeps the rows
// shown until it is there, and a key typed meanwhile interrupts it.
void GroupingModel::load() {
    if (sourcePending_) {
        totalsQuery_->cancel();
    }
    auto sql = std::make_shared<GroupingSql>(columns_, nextSource_, nextGrouping_);
    const BoundStatement statement = nextGrouping_.isEmpty()
                                         ? sql->rows({}, PageStart::first(), kRowPage)
                                         : sql->groups({}, PageStart::first(), kGroupPage);
    pageQuery_->start(
        statement.sql, statement.values,
        [this, sql](const QList<QVariantList>& rows) { loaded(sql, rows, {}); },
        [this, sql](const AppError& error) { loaded(sql, {}, error); });
}

void GroupingModel::loaded(std::shared_ptr<GroupingSql> sql, const QList<QVariantList>& rows,
                           const std::optional<AppError>& error) {
    const bool newSource = sourcePending_;
    sourcePending_ = false;
    beginResetModel();
    broken_ = false;
    lru_.clear();
    materialised_ = 0;
    source_ = nextSource_;
    grouping_ = nextGrouping_;
    sql_ = std::move(sql);
    if (newSource) {
        totalRows_ = -1;
        totals_.clear();
        extraTotals_.clear();
    }
    root_ = std::make_unique<Node>();
    root_->groupsBelow = !grouping_.isEmpty();
    root_->anchors = {Anchor{true, PageStart::first()}};
    root_->pageOrdinals = {0};
    const Page& first = storePage(root_.get(), 0, rows);
    root_->known = first.records.size();
    root_->complete = error.has_value() || first.records.size() < pageSize(root_.get());
    if (!root_->groupsBelow && totalsKnown() && !root_->complete) {
        root_->known = totalRows_;
        root_->complete = true;
    }
    endResetModel();
    if (error) {
        fail(*error);
    } else if (newSource) {
        startTotals();
    }
}

bool GroupingModel::loading() const {
    return pageQuery_ && pageQuery_->pending();
}

void GroupingModel::waitForRows() {
    if (pageQuery_) {
        pageQuery_->wait();
    }
}

void GroupingModel::startTotals() {
    const BoundStatement statement = sql_->totals(extraExpressions_);
    totalsQuery_->start(
        statement.sql, statement.values,
        [this](const QList<QVariantList>& rows) { totalsArrived(rows.value(0)); },
        [this](const AppError& error) { fail(error); });
}

void GroupingModel::totalsArrived(const QVariantList& row) {
    totalRows_ = row.value(0).toLongLong();
    totals_ = QList<double>(columns_.size(), 0.0);
    for (qsizetype s = 0; s < sumColumns_.size(); ++s) {
        totals_[sumColumns_[s]] = row.value(1 + s).toDouble();
    }
    extraTotals_ = row.mid(1 + sumColumns_.size());
    Node* root = root_.get();
    if (root != nullptr && !root->groupsBelow && !root->complete) {
        // The whole flat list, its pages read when they are scrolled into view.
        if (totalRows_ > root->known) {
            beginInsertRows({}, static_cast<int>(root->known), static_cast<int>(totalRows_ - 1));
            root->known = totalRows_;
            root->complete = true;
            endInsertRows();
        } else {
            root->complete = true;
        }
    }
    emit totalsChanged();
}

void GroupingModel::waitForTotals() {
    waitForRows();  // the totals start once the first rows are there
    if (totalsQuery_) {
        totalsQuery_->wait();
    }
}

void GroupingModel::setGroupCaption(std::function<QString(const GroupSummary&)> caption) {
    caption_ = std::move(caption);
}

void GroupingModel::setRowColor(std::function<QColor(const QVariantList&)> rule) {
    rowColor_ = std::move(rule);
}

void GroupingModel::setEditableColumn(int column,
                                      std::function<void(const QVariant&, const QVariant&)> write) {
    editableColumn_ = column;
    write_ = std::move(write);
}

void GroupingModel::setErrorHandler(std::function<void(const AppError&)> handler) {
    errorHandler_ = std::move(handler);
}

// --- paging -----------------------------------------------------------------------------------

int GroupingModel::pageSize(const Node* node) const {
    return node->groupsBelow ? kGroupPage : kRowPage;
}

void GroupingModel::fail(const AppError& error) const {
    if (broken_) {
        return;
    }
    broken_ = true;
    // Reported after the view's paint or layout that ran into it has finished.
    auto* self = const_cast<GroupingModel*>(this);
    QMetaObject::invokeMethod(
        self,
        [self, error] {
            if (self->errorHandler_) {
                self->errorHandler_(error);
            }
        },
        Qt::QueuedConnection);
}

void GroupingModel::touch(Node* node, int page, Page& data) const {
    if (data.stamp == clock_ && data.stamp != 0) {
        return;
    }
    if (data.stamp != 0) {
        lru_.erase(data.stamp);
    }
    data.stamp = ++clock_;
    lru_.emplace(data.stamp, std::make_pair(node, page));
}

void GroupingModel::keepWithinBudget(const Node* keptNode, int keptPage) const {
    auto it = lru_.begin();
    while (materialised_ > kRowBudget && it != lru_.end()) {
        auto [node, page] = it->second;
        if (node == keptNode && page == keptPage) {
            ++it;
            continue;
        }
        materialised_ -= node->pages[page].records.size();
        node->pages.erase(page);
        it = lru_.erase(it);
    }
}

// Finds where page `page` of a node starts, reading only the keys (or group values) from the
// nearest page whose start is known.
bool GroupingModel::findAnchor(Node* node, int page) const {
    if (node->anchors.size() <= page) {
        node->anchors.resize(page + 1);
    }
    if (node->anchors[page].known) {
        return true;
    }
    int known = page;
    while (known > 0 && !node->anchors[known].known) {
        --known;
    }
    const int size = pageSize(node);
    const int limit = (page - known) * size;
    const BoundStatement statement =
        node->groupsBelow ? sql_->groups(node->path, node->anchors[known].start, limit)
                          : sql_->keys(node->path, node->anchors[known].start, limit);
    try {
        QSqlQuery query = runSql(db_, statement.sql, statement.values);
        int read = 0;
        while (query.next()) {
            ++read;
            if (read % size == 0) {
                node->anchors[known + read / size] =
                    Anchor{true, PageStart::afterValue(query.value(0))};
            }
        }
    } catch (const AppError& error) {
        fail(error);
        return false;
    }
    return node->anchors[page].known;
}

GroupingModel::Page* GroupingModel::loadPage(Node* node, int page) const {
    if (broken_) {
        return nullptr;
    }
    auto found = node->pages.find(page);
    if (found != node->pages.end()) {
        touch(node, page, found->second);
        return &found->second;
    }
    if (!findAnchor(node, page)) {
        return nullptr;
    }
    const int size = pageSize(node);
    const PageStart start = node->anchors[page].start;
    QList<QVariantList> rows;
    try {
        const BoundStatement statement = node->groupsBelow ? sql_->groups(node->path, start, size)
                                                           : sql_->rows(node->path, start, size);
        QSqlQuery query = runSql(db_, statement.sql, statement.values);
        const int fields = query.record().count();
        while (query.next()) {
            QVariantList row;
            row.reserve(fields);
            for (int f = 0; f < fields; ++f) {
                row << query.value(f);
            }
            rows << row;
        }
    } catch (const AppError& error) {
        fail(error);
        return nullptr;
    }
    return &storePage(node, page, rows);
}

GroupingModel::Page& GroupingModel::storePage(Node* node, int page,
                                              const QList<QVariantList>& rows) const {
    Page data;
    data.records.reserve(rows.size());
    for (const QVariantList& row : rows) {
        data.records << row;
        if (node->groupsBelow) {
            // The position of the group's first row in the list, filled below.
            data.records.last().insert(kGroupOrdinal, QVariant());
        }
    }
    if (node->groupsBelow) {
        if (node->pageOrdinals.size() <= page + 1) {
            node->pageOrdinals.resize(page + 2);
        }
        qint64 ordinal = node->pageOrdinals[page];
        for (QVariantList& record : data.records) {
            record[kGroupOrdinal] = ordinal;
            ordinal += record[kGroupCount].toLongLong();
        }
        node->pageOrdinals[page + 1] = ordinal;
    }
    const int size = pageSize(node);
    if (data.records.size() == size) {
        if (node->anchors.size() <= page + 1) {
            node->anchors.resize(page + 2);
        }
        node->anchors[page + 1] = Anchor{true, PageStart::afterValue(data.records.last().first())};
    }
    materialised_ += data.records.size();
    Page& stored = node->pages[page] = std::move(data);
    touch(node, page, stored);
    keepWithinBudget(node, page);
    return stored;
}

const QVariantList* GroupingModel::record(Node* node, int row) const {
    const int size = pageSize(node);
    Page* page = loadPage(node, row / size);
    if (page == nullptr || row % size >= page->records.size()) {
        return nullptr;
    }
    return &page->records[row % size];
}

// --- the tree ---------------------------------------------------------------------------------

GroupingModel::Node* GroupingModel::nodeOf(const QModelIndex& index) const {
    return static_cast<Node*>(index.internalPointer());
}

int GroupingModel::rowsOf(const Node* node) const {
    return static_cast<int>(node->known) + (node->footer ? 1 : 0);
}

GroupingModel::Node* GroupingModel::groupNode(Node* parent, int row) const {
    auto found = parent->groups.find(row);
    if (found != parent->groups.end()) {
        return found->second.get();
    }
    const QVariantList* read = record(parent, row);
    if (read == nullptr) {
        return nullptr;
    }
    const QVariantList group = *read;  // loading the node's first page may drop the parent's
    auto node = std::make_unique<Node>();
    node->parent = parent;
    node->row = row;
    node->level = parent->level + 1;
    node->path = parent->path;
    node->path << group[kGroupValue];
    node->firstOrdinal = parent->firstOrdinal + group[kGroupOrdinal].toLongLong();
    node->groupsBelow = node->level < grouping_.size();
    node->footer = !sumColumns_.isEmpty();
    node->anchors = {Anchor{true, PageStart::first()}};
    node->pageOrdinals = {0};
    if (node->groupsBelow) {
        // Its first page of groups now, before the view asks how many children it has.
        if (const Page* first = loadPage(node.get(), 0)) {
            node->known = first->records.size();
            node->complete = first->records.size() < kGroupPage;
        } else {
            node->complete = true;
        }
    } else {
        node->known = group[kGroupCount].toLongLong();
        node->complete = true;
    }
    Node* made = node.get();
    parent->groups.emplace(row, std::move(node));
    return made;
}

GroupingModel::RowKind GroupingModel::kind(const QModelIndex& index) const {
    const Node* parent = nodeOf(index);
    if (parent == nullptr) {
        return RowKind::Detail;
    }
    if (parent->footer && index.row() == parent->known) {
        return RowKind::Footer;
    }
    return parent->groupsBelow ? RowKind::Header : RowKind::Detail;
}

QModelIndex GroupingModel::indexOf(Node* node) const {
    if (node == nullptr || node == root_.get()) {
        return {};
    }
    return createIndex(node->row, 0, node->parent);
}

QModelIndex GroupingModel::index(int row, int column, const QModelIndex& parent) const {
    if (!root_ || row < 0 || column < 0 || column >= columns_.size()) {
        return {};
    }
    Node* node = root_.get();
    if (parent.isValid()) {
        if (parent.column() != 0 || kind(parent) != RowKind::Header) {
            return {};
        }
        node = groupNode(nodeOf(parent), parent.row());
    }
    if (node == nullptr || row >= rowsOf(node)) {
        return {};
    }
    return createIndex(row, column, node);
}

QModelIndex GroupingModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) {
        return {};
    }
    return indexOf(nodeOf(child));
}

int GroupingModel::rowCount(const QModelIndex& parent) const {
    if (!root_) {
        return 0;
    }
    if (!parent.isValid()) {
        return rowsOf(root_.get());
    }
    if (parent.column() != 0 || kind(parent) != RowKind::Header) {
        return 0;
    }
    const Node* node = groupNode(nodeOf(parent), parent.row());
    return node != nullptr ? rowsOf(node) : 0;
}

int GroupingModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() && parent.column() != 0 ? 0 : static_cast<int>(columns_.size());
}

bool GroupingModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return root_ && (root_->known > 0 || !root_->complete);
    }
    return parent.column() == 0 && kind(parent) == RowKind::Header;
}

bool GroupingModel::canFetchMore(const QModelIndex& parent) const {
    if (!root_ || broken_) {
        return false;
    }
    if (!parent.isValid()) {
        return !root_->complete;
    }
    if (parent.column() != 0 || kind(parent) != RowKind::Header) {
        return false;
    }
    const Node* node = groupNode(nodeOf(parent), parent.row());
    return node != nullptr && !node->complete;
}

void GroupingModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) {
        return;
    }
    Node* node = parent.isValid() ? groupNode(nodeOf(parent), parent.row()) : root_.get();
    const int size = pageSize(node);
    const int page = static_cast<int>(node->known / size);
    const Page* loaded = loadPage(node, page);
    if (loaded == nullptr) {
        node->complete = true;
        return;
    }
    const qint64 total = static_cast<qint64>(page) * size + loaded->records.size();
    const bool last = loaded->records.size() < size;
    if (total > node->known) {
        beginInsertRows(parent, static_cast<int>(node->known), static_cast<int>(total - 1));
        node->known = total;
        node->complete = last;
        endInsertRows();
    } else {
        node->complete = true;
    }
}

// --- values -----------------------------------------------------------------------------------

GroupSummary GroupingModel::summaryOf(const Node* parent, const QVariantList& group) const {
    GroupSummary summary;
    const GroupingColumn& column = columns_[grouping_[parent->level]];
    summary.caption = column.caption;
    summary.value = group[kGroupValue];
    summary.valueText = formatValue(summary.value, column.format);
    summary.count = group[kGroupCount].toLongLong();
    summary.sums = QList<double>(columns_.size(), 0.0);
    for (qsizetype s = 0; s < sumColumns_.size(); ++s) {
        summary.sums[sumColumns_[s]] = group.value(kGroupSums + s).toDouble();
    }
    return summary;
}

QString GroupingModel::groupCaption(const Node* parent, const QVariantList& group) const {
    const GroupSummary summary = summaryOf(parent, group);
    return caption_ ? caption_(summary)
                    : summary.caption + QStringLiteral(": ") + summary.valueText;
}

GroupSummary GroupingModel::groupSummary(const QModelIndex& header) const {
    if (kind(header) != RowKind::Header) {
        return {};
    }
    Node* parent = nodeOf(header);
    const QVariantList* group = record(parent, header.row());
    return group != nullptr ? summaryOf(parent, *group) : GroupSummary{};
}

QVariantList GroupingModel::rowValues(const QModelIndex& detail) const {
    if (!detail.isValid() || kind(detail) != RowKind::Detail) {
        return {};
    }
    const QVariantList* row = record(nodeOf(detail), detail.row());
    return row != nullptr ? row->mid(1) : QVariantList();
}

QVariant GroupingModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !root_) {
        return {};
    }
    Node* parent = nodeOf(index);
    const RowKind rowKind = kind(index);
    if (role == KindRole) {
        return static_cast<int>(rowKind);
    }
    const int column = index.column();
    const GroupingColumn& spec = columns_[column];
    const bool numeric = isNumericFormat(spec.format);

    if (rowKind == RowKind::Footer) {
        // The group's totals, from its header record in the list above.
        if (role == Qt::DisplayRole && spec.sum) {
            const QVariantList* group = record(parent->parent, parent->row);
            if (group == nullptr) {
                return {};
            }
            const int s = static_cast<int>(sumColumns_.indexOf(column));
            return formatCurrency(group->value(kGroupSums + s).toDouble());
        }
        if (role == Qt::TextAlignmentRole && numeric) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role == Qt::FontRole) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    }

    const QVariantList* row = record(parent, index.row());
    if (row == nullptr) {
        return {};
    }
    if (rowKind == RowKind::Header) {
        if (role == GroupCaptionRole || (role == Qt::DisplayRole && column == 0)) {
            return groupCaption(parent, *row);
        }
        if (role == OrdinalRole) {  // the group's first row
            return parent->firstOrdinal + row->at(kGroupOrdinal).toLongLong() + 1;
        }
        if (role == Qt::FontRole) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    }

    const QVariant& value = row->at(1 + column);
    switch (role) {
        case Qt::DisplayRole:
            return formatValue(value, spec.format);
        case Qt::EditRole:
            return value;
        case Qt::TextAlignmentRole:
            return numeric ? QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        case Qt::ForegroundRole:
            if (rowColor_) {
                const QColor color = rowColor_(row->mid(1));
                if (color.isValid()) {
                    return color;
                }
            }
            return {};
        case RowKeyRole:
            return row->at(0);
        case OrdinalRole:
            return parent->firstOrdinal + index.row() + 1;
        default:
            return {};
    }
}

bool GroupingModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != editableColumn_ ||
        kind(index) != RowKind::Detail || !write_) {
        return false;
    }
    Node* parent = nodeOf(index);
    const QVariantList* row = record(parent, index.row());
    if (row == nullptr) {
        return false;
    }
    try {
        write_(row->at(0), value);
    } catch (const AppError& error) {
        if (errorHandler_) {
            errorHandler_(error);
        }
        return false;
    }
    // The page may have been read again meanwhile; change the copy in the cache.
    if (const QVariantList* cached = record(parent, index.row())) {
        const_cast<QVariantList*>(cached)->replace(1 + index.column(), value);
    }
    emit dataChanged(index, index);
    return true;
}

QVariant GroupingModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return columns_[section].caption;
    }
    return {};
}

Qt::ItemFlags GroupingModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    switch (kind(index)) {
        case RowKind::Header:
            return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        case RowKind::Footer:
            return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
        case RowKind::Detail:
            break;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == editableColumn_ && write_) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

}  // namespace tavrel
