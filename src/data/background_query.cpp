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
    QList<QVariantList> rows;
    std::optional<AppError> error;
};

BackgroundQuery::BackgroundQuery(QString path, DatabaseKind kind, QObject* parent)
    : QObject(parent), path_(std::move(path)), kind_(kind) {
    worker_ = new QObject;
    worker_->moveToThread(&thread_);
    thread_.start();
    liveQueries().insert(this);
}

BackgroundQuery::~BackgroundQuery() {
    liveQueries().remove(this);
    ++generation_;
    interruptRunning();
    // The connection is closed in the thread that opened it, after the statement running.
    QMetaObject::invokeMethod(
        worker_, [this] { connection_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete worker_;
}

void BackgroundQuery::interruptRunning() {
    const QMutexLocker locker(&lock_);
    if (running_ != nullptr) {
        sqlite3_interrupt(static_cast<sqlite3*>(running_));
    }
}

void BackgroundQuery::start(const QString& sql, const QVariantList& values, Done done,
                            Failed failed) {
    const quint64 generation = ++generation_;
    pending_ = true;
    done_ = std::move(done);
    failed_ = std::move(failed);
    interruptRunning();  // an older statement still running stops; its result is dropped
    {
        const QMutexLocker locker(&lock_);
        ++outstanding_;
    }
    QMetaObject::invokeMethod(
        worker_, [this, generation, sql, values] { run(generation, sql, values); },
        Qt::QueuedConnection);
}

// On the worker's thread.
void BackgroundQuery::run(quint64 generation, const QString& sql, const QVariantList& values) {
    Result result;
    result.generation = generation;
    if (generation == generation_) {  // else a newer statement was started: skip this one
        try {
            if (!connection_) {
                connection_ = std::make_unique<Connection>(path_, kind_);
            }
            {
                const QMutexLocker locker(&lock_);
                running_ =
                    *static_cast<sqlite3* const*>(connection_->db().driver()->handle().constData());
            }
            QSqlQuery query = runSql(connection_->db(), sql, values);
            const int fields = query.record().count();
            while (query.next()) {
                QVariantList row;
                row.reserve(fields);
                for (int i = 0; i < fields; ++i) {
                    row << query.value(i);
                }
                result.rows << row;
            }
        } catch (const AppError& error) {
            result.error = error;
        }
    }
    const QMutexLocker locker(&lock_);
    running_ = nullptr;
    // The queued call is dropped if the object goes away before it runs.
    QMetaObject::invokeMethod(
        this, [this, result] { deliver(result); }, Qt::QueuedConnection);
    --outstanding_;
    finished_.wakeAll();
}

void BackgroundQuery::cancel() {
    ++generation_;
    pending_ = false;
    interruptRunning();
}

void BackgroundQuery::wait() {
    {
        QMutexLocker locker(&lock_);
        while (outstanding_ > 0) {
            finished_.wait(&lock_);
        }
    }
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
        done_(result.rows);
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
