#include "schema_check.h"

#include "connection.h"
#include "platform/errors.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>

namespace db {

namespace {

// Field type codes of the server's system tables.
constexpr int kSmallInt = 7;
constexpr int kInteger = 8;
constexpr int kDate = 12;
constexpr int kChar = 14;
constexpr int kTimestamp = 35;
constexpr int kVarchar = 37;
constexpr int kBlob = 261;
constexpr int kTextBlobSubType = 1;

struct ServerColumn {
    int type = 0;
    int subType = 0;
};

bool matches(ColumnKind kind, const ServerColumn& column) {
    switch (kind) {
    case ColumnKind::DateTime:
        return column.type == kTimestamp;
    case ColumnKind::Date:
        return column.type == kDate;
    case ColumnKind::Text:
        return column.type == kVarchar || column.type == kChar;
    case ColumnKind::SmallInt:
        return column.type == kSmallInt;
    case ColumnKind::Integer:
        return column.type == kInteger;
    case ColumnKind::Memo:
        return column.type == kBlob && column.subType == kTextBlobSubType;
    }
    return false;
}

QString serverTypeName(int type, int subType) {
    switch (type) {
    case kSmallInt:
        return QStringLiteral("SMALLINT");
    case kInteger:
        return QStringLiteral("INTEGER");
    case kDate:
        return QStringLiteral("DATE");
    case kChar:
        return QStringLiteral("CHAR");
    case kTimestamp:
        return QStringLiteral("TIMESTAMP");
    case kVarchar:
        return QStringLiteral("VARCHAR");
    case kBlob:
        return subType == kTextBlobSubType ? QStringLiteral("BLOB SUB_TYPE TEXT")
                                           : QStringLiteral("BLOB");
    default:
        return QStringLiteral("type %1").arg(type);
    }
}

} // namespace

QString ColumnKindName(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::DateTime:
        return QStringLiteral("TIMESTAMP");
    case ColumnKind::Date:
        return QStringLiteral("DATE");
    case ColumnKind::Text:
        return QStringLiteral("VARCHAR");
    case ColumnKind::SmallInt:
        return QStringLiteral("SMALLINT");
    case ColumnKind::Integer:
        return QStringLiteral("INTEGER");
    case ColumnKind::Memo:
        return QStringLiteral("BLOB SUB_TYPE TEXT");
    }
    return {};
}

void CheckDeclaredColumns(Connection& connection, const QString& table, const ColumnList& columns) {
    QSqlQuery query(connection.Handle());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT TRIM(rf.RDB$FIELD_NAME), f.RDB$FIELD_TYPE, f.RDB$FIELD_SUB_TYPE "
        "FROM RDB$RELATION_FIELDS rf JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
        "WHERE rf.RDB$RELATION_NAME = ?"));
    // Table names are unquoted in every statement, so the server keeps them in upper case.
    query.addBindValue(table.toUpper());
    if (!query.exec()) {
        throw platform::DatabaseError(query.lastError().text().trimmed());
    }
    QHash<QString, ServerColumn> serverColumns;
    while (query.next()) {
        ServerColumn column;
        column.type = query.value(1).toInt();
        column.subType = query.value(2).toInt();
        serverColumns.insert(query.value(0).toString(), column);
    }
    if (serverColumns.isEmpty()) {
        throw platform::DatabaseError(QStringLiteral("Table %1 does not exist").arg(table));
    }
    for (const Column& declared : columns) {
        const auto found = serverColumns.constFind(declared.name.toUpper());
        if (found == serverColumns.constEnd()) {
            throw platform::DatabaseError(
                QStringLiteral("Table %1 has no column %2").arg(table, declared.name));
        }
        if (!matches(declared.kind, *found)) {
            throw platform::DatabaseError(QStringLiteral("Column %1.%2 is %3 where %4 is expected")
                                              .arg(table, declared.name,
                                                   serverTypeName(found->type, found->subType),
                                                   ColumnKindName(declared.kind)));
        }
    }
}

} // namespace db
