#pragma once

#include "platform/row_lookup.h"

namespace db {

class Connection;

// A connection handed to the shared components, which look single rows up through it with
// SqlLookup.
class ConnectionLookup final : public platform::RowLookup {
public:
    explicit ConnectionLookup(Connection& connection) : connection_(connection) {}

    QVariant SqlLookup(const QString& table, const QString& condition,
                       const QString& fieldList) override;
    Connection& Target() const { return connection_; }

private:
    Connection& connection_;
};

} // namespace db
