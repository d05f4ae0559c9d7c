#include "memory_set.h"

#include "platform/errors.h"

#include <QDataStream>
#include <QIODevice>

namespace db {

MemorySet::MemorySet(ColumnList fields, const QStringList& keyFields, QObject* owner)
    : platform::DataSet(owner), fields_(std::move(fields)) {
    for (const Column& field : fields_) {
        AddField(field.name);
    }
    for (const QString& key : keyFields) {
        for (qsizetype i = 0; i < fields_.size(); ++i) {
            if (fields_.at(i).name.compare(key, Qt::CaseInsensitive) == 0) {
                keyPositions_.append(static_cast<int>(i));
            }
        }
    }
}

void MemorySet::CreateDataSet() {
    rows_.clear();
    index_.clear();
    active_ = true;
}

void MemorySet::Close() {
    rows_.clear();
    index_.clear();
    active_ = false;
}

// The key values serialised, so that equal keys, and only equal keys, give equal texts.
QString MemorySet::keyOf(const QVariantList& keyValues) const {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << keyValues;
    return QString::fromLatin1(bytes.toBase64());
}

bool MemorySet::FindKey(const QVariantList& keyValues) const {
    if (!active_) {
        throw platform::DatabaseError(QStringLiteral("%1 is not open").arg(objectName()));
    }
    return index_.contains(keyOf(keyValues));
}

void MemorySet::AppendRecord(const QVariantList& values) {
    if (!active_) {
        throw platform::DatabaseError(QStringLiteral("%1 is not open").arg(objectName()));
    }
    if (values.size() != fields_.size()) {
        throw platform::DatabaseError(
            QStringLiteral("%1 takes %2 values per row").arg(objectName()).arg(fields_.size()));
    }
    QVariantList key;
    for (const int position : keyPositions_) {
        key.append(values.at(position));
    }
    index_.insert(keyOf(key), rows_.size());
    rows_.append(values);
}

} // namespace db
