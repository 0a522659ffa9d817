#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tavrel {

enum class DatabaseKind { Cheques, Caixa, Menu, Tutorial };

// File name of each database inside the data folder.
QString databaseFileName(DatabaseKind kind);

// One open connection to one of our database files. Screens open their own when they load and
// release it when they close. Opening refuses a missing file and a file that is not one of our
// databases (which is never written to). Move-only.
class Connection {
public:
    enum class Mode {
        OpenExisting,
        // Creates a missing file with its full schema and first rows, written without disk
        // syncs: it is meant for a file made under a temporary name, closed, synced and then
        // moved into place (prepareDataFolder). A creation that fails removes it.
        CreateIfMissing,
    };

    Connection(const QString& path, DatabaseKind kind, Mode mode = Mode::OpenExisting);
    ~Connection();
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&&) = delete;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QSqlDatabase db() const;
    const QString& path() const { return path_; }
    DatabaseKind kind() const { return kind_; }
    // True when this connection created the file (and its schema).
    bool created() const { return created_; }

private:
    QString name_;
    QString path_;
    DatabaseKind kind_;
    bool created_ = false;
};

}  // namespace tavrel
