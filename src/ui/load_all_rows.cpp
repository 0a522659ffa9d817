#include "ui/load_all_rows.h"

#include <QSqlQuery>
#include <QSqlQueryModel>

namespace tavrel {

void fetchAllRows(QSqlQueryModel& model) {
    // A model with no query bound says it can fetch more and never does: stop when a fetch
    // brings nothing.
    while (model.canFetchMore()) {
        const int before = model.rowCount();
        model.fetchMore();
        if (model.rowCount() == before)
            break;
    }
}

void loadAllRows(QSqlQueryModel& model, QSqlQuery&& query) {
    model.setQuery(std::move(query));
    fetchAllRows(model);
}

}  // namespace tavrel
