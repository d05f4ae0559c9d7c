#pragma once

#include <QString>
#include <QVariant>

namespace platform {

// A database connection as the shared components see it. They sit below the database layer
// and only ever look a single row up (the record-rights check), so that is all they are given.
class RowLookup {
public:
    RowLookup() = default;
    RowLookup(const RowLookup&) = delete;
    RowLookup& operator=(const RowLookup&) = delete;
    virtual ~RowLookup() = default;

    // The first row of the table that meets the condition: the value of the one field asked
    // for, or a list of the values of several (separated by "," or ";"); a null value when no
    // row matches. A database error passes to the caller.
    virtual QVariant SqlLookup(const QString& table, const QString& condition,
                               const QString& fieldList) = 0;
};

} // namespace platform
