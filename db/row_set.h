#pragma once

#include "column.h"
#include "field.h"
#include "platform/dataset.h"

#include <QList>
#include <QStringList>
#include <QVariantList>

class QSqlQuery;

namespace db {

// The rows of an open dataset, read in full when it opens, with a current row. The program
// only reads these datasets, and they are small (configuration, teachers, sessions).
class RowSet : public platform::DataSet {
    Q_OBJECT
public:
    RowSet(ColumnList columns, QObject* owner);

    bool Active() const override { return active_; }
    void Close() override;

    int RecordCount() const { return static_cast<int>(rows_.size()); }
    void First() { current_ = 0; }
    void Next();
    bool Eof() const { return current_ >= rows_.size(); }

    // The named declared column of the current row; a null value when there is no current
    // row. Throws DatabaseError for a column the dataset does not declare.
    Field FieldByName(const QString& name) const;

    // Moves to the first row whose columns equal the values exactly; on no match the current
    // row stays where it was and the answer is false.
    bool Locate(const QStringList& columns, const QVariantList& values);

    const ColumnList& Columns() const { return columns_; }

protected:
    // Reads every row of an executed query, taking the declared columns by name.
    void Load(QSqlQuery& query, const QString& source);

private:
    int columnIndex(const QString& name) const;

    ColumnList columns_;
    QList<QVariantList> rows_;
    qsizetype current_ = 0;
    bool active_ = false;
};

} // namespace db
