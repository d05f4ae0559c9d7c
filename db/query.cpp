#include "query.h"

#include "connection.h"
#include "platform/errors.h"
#include "schema_check.h"

#include <QSqlError>
#include <QSqlQuery>

namespace db {

Query::Query(Connection& connection, QStringList sqlLines, QString sourceTable, ColumnList columns,
             QObject* owner)
    : RowSet(std::move(columns), owner), connection_(connection), sqlLines_(std::move(sqlLines)),
      sourceTable_(std::move(sourceTable)) {}

void Query::Open() {
    if (Active()) {
        return;
    }
    CheckDeclaredColumns(connection_, sourceTable_, Columns());
    QSqlQuery query(connection_.Handle());
    query.setForwardOnly(true);
    if (!query.exec(SQL())) {
        throw platform::DatabaseError(query.lastError().text().trimmed());
    }
    Load(query, objectName());
}

} // namespace db
