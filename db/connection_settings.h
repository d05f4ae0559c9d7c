#pragma once

#include <QString>

class QRandomGenerator;

namespace db {

// The settings file beside the executable: its folder, then its file name with every ".exe"
// (in exactly these lower-case letters) turned into ".ini". A name without ".exe" - every Linux
// executable, and LOAD.EXE in capitals - gets ".ini" appended instead, so that the program never
// reads its own binary as settings.
QString SettingsFileName(const QString& executablePath);

// The host named by a server part in the Windows network form \\host\share[\more]: the text
// between the leading "\\" and the "\" before the share name. Settings files copied from the
// school's Windows machines hold these. A text without a share name (\\SRV, \\SRV\), and any
// text not beginning with "\\" - a bare host name or address, a drive path, a Linux path, an
// empty text - gives an empty result: on Linux no local path lies on a network share.
QString UncHostName(const QString& text);

// The computer name as the loader sees it: the system's name read into a buffer of 20 bytes,
// terminating zero included, so a name of 20 or more bytes (counted in UTF-8) cannot be read
// and gives an empty text; otherwise the name up to its first zero character, with blanks and
// control characters (codes up to 32) dropped at both ends.
QString ComputerNameFrom(const QString& systemName);

// ComputerNameFrom applied to this computer's name.
QString ComputerName();

// The one-byte mask of the stored password, shared with every settings file already in use.
// XOR with a value below 0x20 keeps each printable ASCII character inside its block of 32
// codes, so a scrambled password stays printable text in the settings file; the only exception
// is "`" (0x60), which becomes DEL and practically never occurs in a password.
constexpr unsigned char PasswordMask = 0x1F;

// The longest password the scrambled form can carry: it sits at the 16 odd positions 1 to 31.
constexpr int MaxPasswordLength = 16;

// A copy of text with each character's code XOR-ed with PasswordMask; the length is unchanged,
// and applying it twice gives the text back. For a character above U+00FF (no scrambled
// password holds one) only the low byte changes, so a surrogate stays a surrogate of its kind.
QString UnmaskText(const QString& text);

// The password carried by a scrambled text: the unmasked characters at positions 1, 3, ..., 31
// (positions beyond the end add nothing), with blanks and control characters (codes up to 32)
// dropped at both ends.
QString DecodePassword(const QString& scrambled);

// The scrambled form of password, which DecodePassword turns back into it: the password's
// characters at the odd positions, a random filler character after each of them (an empty
// password gets a blank, which decoding drops, and one filler), the whole text masked. Every
// filler's scrambled form is a printable character other than a blank, a quote, ";" or "#".
// Throws platform::InputError for a password that could not come back unchanged: longer than
// MaxPasswordLength, holding a character outside printable ASCII (blank to "~"), or beginning
// or ending with a blank.
QString ScramblePassword(const QString& password, QRandomGenerator& random);

// value enclosed in double quotes, as it is written into the settings file: the settings
// reader drops the quotes and keeps everything between them, blanks at the ends included.
QString QuotedSettingsValue(const QString& value);

// Where the database is and how to log on to it.
struct ConnectionSettings {
    QString connectString; // host:path, the database client's remote form
    QString password;      // of the database user SYSDBA, decoded
};

// Reads the settings file: "Schooldb" of section "Company List" holds the server part and the
// database path separated by the first ";" (the whole value is the path when it has none);
// "SYSDBA" of section "DEFAULT" holds the scrambled password. The host is the server part's
// network host, or computerName when it names none (localhost when that is empty too); every
// "\" of the path becomes "/". A missing
// file, section or key reads as an empty value, so the connect string is then computerName
// followed by ":". Nothing is reported.
ConnectionSettings ReadConnectionSettings(const QString& settingsFile, const QString& computerName);

} // namespace db
