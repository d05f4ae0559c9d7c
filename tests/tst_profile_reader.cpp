// The settings reader on real files: names, blanks, quotes, comments, repeated names, line ends
// and the length limit.

#include "db/profile_reader.h"
#include "test_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString defaultValue() {
    return QStringLiteral("<default>");
}

// A value of the given length whose characters differ along it, so that a cut at the wrong
// place shows.
QByteArray longValue(int length) {
    QByteArray value;
    for (int i = 0; i < length; ++i) {
        value += char('a' + i % 26);
    }
    return value;
}

} // namespace

class ProfileReaderTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    QString writeSettings(const QByteArray& content) {
        return WriteTestFile(folder_.filePath(QStringLiteral("settings.ini")), content);
    }

private slots:
    void initTestCase() { QVERIFY(folder_.isValid()); }

    void readsValue_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QString s = QStringLiteral("S");
        const QString k = QStringLiteral("k");

        // Names
        QTest::newRow("plain value") << QByteArray("[Company List]\nSchooldb=x\n") << "Company List"
                                     << "Schooldb"
                                     << "x";
        QTest::newRow("section in the file in other case")
            << QByteArray("[company LIST]\nSchooldb=x\n") << "Company List"
            << "Schooldb"
            << "x";
        QTest::newRow("key in the file in other case")
            << QByteArray("[Company List]\nSCHOOLDB=x") << "Company List"
            << "Schooldb"
            << "x";
        QTest::newRow("names asked for in other case")
            << QByteArray("[Company List]\nSchooldb=x\n") << "COMPANY list"
            << "schoolDB"
            << "x";
        QTest::newRow("key of another section is not seen")
            << QByteArray("[T]\nk=1\n[S]\nj=2\n") << s << k << defaultValue();
        QTest::newRow("key before any section is not seen")
            << QByteArray("k=1\n[S]\nj=2\n") << s << k << defaultValue();
        QTest::newRow("section name that only begins the same")
            << QByteArray("[S2]\nk=1\n") << s << k << defaultValue();
        QTest::newRow("key name that only begins the same")
            << QByteArray("[S]\nkey=1\n") << s << k << defaultValue();

        // Blanks
        QTest::newRow("blanks and tabs around names and value")
            << QByteArray(" [ \tCompany List\t ] \n \t Schooldb \t=  \t x  y \t \n")
            << "Company List"
            << "Schooldb"
            << "x  y";
        QTest::newRow("indented key is a key of its own")
            << QByteArray("[S]\nj=1\n    k=2\n") << s << k << "2";
        QTest::newRow("text after the closing bracket")
            << QByteArray("[S] ; remark\nk=1\n") << s << k << "1";
        QTest::newRow("section header without closing bracket")
            << QByteArray("[S\nk=1\n") << s << k << "1";

        // Quotes
        QTest::newRow("double quotes keep blanks")
            << QByteArray("[S]\nk=\"  x  \"\n") << s << k << "  x  ";
        QTest::newRow("single quotes keep blanks")
            << QByteArray("[S]\nk=' x '\n") << s << k << " x ";
        QTest::newRow("blanks outside the quotes dropped")
            << QByteArray("[S]\nk=  \"x\"\t \n") << s << k << "x";
        QTest::newRow("only one pair of quotes goes")
            << QByteArray("[S]\nk=\"\"x\"\"\n") << s << k << "\"x\"";
        QTest::newRow("empty quotes") << QByteArray("[S]\nk=\"\"\n") << s << k << "";
        QTest::newRow("unmatched quotes stay") << QByteArray("[S]\nk=\"x'\n") << s << k << "\"x'";
        QTest::newRow("opening quote only") << QByteArray("[S]\nk=\"x\n") << s << k << "\"x";
        QTest::newRow("closing quote only") << QByteArray("[S]\nk=x'\n") << s << k << "x'";
        QTest::newRow("a single quote character") << QByteArray("[S]\nk=\"\n") << s << k << "\"";
        QTest::newRow("quotes inside the value stay")
            << QByteArray("[S]\nk=a\"b\"c\n") << s << k << "a\"b\"c";

        // Repeated names
        QTest::newRow("first key wins") << QByteArray("[S]\nk=1\nK=2\n") << s << k << "1";
        QTest::newRow("first section wins") << QByteArray("[S]\nk=1\n[s]\nk=2\n") << s << k << "1";
        QTest::newRow("repeated section is not merged")
            << QByteArray("[S]\nj=1\n[ s ]\nk=2\n") << s << k << defaultValue();
        QTest::newRow("other section between repeats")
            << QByteArray("[S]\nj=1\n[T]\nk=0\n[S]\nk=2\n") << s << k << defaultValue();

        // Comments and lines that are not keys
        QTest::newRow("semicolon comment") << QByteArray("[S]\n;k=1\nk=2\n") << s << k << "2";
        QTest::newRow("hash comment") << QByteArray("[S]\n#k=1\nk=2\n") << s << k << "2";
        QTest::newRow("indented comments")
            << QByteArray("[S]\n  ; k=1\n\t# k=3\nk=2\n") << s << k << "2";
        QTest::newRow("semicolon comment is no key of that name")
            << QByteArray("[S]\n;k=1\n") << s << ";k" << defaultValue();
        QTest::newRow("hash comment is no key of that name")
            << QByteArray("[S]\n  #k=1\n") << s << "#k" << defaultValue();
        QTest::newRow("commented-out section header")
            << QByteArray("[S]\n;[T]\nk=1\n") << s << k << "1";
        QTest::newRow("semicolon inside the value")
            << QByteArray("[S]\nk=\\\\SRV\\Data;D:\\Data\\school.fdb\n") << s << k
            << "\\\\SRV\\Data;D:\\Data\\school.fdb";
        QTest::newRow("semicolon after a blank inside the value")
            << QByteArray("[S]\nk=a ;b\n") << s << k << "a ;b";
        QTest::newRow("hash inside the value") << QByteArray("[S]\nk=a #b\n") << s << k << "a #b";
        QTest::newRow("line without equals is ignored")
            << QByteArray("[S]\nk\nk 1\nk=2\n") << s << k << "2";
        QTest::newRow("colon is no separator") << QByteArray("[S]\nk: 1\nk=2\n") << s << k << "2";
        QTest::newRow("equals inside the value") << QByteArray("[S]\nk=a=b\n") << s << k << "a=b";
        QTest::newRow("line with empty key does not disturb")
            << QByteArray("[S]\n=orphan\nk=1\n") << s << k << "1";
        QTest::newRow("empty key is never found")
            << QByteArray("[S]\n=orphan\nk=1\n") << s << "" << defaultValue();

        // Line ends and encoding
        QTest::newRow("CR LF line ends") << QByteArray("[S]\r\nj=0\r\nk=1\r\n") << s << k << "1";
        QTest::newRow("CR LF after a quoted value")
            << QByteArray("[S]\r\nk=\"x \"\r\n") << s << k << "x ";
        QTest::newRow("CR LF after the section header")
            << QByteArray("[S]  \r\nk=1") << s << k << "1";
        QTest::newRow("UTF-8 value") << QStringLiteral("[S]\nk=Sekolah Kébangsaan 学校\n").toUtf8()
                                     << s << k << QStringLiteral("Sekolah Kébangsaan 学校");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[S]\nk=1\n") << s << k << "1";

        // Empty and missing
        QTest::newRow("empty value is not missing") << QByteArray("[S]\nk=\nj=2\n") << s << k << "";
        QTest::newRow("blank value is empty") << QByteArray("[S]\nk= \t \n") << s << k << "";
        QTest::newRow("missing key") << QByteArray("[S]\nj=1\n") << s << k << defaultValue();
        QTest::newRow("missing section") << QByteArray("[T]\nk=1\n") << s << k << defaultValue();
        QTest::newRow("empty file") << QByteArray() << s << k << defaultValue();
        QTest::newRow("comments only") << QByteArray(";[S]\n#k=1\n") << s << k << defaultValue();

        // Length limit
        const QByteArray value = longValue(3000);
        const QString cut = QString::fromLatin1(value.left(2047));
        QTest::newRow("3000 characters cut to 2047")
            << QByteArray("[S]\nk=" + value + "\nj=1\n") << s << k << cut;
        QTest::newRow("cut after the quotes are removed")
            << QByteArray("[S]\nk=\"" + value + "\"\n") << s << k << cut;
        QTest::newRow("cut after the blanks are dropped")
            << QByteArray("[S]\nk=     " + value + "\n") << s << k << cut;
        QTest::newRow("2047 characters kept whole")
            << QByteArray("[S]\nk=" + value.left(2047) + "\n") << s << k << cut;
        QTest::newRow("2048 characters lose the last")
            << QByteArray("[S]\nk=" + value.left(2048) + "\n") << s << k << cut;
        const QString beforeEmoji = QString(2046, QLatin1Char('a'));
        QTest::newRow("cut never splits a character in two")
            << (QStringLiteral("[S]\nk=") + beforeEmoji + QStringLiteral("\U0001F600b\n")).toUtf8()
            << s << k << beforeEmoji;
    }
    void readsValue() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(db::ReadProfileString(writeSettings(content), section, key, defaultValue()),
                 expected);
    }

    // Whatever cannot be read as a file gives the default, without an error.
    void unreadableSourceGivesDefault_data() {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("missing file") << folder_.filePath(QStringLiteral("missing.ini"));
        QTest::newRow("file in a missing folder")
            << folder_.filePath(QStringLiteral("no-such-folder/settings.ini"));
        QTest::newRow("a folder") << folder_.path();
        QTest::newRow("empty file name") << QString();
    }
    void unreadableSourceGivesDefault() {
        QFETCH(QString, fileName);
        QCOMPARE(db::ReadProfileString(fileName, QStringLiteral("S"), QStringLiteral("k"),
                                       defaultValue()),
                 defaultValue());
    }
};

QTEST_GUILESS_MAIN(ProfileReaderTest)
#include "tst_profile_reader.moc"
