#include "editable_table.h"

#include "common/general_text.h"
#include "connection.h"
#include "date_time.h"
#include "platform/errors.h"
#include "schema_check.h"

#include <QSqlError>
#include <QSqlQuery>

namespace db {

namespace {

using platform::DataSetState;

QSqlQuery run(Connection& connection, const QString& statement, const QVariantList& values) {
    QSqlQuery query(connection.Handle());
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        throw platform::DatabaseError(query.lastError().text().trimmed());
    }
    for (const QVariant& value : values) {
        if (value.metaType() == QMetaType::fromType<DateTime>()) {
            const DateTime moment = value.value<DateTime>();
            query.addBindValue(moment.IsZero() ? QVariant() : QVariant(moment.ToQDateTime()));
        } else {
            query.addBindValue(value);
        }
    }
    if (!query.exec()) {
        throw platform::DatabaseError(query.lastError().text().trimmed());
    }
    return query;
}

// A null value is written as the word NULL rather than bound: the toolkit's driver would store
// a zero value for a bound null in a column that must not be null, instead of refusing it.
bool bindsValue(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<DateTime>()) {
        return !value.value<DateTime>().IsZero();
    }
    return !value.isNull();
}

} // namespace

EditableTable::EditableTable(Connection& connection, QString tableName, ColumnList columns,
                             QObject* owner)
    : platform::NavigableDataSet(owner), lookup_(connection), tableName_(std::move(tableName)),
      columns_(std::move(columns)) {
    for (const Column& column : columns_) {
        AddField(column.name);
    }
}

int EditableTable::columnIndex(const QString& name) const {
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        if (columns_.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    throw platform::DatabaseError(QStringLiteral("%1: field %2 not found").arg(tableName_, name));
}

void EditableTable::requireActive() const {
    if (!Active()) {
        throw platform::DatabaseError(QStringLiteral("%1 is not open").arg(tableName_));
    }
}

QStringList EditableTable::KeyColumns() const {
    QStringList names;
    for (const int index : key_) {
        names.append(columns_.at(index).name);
    }
    return names;
}

void EditableTable::Open() {
    if (Active()) {
        return;
    }
    CheckDeclaredColumns(Database(), tableName_, columns_);
    readKey();
    readRows();
    current_ = 0;
    state_ = DataSetState::Browse;
}

void EditableTable::Close() {
    rows_.clear();
    buffer_.clear();
    current_ = 0;
    state_ = DataSetState::Inactive;
}

void EditableTable::readKey() {
    QSqlQuery query =
        run(Database(),
            QStringLiteral("SELECT TRIM(s.RDB$FIELD_NAME) FROM RDB$RELATION_CONSTRAINTS "
                           "c JOIN RDB$INDEX_SEGMENTS s ON s.RDB$INDEX_NAME = "
                           "c.RDB$INDEX_NAME WHERE c.RDB$RELATION_NAME = ? AND "
                           "c.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY' ORDER BY "
                           "s.RDB$FIELD_POSITION"),
            {General::UpperCaseAscii(tableName_)});
    QList<int> key;
    while (query.next()) {
        const QString name = query.value(0).toString();
        try {
            key.append(columnIndex(name));
        } catch (const platform::DatabaseError&) {
            throw platform::DatabaseError(
                QStringLiteral("%1: key column %2 is not declared").arg(tableName_, name));
        }
    }
    if (key.isEmpty()) {
        throw platform::DatabaseError(QStringLiteral("%1 has no primary key").arg(tableName_));
    }
    key_ = key;
}

void EditableTable::readRows() {
    QStringList names;
    for (const Column& column : columns_) {
        names.append(column.name);
    }
    QSqlQuery query =
        run(Database(),
            QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                .arg(names.join(QLatin1Char(',')), tableName_, KeyColumns().join(QLatin1Char(','))),
            {});
    QList<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        row.reserve(columns_.size());
        for (int i = 0; i < columns_.size(); ++i) {
            row.append(query.value(i));
        }
        rows.append(row);
    }
    rows_ = rows;
}

Field EditableTable::FieldByName(const QString& name) const {
    const int index = columnIndex(name);
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) {
        return Field(buffer_.at(index));
    }
    if (!Active() || rows_.isEmpty()) {
        return Field(QVariant());
    }
    return Field(rows_.at(current_).at(index));
}

void EditableTable::SetFieldValue(const QString& name, const QVariant& value) {
    const int index = columnIndex(name);
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) {
        throw platform::DatabaseError(
            QStringLiteral("%1 is not in edit or insert mode").arg(tableName_));
    }
    buffer_[index] = value;
}

void EditableTable::postIfChanging() {
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) {
        Post();
    }
}

void EditableTable::First() {
    requireActive();
    postIfChanging();
    current_ = 0;
}

