#include "statement.h"

#include "connection.h"
#include "date_time.h"
#include "platform/errors.h"

#include <QSqlError>

namespace db {

QStringList PlaceholderNames(const QString& sql) {
    QStringList names;
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote) {
                quote = QChar();
            }
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            continue;
        }
        if (c == QLatin1Char(':')) {
            qsizetype end = i + 1;
            while (end < sql.size() &&
                   (sql.at(end).isLetterOrNumber() || sql.at(end) == QLatin1Char('_') ||
                    sql.at(end) == QLatin1Char('$'))) {
                ++end;
            }
            if (end > i + 1) {
                names.append(sql.mid(i + 1, end - i - 1));
                i = end - 1;
            }
        }
    }
    return names;
}

Statement::Statement(Connection& connection, QObject* owner)
    : QObject(owner), connection_(connection) {}

void Statement::SetSQL(const QString& text) {
    Unprepare();
    sql_ = text;
}

void Statement::Prepare() {
    if (Prepared()) {
        return;
    }
    QSqlQuery query(connection_.Handle());
    if (!query.prepare(sql_)) {
        throw platform::DatabaseError(query.lastError().text().trimmed());
    }
    placeholders_.clear();
    for (const QString& name : PlaceholderNames(sql_)) {
        placeholders_.insert(name.toUpper(), QLatin1Char(':') + name);
        // A parameter that is not set stores no value, rather than whatever the toolkit would
        // send for a placeholder without one.
        query.bindValue(QLatin1Char(':') + name, QVariant());
    }
    query_ = std::move(query);
}

void Statement::Unprepare() {
    query_.reset();
    placeholders_.clear();
}

void Statement::SetParam(const QString& name, const QVariant& value) {
    if (!Prepared()) {
        throw platform::DatabaseError(QStringLiteral("%1 is not prepared").arg(objectName()));
    }
    const auto found = placeholders_.constFind(name.toUpper());
    if (found == placeholders_.constEnd()) {
        throw platform::DatabaseError(
            QStringLiteral("%1: parameter %2 not found").arg(objectName(), name));
    }
    if (value.metaType() == QMetaType::fromType<DateTime>()) {
        const DateTime moment = value.value<DateTime>();
        query_->bindValue(*found, moment.IsZero() ? QVariant() : QVariant(moment.ToQDateTime()));
    } else {
        query_->bindValue(*found, value);
    }
}

void Statement::Execute() {
    if (!Prepared()) {
        throw platform::DatabaseError(QStringLiteral("%1 is not prepared").arg(objectName()));
    }
    if (!query_->exec()) {
        throw platform::DatabaseError(query_->lastError().text().trimmed());
    }
}

} // namespace db
