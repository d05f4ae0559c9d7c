#pragma once

#include "column.h"
#include "connection_lookup.h"
#include "field.h"
#include "platform/navigable_dataset.h"

#include <QList>
#include <QStringList>
#include <QVariantList>

namespace db {

class Connection;

// A table a person browses and changes through a navigator bar. Opening it reads every row of
// its declared columns, ordered by the table's primary key, which the database names; each
// change is written at once, through the connection, with bound values, and identifies its
// row by the key the row was read with.
class EditableTable : public platform::NavigableDataSet {
    Q_OBJECT
public:
    EditableTable(Connection& connection, QString tableName, ColumnList columns, QObject* owner);

    // Throws DatabaseError when the table lacks a declared column, has no primary key, or has
    // a key column that is not declared.
    void Open();
    bool Active() const override { return state_ != platform::DataSetState::Inactive; }
    // Drops a change in progress.
    void Close() override;
    platform::DataSetState State() const override { return state_; }

    void First() override;
    void Prior() override;
    void Next() override;
    void Last() override;
    void Insert() override;
    void Delete() override;
    void Edit() override;
    void Post() override;
    void Cancel() override;
    void Refresh() override;

    int RecordCount() const { return static_cast<int>(rows_.size()); }
    // The current row's place from 0, or -1 when there are no rows.
    int RecNo() const { return rows_.isEmpty() ? -1 : static_cast<int>(current_); }
    // The named column of the current record: the values being entered while it is changed
    // or made. A null value when there is no record. Throws DatabaseError for a column the
    // table does not declare.
    Field FieldByName(const QString& name) const;
    // Only while a record is changed or made; throws DatabaseError otherwise.
    void SetFieldValue(const QString& name, const QVariant& value);

    QString TableName() const { return tableName_; }
    QStringList KeyColumns() const;
    Connection& Database() const { return lookup_.Target(); }
    platform::RowLookup* DatabaseConnection() override { return &lookup_; }

private:
    int columnIndex(const QString& name) const;
    void requireActive() const;
    // Stores a change in progress, as every move does first.
    void postIfChanging();
    void readRows();
    void readKey();
    void insertRow();
    void updateRow();
    void deleteRow();
    // The WHERE clause for the key of a row, binding its values from the given placeholder
    // number on.
    QString keyCondition(QVariantList& values, const QVariantList& row) const;

    ConnectionLookup lookup_;
    QString tableName_;
    ColumnList columns_;
    QList<int> key_; // column indexes of the primary key, in key order
    QList<QVariantList> rows_;
    qsizetype current_ = 0;
    QVariantList buffer_; // the record being changed or made
    platform::DataSetState state_ = platform::DataSetState::Inactive;
};

} // namespace db
