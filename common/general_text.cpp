#include "general_text.h"

#include <algorithm>

namespace General {

namespace {

// The clamping behind CopyText and the three cut routines. The arguments are 64-bit so that the
// cut routines can pass start and count computed from any int (INT_MIN, INT_MAX) unharmed.
QString copyClamped(const QString& s, qint64 start, qint64 count) {
    const qint64 length = s.size();
    if (length == 0) {
        return {};
    }
    const qint64 first = std::max<qint64>(start, 1);
    if (first > length || count <= 0) {
        return {};
    }
    const qint64 last = std::min(first + count - 1, length);
    return s.mid(first - 1, last - first + 1);
}

// Letter case is converted for A-Z and a-z only: names and captions that hold other letters keep
// them exactly as they were typed.
QChar asciiUpper(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - u'a' + u'A')) : c;
}

QChar asciiLower(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') ? QChar(char16_t(u - u'A' + u'a')) : c;
}

} // namespace

QString CopyText(const QString& s, int start, int count) {
    return copyClamped(s, start, count);
}

QString TakeLeft(const QString& s, int n) {
    return copyClamped(s, 1, n);
}

QString TakeRight(const QString& s, int n) {
    return copyClamped(s, qint64(s.size()) - n + 1, n);
}

QString TakeFrom(const QString& s, int start) {
    return copyClamped(s, start, qint64(s.size()) - start + 1);
}

QString ReverseText(const QString& s) {
    QString reversed = s;
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

int FirstPos(const QString& part, const QString& s) {
    // QString::indexOf finds an empty part everywhere; here an empty part is never found.
    if (part.isEmpty() || s.isEmpty() || part.size() > s.size()) {
        return 0;
    }
    return int(s.indexOf(part, 0, Qt::CaseSensitive)) + 1;
}

int LastPos(const QString& part, const QString& s) {
    if (FirstPos(part, s) == 0) {
        return 0;
    }
    // The first occurrence in the reversed text is the last one in the original; R counts from
    // the end of s to the end of that occurrence.
    const qint64 r = FirstPos(ReverseText(part), ReverseText(s));
    return int(qint64(s.size()) - r - part.size() + 2);
}

QString ReplaceAllText(const QString& s, const QString& find, const QString& replacement) {
    if (find.isEmpty()) {
        return s;
    }
    // Walk an offset through s instead of copying the rest after every hit; the search always
    // resumes behind the replaced occurrence, so inserted text is never searched again.
    QString result;
    qsizetype from = 0;
    for (qsizetype hit = s.indexOf(find, from, Qt::CaseSensitive); hit >= 0;
         hit = s.indexOf(find, from, Qt::CaseSensitive)) {
        result += QStringView(s).sliced(from, hit - from);
        result += replacement;
        from = hit + find.size();
    }
    result += QStringView(s).sliced(from);
    return result;
}

QString CapitalizeWords(const QString& s) {
    QString result = s;
    bool wordStart = true;
    for (QChar& c : result) {
        const QChar original = c;
        c = wordStart ? asciiUpper(c) : asciiLower(c);
        wordStart = WordStartSigns.contains(original);
    }
    return result;
}

QString UpperCaseAscii(const QString& s) {
    QString result = s;
    for (QChar& c : result) {
        c = asciiUpper(c);
    }
    return result;
}

QString ChooseText(bool flag, const QString& a, const QString& b) {
    return flag ? a : b;
}

bool BitIsSet(qint32 value, quint8 bit) {
    // Shift as unsigned so that a negative value's sign bit is tested, not smeared.
    return ((quint32(value) >> (bit % 32)) & 1u) != 0;
}

} // namespace General
