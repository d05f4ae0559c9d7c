#pragma once

#include "dataset.h"

namespace platform {

class RowLookup;

// What a dataset is doing: closed, showing records, changing the current one, making a new
// one, or taking search values.
enum class DataSetState { Inactive, Browse, Edit, Insert, SetKey };

// A dataset a person moves through and changes, record by record, as a navigator bar drives
// it. Moving, refreshing or starting a new record first stores a record being changed.
class NavigableDataSet : public DataSet {
    Q_OBJECT
public:
    using DataSet::DataSet;

    virtual DataSetState State() const = 0;

    virtual void First() = 0;
    virtual void Prior() = 0;
    virtual void Next() = 0;
    virtual void Last() = 0;
    // Starts a new record in front of the current one.
    virtual void Insert() = 0;
    // Removes the current record (a new record not yet stored is only dropped).
    virtual void Delete() = 0;
    // Starts changing the current record; does nothing while one is changed or made.
    virtual void Edit() = 0;
    // Stores the record being changed or made; does nothing otherwise.
    virtual void Post() = 0;
    // Drops the changes of the record being changed or made; does nothing otherwise.
    virtual void Cancel() = 0;
    // Reads the records again, staying on the current record where it still exists.
    virtual void Refresh() = 0;

    // The database the dataset is kept in, or nullptr for one kept elsewhere.
    virtual RowLookup* DatabaseConnection() { return nullptr; }
};

} // namespace platform
