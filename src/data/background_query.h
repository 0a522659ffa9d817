#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QVariantList>
#include <atomic>
#include <functional>

#include "data/connection.h"

namespace tavrel {

class AppError;

// Runs one read statement away from the screen's thread, on a connection of its own, and hands
// its first row back on the thread that started it. Totals over a million cheques thus never
// hold up the first rows a screen shows. Starting again (or cancelling) interrupts a statement
// still running and drops its result, so a key typed quickly runs only the last statement to
// its end; destroying the object waits for the statement running.
class BackgroundQuery : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const QVariantList& row)>;  // empty when there is no row
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
    void deliver(const Result& result);
    void interruptRunning();

    QString path_;
    DatabaseKind kind_;
    QThreadPool pool_;
    std::atomic<quint64> generation_ = 0;  // the statement started last
    bool pending_ = false;
    Done done_;
    Failed failed_;
    // The connection of the statement running now, so a newer one can interrupt it.
    QMutex runningLock_;
    void* running_ = nullptr;
    quint64 runningGeneration_ = 0;
};

// Waits for every background statement of this thread and hands the results back: for tests,
// and for commands that need the figures at once.
void waitForBackgroundQueries();

}  // namespace tavrel
