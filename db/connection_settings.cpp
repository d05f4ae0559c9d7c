#include "connection_settings.h"

#include "common/general_text.h"
#include "platform/computer_name.h"
#include "platform/errors.h"
#include "profile_reader.h"

#include <QRandomGenerator>
#include <array>

namespace db {

namespace {

// The computer name was read into a 20-byte buffer, terminating zero included.
constexpr qsizetype ComputerNameBufferBytes = 20;

// Blanks and control characters (codes up to 32) dropped at both ends.
QString trimmedOfControls(QStringView text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first].unicode() <= 32) {
        ++first;
    }
    while (end > first && text[end - 1].unicode() <= 32) {
        --end;
    }
    return text.sliced(first, end - first).toString();
}

// The drive part of a network path \\host\share\more: "\\host\share", up to the end of the
// share name. Without a share name (\\host, \\host\, \\host\\more) it is "\\host" alone.
QString networkDrivePart(const QString& path) {
    const qsizetype hostEnd = path.indexOf(u'\\', 2);
    if (hostEnd < 0) {
        return path;
    }
    qsizetype shareEnd = path.indexOf(u'\\', hostEnd + 1);
    if (shareEnd < 0) {
        shareEnd = path.size();
    }
    return path.first(shareEnd == hostEnd + 1 ? hostEnd : shareEnd);
}

bool isPrintableAscii(QChar c) {
    return c.unicode() >= 0x20 && c.unicode() <= 0x7E;
}

// The scrambled forms a filler character may take: printable, and no blank, quote, ";" or "#",
// characters that someone editing the settings file by hand could take for a value's end, its
// quoting or a comment.
constexpr auto FillerForms = [] {
    std::array<char16_t, 0x7E - 0x21 + 1 - 4> forms{};
    std::size_t count = 0;
    for (char16_t c = 0x21; c <= 0x7E; ++c) {
        if (c != u'"' && c != u'\'' && c != u';' && c != u'#') {
            forms[count++] = c;
        }
    }
    return forms;
}();

QChar randomFiller(QRandomGenerator& random) {
    const char16_t form = FillerForms[random.bounded(quint32(FillerForms.size()))];
    // Stored unmasked: masking the whole text at the end turns it into form.
    return QChar(char16_t(form ^ PasswordMask));
}

void checkScramblable(const QString& password) {
    for (qsizetype i = 0; i < password.size(); ++i) {
        if (!isPrintableAscii(password[i])) {
            throw platform::InputError(
                QStringLiteral("The password holds a character that is not printable ASCII "
                               "(blank to \"~\") at position %1; the settings file can only "
                               "carry those.")
                    .arg(i + 1));
        }
    }
    if (password.size() > MaxPasswordLength) {
        throw platform::InputError(
            QStringLiteral("The password has %1 characters; the settings file carries at most %2.")
                .arg(password.size())
                .arg(MaxPasswordLength));
    }
    if (!password.isEmpty() && (password.front() == u' ' || password.back() == u' ')) {
        throw platform::InputError(
            QStringLiteral("The password begins or ends with a blank; the loader drops blanks at "
                           "both ends when it reads the password, so it would not log on."));
    }
}

} // namespace

QString SettingsFileName(const QString& executablePath) {
    const int slash = General::LastPos(QStringLiteral("/"), executablePath);
    const QString folder = General::TakeLeft(executablePath, slash);
    const QString name = General::TakeFrom(executablePath, slash + 1);
    const QString exe = QStringLiteral(".exe");
    const QString ini = QStringLiteral(".ini");
    if (General::FirstPos(exe, name) == 0) {
        return folder + name + ini;
    }
    return folder + General::ReplaceAllText(name, exe, ini);
}

QString UncHostName(const QString& text) {
    // Any other text would be expanded against the current folder, and on Linux that never
    // yields a network path.
    if (!text.startsWith(QStringLiteral("\\\\"))) {
        return {};
    }
    const QString drive = networkDrivePart(text);
    const int lastBackslash = General::LastPos(QStringLiteral("\\"), drive);
    return General::CopyText(drive, 3, lastBackslash - 3);
}

QString ComputerNameFrom(const QString& systemName) {
    if (systemName.toUtf8().size() >= ComputerNameBufferBytes) {
        return {};
    }
    const qsizetype zero = systemName.indexOf(QChar(u'\0'));
    return trimmedOfControls(zero < 0 ? QStringView(systemName)
                                      : QStringView(systemName).first(zero));
}

QString ComputerName() {
    return ComputerNameFrom(platform::SystemComputerName());
}

QString UnmaskText(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        c = QChar(char16_t(c.unicode() ^ PasswordMask));
    }
    return result;
}

QString DecodePassword(const QString& scrambled) {
    const QString unmasked = UnmaskText(scrambled);
    QString password;
    for (int i = 1; i <= MaxPasswordLength; ++i) {
        password += General::CopyText(unmasked, 2 * i - 1, 1);
    }
    return trimmedOfControls(password);
}

QString ScramblePassword(const QString& password, QRandomGenerator& random) {
    checkScramblable(password);
    QString plain;
    if (password.isEmpty()) {
        plain += QChar(u' ');
        plain += randomFiller(random);
    }
    for (const QChar c : password) {
        plain += c;
        plain += randomFiller(random);
    }
    return UnmaskText(plain);
}

QString QuotedSettingsValue(const QString& value) {
    return QLatin1Char('"') + value + QLatin1Char('"');
}

ConnectionSettings ReadConnectionSettings(const QString& settingsFile,
                                          const QString& computerName) {
    const QString location = ReadProfileString(settingsFile, QStringLiteral("Company List"),
                                               QStringLiteral("Schooldb"), QString());
    // A second ";" stays in the path; blanks around the first one are kept.
    const int separator = General::FirstPos(QStringLiteral(";"), location);
    const QString serverPart = General::TakeLeft(location, separator - 1);
    const QString databasePath = General::TakeFrom(location, separator + 1);
    const QString scrambledPassword = ReadProfileString(settingsFile, QStringLiteral("DEFAULT"),
                                                        QStringLiteral("SYSDBA"), QString());

    const QString networkHost = UncHostName(serverPart);
    QString host = General::ChooseText(networkHost.isEmpty(), computerName, networkHost);
    // A computer whose name is too long to read is still this computer: an empty host would
    // make the database client take the whole text for a file name and fail every time.
    if (host.isEmpty()) {
        host = QStringLiteral("localhost");
    }
    return {host + QLatin1Char(':') +
                General::ReplaceAllText(databasePath, QStringLiteral("\\"), QStringLiteral("/")),
            DecodePassword(scrambledPassword)};
}

} // namespace db
