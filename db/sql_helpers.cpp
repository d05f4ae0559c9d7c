#include "sql_helpers.h"

#include "common/general_text.h"
#include "connection.h"
#include "platform/errors.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

namespace {

// A query object for one statement, alive only within the helper that made it.
QSqlQuery runQuery(Connection& connection, const QString& statement) {
    QSqlQuery query(connection.Handle());
    query.setForwardOnly(true);
    if (!query.exec(statement)) {
        throw platform::DatabaseError(query.lastError().text().trimmed());
    }
    return query;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString SqlDateLiteral(DateTime value) {
    if (value.IsZero()) {
        return QStringLiteral("NULL");
    }
    const QDate date = value.Date();
    const QTime time = value.Time();
    // This system offers no date and time separators of its own: "/" and ":" are used.
    const QString text = twoDigits(date.month()) + QLatin1Char('/') + twoDigits(date.day()) +
                         QLatin1Char('/') +
                         QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) +
                         QLatin1Char(' ') + twoDigits(time.hour()) + QLatin1Char(':') +
                         twoDigits(time.minute()) + QLatin1Char(':') + twoDigits(time.second());
    return QuotedText(text);
}

QString QuotedText(const QString& text) {
    return QLatin1Char('\'') +
           General::ReplaceAllText(text, QStringLiteral("'"), QStringLiteral("''")) +
           QLatin1Char('\'');
}

QString RecordExistsSql(const QString& table, const QString& condition) {
    return QStringLiteral("SELECT COUNT(*) AS CNT FROM ") + table + QStringLiteral(" WHERE ") +
           condition;
}

QString ColumnProbeSql(const QString& table) {
    return QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE 1=-1");
}

QString LookupSql(const QString& table, const QString& condition, const QString& fieldList) {
    const QString fields =
        General::ReplaceAllText(fieldList, QStringLiteral(";"), QStringLiteral(","));
    return QStringLiteral("SELECT ") + fields + QStringLiteral(" FROM ") + table +
           General::ChooseText(!condition.isEmpty(), QStringLiteral(" WHERE ") + condition,
                               QString());
}

bool RecordExists(Connection& connection, const QString& table, const QString& condition) {
    QSqlQuery query = runQuery(connection, RecordExistsSql(table, condition));
    if (!query.next()) {
        throw platform::DatabaseError(
            QStringLiteral("The row count of %1 could not be read").arg(table));
    }
    return query.value(QStringLiteral("CNT")).toLongLong() > 0;
}

QString BuildInsertSql(Connection& connection, const QString& table) {
    const QSqlRecord columns = runQuery(connection, ColumnProbeSql(table)).record();
    QString columnList;
    QString placeholderList;
    for (int i = 0; i < columns.count(); ++i) {
        const QString name = columns.fieldName(i);
        columnList += name + QLatin1Char(',');
        placeholderList += QLatin1Char(':') + name + QLatin1Char(',');
    }
    columnList.chop(1);
    placeholderList.chop(1);
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columnList +
           QStringLiteral(") VALUES (") + placeholderList + QLatin1Char(')');
}

QVariant SqlLookup(Connection& connection, const QString& table, const QString& condition,
                   const QString& fieldList) {
    QSqlQuery query = runQuery(connection, LookupSql(table, condition, fieldList));
    if (!query.next()) {
        return {};
    }
    const QSqlRecord row = query.record();
    if (row.count() == 1) {
        return row.value(0);
    }
    QVariantList values;
    values.reserve(row.count());
    for (int i = 0; i < row.count(); ++i) {
        values.append(row.value(i));
    }
    return values;
}

} // namespace db
