#include "data/background_query.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QMutexLocker>
#include <QSet>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>
#include <optional>

#include "core/errors.h"
#include "data/sql.h"

namespace tavrel {
namespace {

// Every live BackgroundQuery; they are created and destroyed on the screens' thread.
QSet<BackgroundQuery*>& liveQueries() {
    static QSet<BackgroundQuery*> queries;
    return queries;
}

}  // namespace

struct BackgroundQuery::Result {
    quint64 generation = 0;
    QVariantList row;
    std::optional<AppError> error;
};

BackgroundQuery::BackgroundQuery(QString path, DatabaseKind kind, QObject* parent)
    : QObject(parent), path_(std::move(path)), kind_(kind) {
    pool_.setMaxThreadCount(1);
    liveQueries().insert(this);
}

BackgroundQuery::~BackgroundQuery() {
    liveQueries().remove(this);
    ++generation_;
    pool_.clear();
    interruptRunning();
    pool_.waitForDone();
}

void BackgroundQuery::interruptRunning() {
    const QMutexLocker lock(&runningLock_);
    if (running_ != nullptr && runningGeneration_ != generation_) {
        sqlite3_interrupt(static_cast<sqlite3*>(running_));
    }
}

void BackgroundQuery::start(const QString& sql, const QVariantList& values, Done done,
                            Failed failed) {
    const quint64 generation = ++generation_;
    pending_ = true;
    done_ = std::move(done);
    failed_ = std::move(failed);
    pool_.clear();  // statements started before and not yet running never run
    interruptRunning();
    pool_.start([this, generation, sql, values, path = path_, kind = kind_] {
        Result result;
        result.generation = generation;
        try {
            const Connection connection(path, kind);
            const QVariant handle = connection.db().driver()->handle();
            {
                const QMutexLocker lock(&runningLock_);
                running_ = *static_cast<sqlite3* const*>(handle.constData());
                runningGeneration_ = generation;
            }
            try {
                if (generation != generation_) {
                    throw AppError(0, QStringLiteral("superseded"), {});  // dropped unread
                }
                QSqlQuery query = runSql(connection.db(), sql, values);
                if (query.next()) {
                    for (int i = 0; i < query.record().count(); ++i) {
                        result.row << query.value(i);
                    }
                }
            } catch (const AppError& error) {
                result.error = error;
            }
            const QMutexLocker lock(&runningLock_);
            running_ = nullptr;
        } catch (const AppError& error) {
            result.error = error;
        }
        // Destruction waits for this job, so `this` outlives it; the queued call is dropped
        // if the object goes away before it runs.
        QMetaObject::invokeMethod(
            this, [this, result] { deliver(result); }, Qt::QueuedConnection);
    });
}

void BackgroundQuery::cancel() {
    ++generation_;
    pending_ = false;
    pool_.clear();
    interruptRunning();
}

void BackgroundQuery::wait() {
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void BackgroundQuery::deliver(const Result& result) {
    if (result.generation != generation_ || !pending_) {
        return;  // a newer statement was started, or this one was cancelled
    }
    pending_ = false;
    if (result.error) {
        if (failed_) {
            failed_(*result.error);
        }
    } else if (done_) {
        done_(result.row);
    }
}

void waitForBackgroundQueries() {
    // A result handed back may start another statement: go on until none is pending.
    for (int round = 0; round < 100; ++round) {
        bool any = false;
        const QSet<BackgroundQuery*> queries = liveQueries();
        for (BackgroundQuery* query : queries) {
            if (liveQueries().contains(query) && query->pending()) {
                any = true;
                query->wait();
            }
        }
        if (!any) {
            return;
        }
    }
}

}  // namespace tavrel
