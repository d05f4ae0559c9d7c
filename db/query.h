#pragma once

#include "row_set.h"

namespace db {

class Connection;

// A read-only query with a declared column list. Its columns come from one table, which is
// checked for the declared columns when the query opens.
class Query : public RowSet {
    Q_OBJECT
public:
    Query(Connection& connection, QStringList sqlLines, QString sourceTable, ColumnList columns,
          QObject* owner);

    void Open();
    QString SQL() const { return sqlLines_.join(QLatin1Char('\n')); }

private:
    Connection& connection_;
    QStringList sqlLines_;
    QString sourceTable_;
};

} // namespace db
