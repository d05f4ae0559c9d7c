#pragma once

#include "date_time.h"

#include <QString>
#include <QVariant>

namespace db {

class Connection;

// The value as an SQL literal 'mm/dd/yyyy hh:mm:ss' (month first, 24-hour clock, rounded to
// the second's millisecond and shown to the second), or the bare word NULL for exactly 0.
QString SqlDateLiteral(DateTime value);

// A text value for a condition: in single quotes, every quote inside doubled.
QString QuotedText(const QString& text);

// The statements the helpers send, exactly as sent.
QString RecordExistsSql(const QString& table, const QString& condition);
QString ColumnProbeSql(const QString& table);
QString LookupSql(const QString& table, const QString& condition, const QString& fieldList);

// Table names, field lists and conditions are joined into the statements as they are: callers
// pass only texts they built themselves, with text values quoted by QuotedText. Each helper
// runs its statement on a query object of its own, freed on every path; a database error
// passes to the caller as DatabaseError carrying the database's message.

// True when at least one row of the table meets the condition (which is required).
bool RecordExists(Connection& connection, const QString& table, const QString& condition);

// INSERT INTO table (C1,C2,...) VALUES (:C1,:C2,...) over the table's own columns, in their
// order and with the names the database reports.
QString BuildInsertSql(Connection& connection, const QString& table);

// The first row's value of the one field asked for, or, for several fields (separated by ","
// or ";"), a list of the first row's values in column order; a null value when no row
// matches. An empty condition reads the whole table.
QVariant SqlLookup(Connection& connection, const QString& table, const QString& condition,
                   const QString& fieldList);

} // namespace db
