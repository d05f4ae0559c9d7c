#pragma once

#include <QHash>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <optional>

namespace db {

class Connection;

// A statement without a result set, prepared before use and unprepared after it. Parameters
// are set by name, without regard to letter case; a date-time parameter takes a DateTime.
// A parameter left unset, or set to a null value or a 0 date-time, stores NULL. (The toolkit's
// Firebird driver cannot send NULL for a column declared NOT NULL: it stores a zero value there
// instead of failing, so callers give such columns real values.)
class Statement : public QObject {
    Q_OBJECT
public:
    Statement(Connection& connection, QObject* owner);

    void SetSQL(const QString& text);
    QString SQL() const { return sql_; }

    void Prepare();
    bool Prepared() const { return query_.has_value(); }
    void Unprepare();

    // Throws DatabaseError for a name the statement has no placeholder for, or when the
    // statement is not prepared.
    void SetParam(const QString& name, const QVariant& value);
    void Execute();

private:
    Connection& connection_;
    QString sql_;
    QHash<QString, QString> placeholders_; // upper-case name -> name as written
    std::optional<QSqlQuery> query_;
};

// The named placeholders (":NAME") of a statement text in order, outside quoted texts.
QStringList PlaceholderNames(const QString& sql);

} // namespace db
