#pragma once

#include "date_time.h"

#include <QString>
#include <QVariant>

namespace db {

// One column value of a dataset's current row, read the way the program reads columns: a
// null text is empty, a null number 0, a null date-time 0.
class Field {
public:
    explicit Field(QVariant value) : value_(std::move(value)) {}
    bool IsNull() const { return value_.isNull(); }
    QString AsString() const { return IsNull() ? QString() : value_.toString(); }
    int AsInteger() const { return IsNull() ? 0 : value_.toInt(); }
    DateTime AsDateTime() const { return DateTime::FromVariant(value_); }
    const QVariant& Value() const { return value_; }

private:
    QVariant value_;
};

} // namespace db
