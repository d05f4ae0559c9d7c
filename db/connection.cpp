#include "connection.h"

#include "platform/errors.h"

#include <QAtomicInteger>
#include <QSqlError>

namespace db {

namespace {
QString uniqueConnectionName() {
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("attendance-loader-%1").arg(counter.fetchAndAddRelaxed(1));
}

[[noreturn]] void raise(const QSqlError& error) {
    throw platform::DatabaseError(error.text().trimmed());
}
} // namespace

Connection::Connection(QObject* owner) : QObject(owner), name_(uniqueConnectionName()) {
    QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), name_);
}

Connection::~Connection() {
    {
        QSqlDatabase database = QSqlDatabase::database(name_, false);
        if (database.isOpen()) {
            if (inTransaction_) {
                database.rollback();
            }
            database.close();
        }
    }
    QSqlDatabase::removeDatabase(name_);
}

void Connection::SetDatabaseName(const QString& connectString) {
    QSqlDatabase::database(name_, false).setDatabaseName(connectString);
}

QString Connection::DatabaseName() const {
    return QSqlDatabase::database(name_, false).databaseName();
}

void Connection::SetUserName(const QString& userName) {
    QSqlDatabase::database(name_, false).setUserName(userName);
}

void Connection::SetPassword(const QString& password) {
    QSqlDatabase::database(name_, false).setPassword(password);
}

void Connection::Connect() {
    QSqlDatabase database = QSqlDatabase::database(name_, false);
    if (database.isOpen()) {
        return;
    }
    if (!database.isValid()) {
        throw platform::DatabaseError(
            QStringLiteral("The Firebird driver of the toolkit (QIBASE) is not installed"));
    }
    if (!database.open()) {
        raise(database.lastError());
    }
}

void Connection::Disconnect() {
    QSqlDatabase database = QSqlDatabase::database(name_, false);
    if (inTransaction_) {
        database.rollback();
        inTransaction_ = false;
    }
    database.close();
}

bool Connection::Connected() const {
    return QSqlDatabase::database(name_, false).isOpen();
}

QSqlDatabase Connection::Handle() const {
    QSqlDatabase database = QSqlDatabase::database(name_, false);
    if (!database.isOpen()) {
        throw platform::DatabaseError(QStringLiteral("The database is not connected"));
    }
    return database;
}

void Connection::StartTransaction() {
    QSqlDatabase database = Handle();
    if (!database.transaction()) {
        raise(database.lastError());
    }
    inTransaction_ = true;
}

void Connection::Commit() {
    QSqlDatabase database = Handle();
    if (!database.commit()) {
        raise(database.lastError());
    }
    inTransaction_ = false;
}

void Connection::Rollback() {
    QSqlDatabase database = Handle();
    // Whatever the server answers, the transaction is over for us: a failed rollback leaves
    // nothing committed.
    inTransaction_ = false;
    if (!database.rollback()) {
        raise(database.lastError());
    }
}

} // namespace db
