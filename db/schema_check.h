#pragma once

#include "column.h"

namespace db {

class Connection;

// Checks that the table has every declared column with its declared kind. Throws
// DatabaseError naming the table and the first column that is missing or of another kind.
// The table's other columns do not matter.
void CheckDeclaredColumns(Connection& connection, const QString& table, const ColumnList& columns);

} // namespace db
