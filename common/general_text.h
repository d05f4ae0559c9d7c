#pragma once

#include <QString>
#include <QStringView>

// Small text jobs shared by the whole loader: cutting by position, searching, replacing,
// reversing and capitalising. Positions are 1-based and count UTF-16 code units; every position
// and count, however far out of range, is clamped rather than reported.
namespace General {

// The characters after which CapitalizeWords starts a new word.
inline constexpr QStringView WordStartSigns = u" ,.;:-!?/{([<";

// The piece of s that begins at start and is at most count characters long. A start below 1
// counts as 1 without shortening the piece; a start past the end or a count of 0 or less gives
// an empty text.
QString CopyText(const QString& s, int start, int count);

// The first n characters of s (all of s when n reaches its length, empty when n <= 0).
QString TakeLeft(const QString& s, int n);

// The last n characters of s (all of s when n reaches its length, empty when n <= 0).
QString TakeRight(const QString& s, int n);

// s from position start to its end (all of s when start <= 1, empty past the end).
QString TakeFrom(const QString& s, int start);

// s with its characters in reverse order.
QString ReverseText(const QString& s);

// Position of the first occurrence of part in s, or 0 (also when either is empty).
int FirstPos(const QString& part, const QString& s);

// Position where the rightmost occurrence of part in s begins, or 0. Occurrences may overlap.
int LastPos(const QString& part, const QString& s);

// s with every occurrence of find replaced, left to right and without overlap. The inserted
// text is never searched again; an empty find leaves s unchanged.
QString ReplaceAllText(const QString& s, const QString& find, const QString& replacement);

// s with the first letter of each word in upper case and all other letters in lower case. Only
// the ASCII letters are converted; a word starts at the beginning and after a WordStartSigns
// character.
QString CapitalizeWords(const QString& s);

// a when flag is set, else b.
QString ChooseText(bool flag, const QString& a, const QString& b);

// S with the letters a to z raised to A to Z; every other character stays as it is.
QString UpperCaseAscii(const QString& s);

// True when the given bit of value is 1. Bit 0 is the lowest; bit numbers are taken modulo 32.
bool BitIsSet(qint32 value, quint8 bit);

} // namespace General
