#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <utility>

namespace platform {

// Where a dataset field's value comes from: read from the data itself, computed by the
// program, or looked up in another dataset.
enum class FieldKind { Data, Calculated, Lookup };

// One field of a dataset as a window shows it: its name, its kind and the label its column
// heading carries.
class DataSetField {
public:
    DataSetField(QString fieldName, FieldKind kind) : name_(std::move(fieldName)), kind_(kind) {}

    const QString& FieldName() const { return name_; }
    FieldKind Kind() const { return kind_; }
    // The label of its own, or the field name when it has none.
    QString DisplayLabel() const { return label_.isEmpty() ? name_ : label_; }
    // An empty label makes the field show its name again.
    void SetDisplayLabel(const QString& label) { label_ = label; }

private:
    QString name_;
    FieldKind kind_;
    QString label_;
};

// What every dataset component of a window offers, so that a window can close all of its
// datasets without knowing their kinds, and so that its field labels can be shown in the
// user's language. Connections and statements are no datasets.
class DataSet : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool Active() const = 0;
    // Closing a dataset that is already closed does nothing.
    virtual void Close() = 0;

    // The dataset's fields, in declaration order.
    QList<DataSetField>& Fields() { return fields_; }
    const QList<DataSetField>& Fields() const { return fields_; }

protected:
    void AddField(const QString& fieldName, FieldKind kind = FieldKind::Data) {
        fields_.append(DataSetField(fieldName, kind));
    }

private:
    QList<DataSetField> fields_;
};

} // namespace platform
