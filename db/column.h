#pragma once

#include <QList>
#include <QString>

namespace db {

// The kinds of column a dataset declares.
enum class ColumnKind { DateTime, Date, Text, SmallInt, Integer, Memo };

struct Column {
    QString name;
    ColumnKind kind;
    int length = 0; // characters, for text columns
};

using ColumnList = QList<Column>;

QString ColumnKindName(ColumnKind kind);

} // namespace db
