#pragma once

#include "row_set.h"

namespace db {

class Connection;

// A read-only table with a declared column list and order. Opening it checks that the table
// has every declared column with its declared kind.
class Table : public RowSet {
    Q_OBJECT
public:
    Table(Connection& connection, QString tableName, ColumnList columns, QStringList order,
          QObject* owner);

    void Open();
    // Exact search on the declared order's columns.
    bool FindKey(const QVariantList& values) { return Locate(order_, values); }
    QString TableName() const { return tableName_; }

private:
    Connection& connection_;
    QString tableName_;
    QStringList order_;
};

} // namespace db
