#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

namespace db {

// The one database connection of a window. Everything that runs SQL in a run goes through
// it, and, while an explicit transaction is open, inside that transaction.
class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject* owner = nullptr);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() override;

    // The database client's remote form host:path.
    void SetDatabaseName(const QString& connectString);
    QString DatabaseName() const;
    void SetUserName(const QString& userName);
    void SetPassword(const QString& password);

    // Connecting when already connected does nothing. Throws DatabaseError with the
    // database's own text when the connection cannot be made.
    void Connect();
    void Disconnect();
    bool Connected() const;

    // With AutoCommit on, each statement outside an explicit transaction commits by itself.
    bool AutoCommit() const { return autoCommit_; }
    void SetAutoCommit(bool on) { autoCommit_ = on; }

    void StartTransaction();
    bool InTransaction() const { return inTransaction_; }
    void Commit();
    void Rollback();

    // The toolkit's handle, for queries and statements on this connection. Throws
    // DatabaseError when the connection is not open.
    QSqlDatabase Handle() const;

private:
    QString name_;
    bool autoCommit_ = true;
    bool inTransaction_ = false;
};

} // namespace db
