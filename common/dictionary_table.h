#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <map>

namespace Translat {

// One text in the three languages, in column order: English, Chinese, Malay.
using DictionaryRecord = std::array<QString, 3>;

// The translator's dictionary: records of one text in three languages, each column at most
// 255 characters, kept in the order of their English text (case-sensitive), which is unique.
class DictionaryTable {
public:
    static constexpr int kColumnWidth = 255;
    static constexpr int kColumnCount = 3;

    // "English", "Chinese", "Malay": the column names, in column order.
    static const QStringList& ColumnNames();
    // The column of that name in any letter case, or -1.
    static int ColumnIndex(const QString& name);

    int RecordCount() const { return static_cast<int>(records_.size()); }

    // How much data the dictionary holds: the record count times the size of a full record
    // (three columns of 255 characters). Every appended record changes it.
    qint64 DataSize() const;

    // The first record, in the order of the English texts, whose column equals the text in
    // any letter case; nullptr when there is none.
    const DictionaryRecord* Find(int column, const QString& text) const;

    // Appends a record with every text cut to the column width. A record whose cut English
    // text is already there is not appended again; the answer is whether it was appended.
    bool Append(DictionaryRecord record);

    // Every record, in the order of the English texts.
    const std::map<QString, DictionaryRecord>& Records() const { return records_; }

    void Clear() { records_.clear(); }

private:
    std::map<QString, DictionaryRecord> records_;
};

} // namespace Translat
