#include "table.h"

#include "connection.h"
#include "platform/errors.h"
#include "schema_check.h"

#include <QSqlError>
#include <QSqlQuery>

namespace db {

Table::Table(Connection& connection, QString tableName, ColumnList columns, QStringList order,
             QObject* owner)
    : RowSet(std::move(columns), owner), connection_(connection), tableName_(std::move(tableName)),
      order_(std::move(order)) {}

void Table::Open() {
    if (Active()) {
        return;
    }
    CheckDeclaredColumns(connection_, tableName_, Columns());
    QStringList names;
    for (const Column& column : Columns()) {
        names.append(column.name);
    }
    QString statement = QStringLiteral("SELECT ") + names.join(QLatin1Char(',')) +
                        QStringLiteral(" FROM ") + tableName_;
    if (!order_.isEmpty()) {
        statement += QStringLiteral(" ORDER BY ") + order_.join(QLatin1Char(','));
    }
    QSqlQuery query(connection_.Handle());
    query.setForwardOnly(true);
    if (!query.exec(statement)) {
        throw platform::DatabaseError(query.lastError().text().trimmed());
    }
    Load(query, tableName_);
}

} // namespace db
