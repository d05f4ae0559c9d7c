#include "dictionary_table.h"

namespace Translat {

const QStringList& DictionaryTable::ColumnNames() {
    static const QStringList names{QStringLiteral("English"), QStringLiteral("Chinese"),
                                   QStringLiteral("Malay")};
    return names;
}

int DictionaryTable::ColumnIndex(const QString& name) {
    for (int column = 0; column < kColumnCount; ++column) {
        if (ColumnNames().at(column).compare(name, Qt::CaseInsensitive) == 0) {
            return column;
        }
    }
    return -1;
}

qint64 DictionaryTable::DataSize() const {
    return static_cast<qint64>(records_.size()) * kColumnCount * kColumnWidth;
}

const DictionaryRecord* DictionaryTable::Find(int column, const QString& text) const {
    if (column < 0 || column >= kColumnCount) {
        return nullptr;
    }
    for (const auto& [english, record] : records_) {
        if (record.at(column).compare(text, Qt::CaseInsensitive) == 0) {
            return &record;
        }
    }
    return nullptr;
}

bool DictionaryTable::Append(DictionaryRecord record) {
    for (QString& text : record) {
        text.truncate(kColumnWidth);
    }
    QString english = record.at(0);
    return records_.try_emplace(std::move(english), std::move(record)).second;
}

} // namespace Translat
