#pragma once

#include <QList>
#include <QStringList>
#include <QTableWidget>

namespace platform {

// A data grid whose columns come from a column list: one line per column, "field name, width
// in characters, title, read-only flag (T or F)", separated by tabs. Changing the list changes
// nothing on screen until ApplySelected() is called.
class DBGrid : public QTableWidget {
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

    QStringList Selected() const { return selected_; }
    void SetSelected(const QStringList& lines) { selected_ = lines; }

    // Rebuilds the columns from the list: a heading of the title (the field name when the
    // title is empty), the width in characters of the grid's font and the read-only flag.
    void ApplySelected();

    // The field shown in a column, and whether the column may be edited.
    QString ColumnFieldName(int column) const { return fieldNames_.value(column); }
    bool ColumnReadOnly(int column) const { return readOnly_.value(column); }

private:
    QStringList selected_;
    QStringList fieldNames_;
    QList<bool> readOnly_;
};

} // namespace platform
