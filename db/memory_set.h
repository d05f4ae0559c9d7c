#pragma once

#include "column.h"
#include "platform/dataset.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariantList>

namespace db {

// An in-memory dataset of a run, never written anywhere: created empty from its field
// definitions, searched by exact key, appended to. It keeps only its current rows.
class MemorySet : public platform::DataSet {
    Q_OBJECT
public:
    MemorySet(ColumnList fields, const QStringList& keyFields, QObject* owner);

    // Opens the set empty.
    void CreateDataSet();
    bool Active() const override { return active_; }
    // Closing discards the rows.
    void Close() override;

    // True when a row has exactly these key values (in key field order).
    bool FindKey(const QVariantList& keyValues) const;
    // Appends and posts a row with one value per field, in field order.
    void AppendRecord(const QVariantList& values);
    int RecordCount() const { return static_cast<int>(rows_.size()); }

private:
    QString keyOf(const QVariantList& keyValues) const;

    ColumnList fields_;
    QList<int> keyPositions_;
    QList<QVariantList> rows_;
    QHash<QString, qsizetype> index_;
    bool active_ = false;
};

} // namespace db
