#pragma once

#include <QString>

namespace db {

// One value of an INI settings file, read the way the loader's settings files have always been
// read:
// - section and key names compare without regard to letter case;
// - blanks and tabs around section names, key names and values are dropped;
// - a value enclosed in a matching pair of quotes (both " or both ') loses that one pair, so
//   quotes keep blanks at the ends of a value;
// - the first section of the name counts and, within it, the first key of the name; a later
//   section of the same name is not looked at;
// - a line whose first non-blank character is ";" or "#" is a comment; a ";" further on in a
//   line is part of the value;
// - a line without "=" is ignored, and so is one with nothing before its "=";
// - lines end in LF or CR LF; the file is UTF-8 text, a leading byte-order mark is skipped;
// - at most 2047 characters of a value are returned.
// A missing or unreadable file, section or key gives defaultValue. Nothing is reported.
QString ReadProfileString(const QString& fileName, const QString& section, const QString& key,
                          const QString& defaultValue);

} // namespace db