void EditableTable::Prior() {
    requireActive();
    postIfChanging();
    if (current_ > 0) {
        --current_;
    }
}

void EditableTable::Next() {
    requireActive();
    postIfChanging();
    if (current_ + 1 < rows_.size()) {
        ++current_;
    }
}

void EditableTable::Last() {
    requireActive();
    postIfChanging();
    current_ = rows_.isEmpty() ? 0 : rows_.size() - 1;
}

void EditableTable::Insert() {
    requireActive();
    postIfChanging();
    buffer_ = QVariantList(columns_.size());
    state_ = DataSetState::Insert;
}

void EditableTable::Edit() {
    requireActive();
    if (state_ != DataSetState::Browse || rows_.isEmpty()) {
        return;
    }
    buffer_ = rows_.at(current_);
    state_ = DataSetState::Edit;
}

void EditableTable::Cancel() {
    requireActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) {
        buffer_.clear();
        state_ = DataSetState::Browse;
    }
}

void EditableTable::Post() {
    requireActive();
    if (state_ == DataSetState::Insert) {
        insertRow();
    } else if (state_ == DataSetState::Edit) {
        updateRow();
    } else {
        return;
    }
    buffer_.clear();
    state_ = DataSetState::Browse;
}

void EditableTable::Delete() {
    requireActive();
    if (state_ == DataSetState::Insert) {
        Cancel();
        return;
    }
    Cancel();
    if (rows_.isEmpty()) {
        return;
    }
    deleteRow();
}

void EditableTable::Refresh() {
    requireActive();
    postIfChanging();
    QVariantList key;
    if (!rows_.isEmpty()) {
        for (const int index : key_) {
            key.append(rows_.at(current_).at(index));
        }
    }
    readRows();
    current_ = std::min<qsizetype>(current_, std::max<qsizetype>(rows_.size() - 1, 0));
    for (qsizetype row = 0; row < rows_.size() && !key.isEmpty(); ++row) {
        bool same = true;
        for (qsizetype i = 0; i < key_.size() && same; ++i) {
            same = rows_.at(row).at(key_.at(i)) == key.at(i);
        }
        if (same) {
            current_ = row;
            break;
        }
    }
}

QString EditableTable::keyCondition(QVariantList& values, const QVariantList& row) const {
    QStringList parts;
    for (const int index : key_) {
        parts.append(columns_.at(index).name + QStringLiteral("=?"));
        values.append(row.at(index));
    }
    return parts.join(QStringLiteral(" AND "));
}

void EditableTable::insertRow() {
    QStringList names;
    QStringList placeholders;
    QVariantList values;
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        if (bindsValue(buffer_.at(i))) {
            names.append(columns_.at(i).name);
            placeholders.append(QStringLiteral("?"));
            values.append(buffer_.at(i));
        }
    }
    // Columns left empty are not named, so the database applies its own rules to them (a key
    // column left empty is refused rather than stored as zero).
    const QString statement = names.isEmpty()
                                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(tableName_)
                                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                        .arg(tableName_, names.join(QLatin1Char(',')),
                                             placeholders.join(QLatin1Char(',')));
    run(Database(), statement, values);
    const qsizetype at = rows_.isEmpty() ? 0 : current_;
    rows_.insert(at, buffer_);
    current_ = at;
}

void EditableTable::updateRow() {
    QStringList assignments;
    QVariantList values;
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        if (bindsValue(buffer_.at(i))) {
            assignments.append(columns_.at(i).name + QStringLiteral("=?"));
            values.append(buffer_.at(i));
        } else {
            assignments.append(columns_.at(i).name + QStringLiteral("=NULL"));
        }
    }
    const QString condition = keyCondition(values, rows_.at(current_));
    QSqlQuery query = run(Database(),
                          QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                              .arg(tableName_, assignments.join(QLatin1Char(',')), condition),
                          values);
    if (query.numRowsAffected() != 1) {
        throw platform::DatabaseError(
            QStringLiteral("%1: the record was changed or deleted by another user")
                .arg(tableName_));
    }
    rows_[current_] = buffer_;
}

void EditableTable::deleteRow() {
    QVariantList values;
    const QString condition = keyCondition(values, rows_.at(current_));
    QSqlQuery query = run(
        Database(), QStringLiteral("DELETE FROM %1 WHERE %2").arg(tableName_, condition), values);
    if (query.numRowsAffected() != 1) {
        throw platform::DatabaseError(
            QStringLiteral("%1: the record was changed or deleted by another user")
                .arg(tableName_));
    }
    rows_.removeAt(current_);
    if (current_ >= rows_.size() && current_ > 0) {
        current_ = rows_.size() - 1;
    }
}

} // namespace db
