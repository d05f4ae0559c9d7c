// Where the loader finds its database and how it logs on: the settings file's name, the host
// of a network server part, the computer name, the stored password, and the connect string
// and password read from real settings files.

#include "db/connection_settings.h"
#include "platform/errors.h"
#include "test_helpers.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

// The mask of the settings files in use; written out here so that a change of the loader's
// constant shows as a failure rather than being followed by the tests.
constexpr char16_t ExistingFilesMask = 0x1F;

QString thisComputer() {
    return QStringLiteral("THISPC");
}

// The stored form of a text whose unmasked characters are plain.
QString maskedForm(const QString& plain) {
    QString result = plain;
    for (QChar& c : result) {
        c = QChar(char16_t(c.unicode() ^ ExistingFilesMask));
    }
    return result;
}

QByteArray storedPassword(const QString& plain) {
    return maskedForm(plain).toUtf8();
}

QString repeated(char c, int count) {
    return QString(count, QLatin1Char(c));
}

// A password the scrambler accepts: 0 to 16 printable ASCII characters, no blank at either end.
QString randomPassword(QRandomGenerator& random) {
    const int length = int(random.bounded(17u));
    QString password;
    for (int i = 0; i < length; ++i) {
        const bool atEnd = i == 0 || i == length - 1;
        const char16_t lowest = atEnd ? 0x21 : 0x20;
        password += QChar(char16_t(lowest + random.bounded(0x7Fu - lowest)));
    }
    return password;
}

} // namespace

class ConnectionSettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    QString writeSettings(const QByteArray& content) {
        return WriteTestFile(folder_.filePath(QStringLiteral("load.ini")), content);
    }

    // The settings the loader reads back from a file that stores scrambled in the form the
    // scramble-password tool prints.
    db::ConnectionSettings readBackStored(const QString& scrambled) {
        const QByteArray content = "[Company List]\nSchooldb=\\\\SRV\\Data;D:\\Data\\school.fdb\n"
                                   "[DEFAULT]\nSYSDBA=" +
                                   db::QuotedSettingsValue(scrambled).toUtf8() + "\n";
        return db::ReadConnectionSettings(writeSettings(content), thisComputer());
    }

    void verifyComesBack(const QString& password, QRandomGenerator& random) {
        const QString scrambled = db::ScramblePassword(password, random);
        verifyScrambledShape(password, scrambled);
        if (QTest::currentTestFailed()) {
            return;
        }
        const db::ConnectionSettings settings = readBackStored(scrambled);
        QCOMPARE(settings.password, password);
        QCOMPARE(settings.connectString, QStringLiteral("SRV:D:/Data/school.fdb"));
    }

    // What a scrambled text must look like: two characters per password character (two for an
    // empty password), every filler a printable character that means nothing to the settings
    // reader, every character printable ASCII or DEL.
    static void verifyScrambledShape(const QString& password, const QString& scrambled) {
        QCOMPARE(scrambled.size(), 2 * std::max<qsizetype>(password.size(), 1));
        for (qsizetype i = 0; i < scrambled.size(); ++i) {
            const char16_t c = scrambled[i].unicode();
            QVERIFY2(c >= 0x20 && c <= 0x7F, qPrintable(QStringLiteral("position %1").arg(i + 1)));
            if (i % 2 == 1) {
                QVERIFY2(c != u' ' && c != u'"' && c != u'\'' && c != u';' && c != u'#' &&
                             c != 0x7F,
                         qPrintable(QStringLiteral("filler at %1 is %2").arg(i + 1).arg(c)));
            }
        }
    }

