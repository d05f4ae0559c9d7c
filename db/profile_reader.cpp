// Why the loader has its own INI reader: its settings files were always read with the Windows
// profile-file reader, with case-blind names, quote stripping, no inline comments and the first
// of repeated names, and existing files are copied over as they are. The two readers at hand
// read the same files differently (checked against Qt 6.4 and Debian's libinih 55):
// - QSettings with IniFormat keeps section and key names case-sensitive on Linux ("[company
//   list]" is another group than "[Company List]", "schooldb" is not "Schooldb"); it treats
//   "\" as an escape character, so \\SRV\Data;D:\Data\school.fdb comes back as \SRVata; a ";"
//   ends the value even in the middle of it; a value with a comma becomes a list whose text is
//   empty; and [General] is taken as the top level rather than as a section.
// - libinih (ini.h, and its INIReader) takes a ";" after a blank as the start of an inline
//   comment, keeps quotes, reads an indented line as a continuation of the value before it,
//   accepts "name: value" as a key, cuts lines at 200 bytes, and INIReader merges repeated
//   sections and joins repeated keys with a line break instead of keeping the first.
#include "profile_reader.h"

#include <QFile>
#include <QStringView>

namespace db {

namespace {

// The Windows reader handed the loader a value in a 2048-byte buffer, zero included; a longer
// value was cut, and is cut the same way here.
constexpr qsizetype MaxValueLength = 2047;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && isBlank(text[first])) {
        ++first;
    }
    while (end > first && isBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(first, end - first);
}

// One pair of matching quotes around the whole value goes; a lone or unmatched quote stays.
QStringView withoutQuotes(QStringView value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        return value.sliced(1, value.size() - 2);
    }
    return value;
}

// Lengths count UTF-16 code units; a cut never splits a character that needs two of them.
QStringView cutToMaximum(QStringView value) {
    if (value.size() <= MaxValueLength) {
        return value;
    }
    qsizetype length = MaxValueLength;
    if (value[length - 1].isHighSurrogate()) {
        --length;
    }
    return value.first(length);
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString ReadProfileString(const QString& fileName, const QString& section, const QString& key,
                          const QString& defaultValue) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return defaultValue;
    }
    // fromUtf8 drops a leading byte-order mark and turns invalid bytes into U+FFFD.
    const QString text = QString::fromUtf8(file.readAll());
    file.close();

    bool inSection = false;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        line = trimBlanks(line);
        if (line.isEmpty() || line.front() == u';' || line.front() == u'#') {
            continue;
        }
        if (line.front() == u'[') {
            if (inSection) {
                break; // only the first section of the name is read
            }
            // The name ends at the first "]", or at the end of the line when it has none.
            const qsizetype close = line.indexOf(u']');
            const QStringView name = close < 0 ? line.sliced(1) : line.sliced(1, close - 1);
            inSection = sameName(trimBlanks(name), section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            continue;
        }
        const QStringView name = trimBlanks(line.first(equals));
        if (name.isEmpty() || !sameName(name, key)) {
            continue;
        }
        return cutToMaximum(withoutQuotes(trimBlanks(line.sliced(equals + 1)))).toString();
    }
    return defaultValue;
}

} // namespace db
