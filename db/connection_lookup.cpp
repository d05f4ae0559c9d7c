#include "connection_lookup.h"

#include "sql_helpers.h"

namespace db {

QVariant ConnectionLookup::SqlLookup(const QString& table, const QString& condition,
                                     const QString& fieldList) {
    return db::SqlLookup(connection_, table, condition, fieldList);
}

} // namespace db