private slots:
    void initTestCase() { QVERIFY(folder_.isValid()); }

    void settingsFileName_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("load.exe") << "/opt/x/load.exe"
                                  << "/opt/x/load.ini";
        QTest::newRow(".exe twice") << "/opt/x/a.exe.exe"
                                    << "/opt/x/a.ini.ini";
        QTest::newRow("Linux executable") << "/opt/x/attendance-loader"
                                          << "/opt/x/attendance-loader.ini";
        QTest::newRow("capitals") << "/opt/x/LOAD.EXE"
                                  << "/opt/x/LOAD.EXE.ini";
        QTest::newRow("mixed case") << "/opt/x/Load.Exe"
                                    << "/opt/x/Load.Exe.ini";
        QTest::newRow(".exe inside the name") << "/opt/x/my.exec"
                                              << "/opt/x/my.inic";
        QTest::newRow(".exe in the folder only") << "/opt/x.exe/load"
                                                 << "/opt/x.exe/load.ini";
        QTest::newRow(".exe in folder and name") << "/opt/x.exe/load.exe"
                                                 << "/opt/x.exe/load.ini";
        QTest::newRow("no folder") << "load.exe"
                                   << "load.ini";
    }
    void settingsFileName() {
        QFETCH(QString, executable);
        QFETCH(QString, expected);
        QCOMPARE(db::SettingsFileName(executable), expected);
    }

    void uncHostName_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("host, share and folder") << "\\\\SRV\\Data\\School"
                                                << "SRV";
        QTest::newRow("host and share") << "\\\\SRV\\Data"
                                        << "SRV";
        QTest::newRow("share with a trailing backslash") << "\\\\SRV\\Data\\"
                                                         << "SRV";
        QTest::newRow("address as host") << "\\\\192.168.1.5\\Data"
                                         << "192.168.1.5";
        QTest::newRow("blank after the share") << "\\\\SRV\\Data "
                                               << "SRV";
        QTest::newRow("host alone") << "\\\\SRV"
                                    << "";
        QTest::newRow("nothing after the host's backslash") << "\\\\SRV\\"
                                                            << "";
        QTest::newRow("empty share name") << "\\\\SRV\\\\Data"
                                          << "";
        QTest::newRow("empty host") << "\\\\\\Data"
                                    << "";
        QTest::newRow("two backslashes only") << "\\\\"
                                              << "";
        QTest::newRow("drive path") << "C:\\Data"
                                    << "";
        QTest::newRow("bare host") << "SRV"
                                   << "";
        QTest::newRow("bare address") << "192.168.1.5"
                                      << "";
        QTest::newRow("Linux path") << "/srv/data"
                                    << "";
        QTest::newRow("slashes instead of backslashes") << "//SRV/Data"
                                                        << "";
        QTest::newRow("one backslash") << "\\SRV\\Data"
                                       << "";
        QTest::newRow("blank before the backslashes") << " \\\\SRV\\Data"
                                                      << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void uncHostName() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(db::UncHostName(text), expected);
    }

    void computerNameFrom_data() {
        QTest::addColumn<QString>("systemName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordinary name") << "SCHOOL-PC"
                                       << "SCHOOL-PC";
        QTest::newRow("19 characters kept") << "ABCDEFGHIJKLMNOPQRS"
                                            << "ABCDEFGHIJKLMNOPQRS";
        QTest::newRow("20 characters cannot be read") << "ABCDEFGHIJKLMNOPQRST"
                                                      << "";
        QTest::newRow("64 characters cannot be read") << repeated('h', 64) << "";
        QTest::newRow("19 characters but 20 bytes")
            << repeated('A', 18) + QStringLiteral("é") << "";
        QTest::newRow("18 characters in 19 bytes")
            << repeated('A', 17) + QStringLiteral("é") << repeated('A', 17) + QStringLiteral("é");
        QTest::newRow("blanks and controls trimmed") << " \t PC\x01\x1f \n"
                                                     << "PC";
        QTest::newRow("inner blank kept") << " PC 1 "
                                          << "PC 1";
        QTest::newRow("name ends at a zero") << QString::fromUtf8("PC \0rest", 8) << "PC";
        QTest::newRow("trailing blanks within 19 bytes") << "PC" + repeated(' ', 17) << "PC";
        QTest::newRow("empty") << ""
                               << "";
    }
    void computerNameFrom() {
        QFETCH(QString, systemName);
        QFETCH(QString, expected);
        QCOMPARE(db::ComputerNameFrom(systemName), expected);
    }

    void computerNameIsTheHostNameByTheRule() {
        QCOMPARE(db::ComputerName(), db::ComputerNameFrom(QSysInfo::machineHostName()));
    }

    void unmaskText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letters") << "abc"
                                 << "~}|";
        QTest::newRow("blank and question mark") << " ?"
                                                 << "? ";
        QTest::newRow("backquote becomes DEL") << "`"
                                               << "\x7f";
        QTest::newRow("digits") << "09"
                                << "/&";
        QTest::newRow("above U+00FF: low byte only")
            << QStringLiteral("\u5B66") << QStringLiteral("\u5B79");
        QTest::newRow("empty") << ""
                               << "";
    }
    void unmaskText() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(db::UnmaskText(text), expected);
        QCOMPARE(db::UnmaskText(expected), text);
    }

    void unmaskTextIsItsOwnInverseForEveryCodeUnit() {
        QString all;
        for (int code = 0; code <= 0xFFFF; ++code) {
            all += QChar(char16_t(code));
        }
        const QString once = db::UnmaskText(all);
        QCOMPARE(once.size(), all.size());
        QCOMPARE(db::UnmaskText(once), all);
        for (qsizetype i = 0; i < all.size(); ++i) {
            QCOMPARE(once[i].isHighSurrogate(), all[i].isHighSurrogate());
            QCOMPARE(once[i].isLowSurrogate(), all[i].isLowSurrogate());
        }
    }

    // Inputs are written unmasked, filler as "_", and masked by the test.
    void decodePassword_data() {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("expected");
        QTest::newRow("password with filler") << "s_e_c_r_e_t_"
                                              << "secret";
        QTest::newRow("filler is ignored whatever it is") << "sxe\"c;r#e t'"
                                                          << "secret";
        QTest::newRow("no filler after the last character") << "a_b"
                                                            << "ab";
        QTest::newRow("one character") << "a"
                                       << "a";
        QTest::newRow("16 characters in 32") << "0_1_2_3_4_5_6_7_8_9_A_B_C_D_E_F_"
                                             << "0123456789ABCDEF";
        QTest::newRow("beyond position 31 nothing counts")
            << "0_1_2_3_4_5_6_7_8_9_A_B_C_D_E_F_GxHxI"
            << "0123456789ABCDEF";
        QTest::newRow("31 characters") << "0_1_2_3_4_5_6_7_8_9_A_B_C_D_E_F"
                                       << "0123456789ABCDEF";
        QTest::newRow("blanks at the ends dropped") << " _a_ _b_ _"
                                                    << "a b";
        QTest::newRow("controls at the ends dropped") << "\t_a_\x01_"
                                                      << "a";
        QTest::newRow("blank-only password is empty") << " _ _"
                                                      << "";
        QTest::newRow("backquote") << "`_`_"
                                   << "``";
        QTest::newRow("empty") << ""
                               << "";
    }
    void decodePassword() {
        QFETCH(QString, plain);
        QFETCH(QString, expected);
        QCOMPARE(db::DecodePassword(maskedForm(plain)), expected);
    }

    void scrambledPasswordComesBack_data() {
        QTest::addColumn<QString>("password");
        QTest::newRow("empty") << "";
        QTest::newRow("ordinary") << "masterkey";
        QTest::newRow("16 characters") << "0123456789abcdef";
        QTest::newRow("double quote") << "\"";
        QTest::newRow("single quote") << "'";
        QTest::newRow("quotes at both ends") << "\"x\"";
        QTest::newRow("unmatched quotes") << "'x\"";
        QTest::newRow("comment signs") << ";#x;#";
        QTest::newRow("backquotes") << "```";
        QTest::newRow("inner blanks") << "a  b c";
        QTest::newRow("backslashes") << "\\\\SRV\\";
        QTest::newRow("INI punctuation") << "[x]=y";
        QTest::newRow("every block of 32") << "!A`a~";
    }
    void scrambledPasswordComesBack() {
        QFETCH(QString, password);
        QRandomGenerator random(7);
        for (int round = 0; round < 20 && !QTest::currentTestFailed(); ++round) {
            verifyComesBack(password, random);
        }
    }

    void randomPasswordsComeBack() {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 2500 && !QTest::currentTestFailed(); ++round) {
            const QString password = randomPassword(random);
            verifyComesBack(password, random);
        }
    }

    void scrambleRefuses_data() {
        QTest::addColumn<QString>("password");
        QTest::newRow("17 characters") << "0123456789abcdefg";
        QTest::newRow("leading blank") << " secret";
        QTest::newRow("trailing blank") << "secret ";
        QTest::newRow("a blank alone") << " ";
        QTest::newRow("tab") << "sec\tret";
        QTest::newRow("line end") << "sec\nret";
        QTest::newRow("zero character") << QString::fromUtf8("sec\0ret", 7);
        QTest::newRow("DEL") << "sec\x7fret";
        QTest::newRow("non-ASCII") << QStringLiteral("sécret");
        QTest::newRow("outside the 8-bit range") << QStringLiteral("学校");
    }
    void scrambleRefuses() {
        QFETCH(QString, password);
        QRandomGenerator random(1);
        QVERIFY_THROWS_EXCEPTION(platform::InputError, db::ScramblePassword(password, random));
    }

    void readConnectionSettings_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("connectString");
        QTest::addColumn<QString>("password");

        const QByteArray list = "[Company List]\nSchooldb=";
        const QByteArray passwordSection =
            "\n[DEFAULT]\nSYSDBA=" + storedPassword(QStringLiteral("m_a_s_t_e_r_")) + "\n";

        QTest::newRow("network server part")
            << list + "\\\\SRV\\Data;D:\\Data\\school.fdb" + passwordSection
            << "SRV:D:/Data/school.fdb"
            << "master";
        QTest::newRow("deeper network path") << list + "\\\\SRV\\Data\\School;D:\\x.fdb\n"
                                             << "SRV:D:/x.fdb"
                                             << "";
        QTest::newRow("no separator: all of it is the path")
            << list + "D:\\Data\\school.fdb\n"
            << thisComputer() + ":D:/Data/school.fdb"
            << "";
        QTest::newRow("no separator, Linux path") << list + "/srv/firebird/school.fdb\n"
                                                  << thisComputer() + ":/srv/firebird/school.fdb"
                                                  << "";
        QTest::newRow("bare host") << list + "SRV;x\n"
                                   << thisComputer() + ":x"
                                   << "";
        QTest::newRow("bare address") << list + "192.168.1.5;x\n"
                                      << thisComputer() + ":x"
                                      << "";
        QTest::newRow("network host without share") << list + "\\\\SRV;x\n"
                                                    << thisComputer() + ":x"
                                                    << "";
        QTest::newRow("network host and backslash") << list + "\\\\SRV\\;x\n"
                                                    << thisComputer() + ":x"
                                                    << "";
        QTest::newRow("path with slashes unchanged") << list + "\\\\SRV\\Data;D:/Data/s.fdb\n"
                                                     << "SRV:D:/Data/s.fdb"
                                                     << "";
        QTest::newRow("second separator stays in the path") << list + "\\\\SRV\\Data;D:\\a;b.fdb\n"
                                                            << "SRV:D:/a;b.fdb"
                                                            << "";
        QTest::newRow("blank after the separator kept") << list + "\\\\SRV\\Data; D:\\x.fdb\n"
                                                        << "SRV: D:/x.fdb"
                                                        << "";
        QTest::newRow("blank before the separator") << list + "\\\\SRV\\Data ;D:\\x.fdb\n"
                                                    << "SRV:D:/x.fdb"
                                                    << "";
        QTest::newRow("empty server part") << list + ";D:\\x.fdb\n"
                                           << thisComputer() + ":D:/x.fdb"
                                           << "";
        QTest::newRow("empty path") << list + "\\\\SRV\\Data;\n"
                                    << "SRV:"
                                    << "";
        QTest::newRow("empty value") << list + "\n"
                                     << thisComputer() + ":"
                                     << "";
        QTest::newRow("quoted value") << list + "\"\\\\SRV\\Data;D:\\x.fdb\"\n"
                                      << "SRV:D:/x.fdb"
                                      << "";
        QTest::newRow("quoted value with a leading blank")
            << list + "\" \\\\SRV\\Data;D:\\x.fdb\"\n"
            << thisComputer() + ":D:/x.fdb"
            << "";
        QTest::newRow("names in other letter case")
            << QByteArray("[company LIST]\nSCHOOLDB=\\\\SRV\\Data;D:\\x.fdb\n[default]\nsysdba=") +
                   storedPassword(QStringLiteral("k_e_y_"))
            << "SRV:D:/x.fdb"
            << "key";
        QTest::newRow("missing section")
            << QByteArray("[DEFAULT]\nSchooldb=SRV;x\n") << thisComputer() + ":"
            << "";
        QTest::newRow("missing key")
            << QByteArray("[Company List]\nSchool=\\\\SRV\\Data;x\n") << thisComputer() + ":"
            << "";
        QTest::newRow("password beyond 16 characters ignored")
            << list + "x" + "\n[DEFAULT]\nSYSDBA=" +
                   storedPassword(QStringLiteral("0_1_2_3_4_5_6_7_8_9_A_B_C_D_E_F_G_H_"))
            << thisComputer() + ":x"
            << "0123456789ABCDEF";
        QTest::newRow("password key missing") << list + "x\n[DEFAULT]\nUSER=SYSDBA\n"
                                              << thisComputer() + ":x"
                                              << "";
    }
    void readConnectionSettings() {
        QFETCH(QByteArray, content);
        QFETCH(QString, connectString);
        QFETCH(QString, password);
        const db::ConnectionSettings settings =
            db::ReadConnectionSettings(writeSettings(content), thisComputer());
        QCOMPARE(settings.connectString, connectString);
        QCOMPARE(settings.password, password);
    }

    void missingSettingsFileGivesComputerNameAlone() {
        const QString executable = folder_.filePath(QStringLiteral("LOAD.EXE"));
        const db::ConnectionSettings settings =
            db::ReadConnectionSettings(db::SettingsFileName(executable), thisComputer());
        QCOMPARE(settings.connectString, thisComputer() + QStringLiteral(":"));
        QCOMPARE(settings.password, QString());
    }

    // A computer name too long to be read leaves the local computer as localhost, not as an
    // empty host the database client would take for part of a file name.
    void unreadableComputerNameMeansLocalhost() {
        const QString file = writeSettings("[Company List]\nSchooldb=D:\\x.fdb\n");
        const QString longName = QStringLiteral("ip-172-31-22-117.ec2.internal");
        QCOMPARE(db::ReadConnectionSettings(file, db::ComputerNameFrom(longName)).connectString,
                 QStringLiteral("localhost:D:/x.fdb"));
        QCOMPARE(db::ReadConnectionSettings(file, QStringLiteral("SCHOOLPC")).connectString,
                 QStringLiteral("SCHOOLPC:D:/x.fdb"));
    }
};

QTEST_GUILESS_MAIN(ConnectionSettingsTest)
#include "tst_connection_settings.moc"
