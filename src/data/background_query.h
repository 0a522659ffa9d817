#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QThread>
#include <QVariantList>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>

#include "data/connection.h"

namespace tavrel {

class AppError;

// Runs read statements away from the screen's thread, on a connection of its own kept by a
// thread of its own, and hands their rows back on the thread that started them (an aggregate,
// or one page of a list). Totals over a million cheques thus never hold up the first rows a
// screen shows, and a screen stays responsive while a long statement runs. Starting again (or
// cancelling) interrupts a statement still running and drops its result, so a key typed
// quickly runs only the last statement to its end; destroying the object interrupts the
// statement running and waits for it to stop.
class BackgroundQuery : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const QList<QVariantList>& rows)>;
    using Failed = std::function<void(const AppError& error)>;

    BackgroundQuery(QString path, DatabaseKind kind, QObject* parent = nullptr);
    ~BackgroundQuery() override;

    void start(const QString& sql, const QVariantList& values, Done done, Failed failed);
    // Forgets the statement started last: its result is not handed back.
    void cancel();
    bool pending() const { return pending_; }
    // Waits for the statement started last and hands its result back now.
    void wait();

private:
    struct Result;
    void run(quint64 generation, const QString& sql, const QVariantList& values);
    void deliver(const Result& result);
    void interruptRunning();

    QString path_;
    DatabaseKind kind_;
    QThread thread_;
    QObject* worker_ = nullptr;               // lives in thread_: the statements run there
    std::unique_ptr<Connection> connection_;  // made, used and closed in thread_ only
    std::atomic<quint64> generation_ = 0;     // the statement started last
    bool pending_ = false;
    Done done_;
    Failed failed_;
    QMutex lock_;
    QWaitCondition finished_;
    int outstanding_ = 0;      // statements started and not yet handed back
    void* running_ = nullptr;  // the connection while a statement runs on it
};

// Waits for every background statement of this thread and hands the results back: for tests,
// and for commands that need the figures at once.
void waitForBackgroundQueries();

}  // namespace tavrel
