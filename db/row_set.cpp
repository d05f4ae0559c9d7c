#include "row_set.h"

#include "platform/errors.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

RowSet::RowSet(ColumnList columns, QObject* owner)
    : platform::DataSet(owner), columns_(std::move(columns)) {
    for (const Column& column : columns_) {
        AddField(column.name);
    }
}

void RowSet::Close() {
    rows_.clear();
    current_ = 0;
    active_ = false;
}

void RowSet::Next() {
    if (current_ < rows_.size()) {
        ++current_;
    }
}

int RowSet::columnIndex(const QString& name) const {
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        if (columns_.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    throw platform::DatabaseError(QStringLiteral("%1: field %2 not found").arg(objectName(), name));
}

Field RowSet::FieldByName(const QString& name) const {
    const int index = columnIndex(name);
    if (!active_ || Eof()) {
        return Field(QVariant());
    }
    return Field(rows_.at(current_).at(index));
}

bool RowSet::Locate(const QStringList& columns, const QVariantList& values) {
    QList<int> indexes;
    for (const QString& column : columns) {
        indexes.append(columnIndex(column));
    }
    for (qsizetype row = 0; row < rows_.size(); ++row) {
        bool equal = true;
        for (qsizetype i = 0; i < indexes.size() && equal; ++i) {
            equal = rows_.at(row).at(indexes.at(i)) == values.value(i);
        }
        if (equal) {
            current_ = row;
            return true;
        }
    }
    return false;
}

void RowSet::Load(QSqlQuery& query, const QString& source) {
    const QSqlRecord record = query.record();
    QList<int> positions;
    for (const Column& column : columns_) {
        const int position = record.indexOf(column.name);
        if (position < 0) {
            throw platform::DatabaseError(
                QStringLiteral("%1 gives no column %2").arg(source, column.name));
        }
        positions.append(position);
    }
    rows_.clear();
    while (query.next()) {
        QVariantList row;
        row.reserve(positions.size());
        for (const int position : positions) {
            row.append(query.value(position));
        }
        rows_.append(row);
    }
    current_ = 0;
    active_ = true;
}

} // namespace db
