#pragma once

#include "db/connection.h"

#include <QString>
#include <memory>

// The Firebird server the scripts start, as the tests use it.
namespace firebird {

// SYSDBA's password, from the file the server's package writes.
QString Password();

// Runs an SQL script with the server's own command-line tool, against a database or, with
// an empty connect string, on its own (for CREATE DATABASE). Throws std::runtime_error with
// the tool's output when it fails.
void RunScript(const QString& connectString, const QString& script);

} // namespace firebird

// A new database on the server, with the school tables, dropped again at the end.
class TestDatabase {
public:
    // Creates the database and loads the school schema; extraSql runs after it.
    explicit TestDatabase(const QString& extraSql = QString(), bool withSchema = true);
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;
    ~TestDatabase();

    QString Path() const { return path_; }
    QString ConnectString() const { return QStringLiteral("localhost:") + path_; }
    // Runs statements outside the program under test, committed.
    void Execute(const QString& sql) const;
    // A connection of the program's own kind, connected as SYSDBA.
    std::unique_ptr<db::Connection> Connect() const;

private:
    QString path_;
};
