// The terminal options of the settings file: section [Terminal], read from real files.

#include "platform/errors.h"
#include "terminal/network/terminal_options.h"
#include "test_helpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using terminal::TerminalOptions;
using terminal::TerminalTransport;

class TerminalOptionsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    QString writeSettings(const QByteArray& content) {
        return WriteTestFile(folder_.filePath(QStringLiteral("loader.ini")), content);
    }

private slots:
    void initTestCase() { QVERIFY(folder_.isValid()); }

    void readsTheSection_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("commKey"); // -1: none
        QTest::addColumn<int>("transport");
        QTest::addColumn<bool>("clear");

        const auto automatic = int(TerminalTransport::Auto);
        const auto tcp = int(TerminalTransport::Tcp);
        const auto udp = int(TerminalTransport::Udp);
        const QByteArray other = "[Company List]\nSchool=a:b\n";
        QTest::newRow("no section") << other << qint64(-1) << automatic << false;
        QTest::newRow("empty section") << other + "[Terminal]\n"
                                       << qint64(-1) << automatic << false;
        QTest::newRow("everything set")
            << other + "[Terminal]\nCommKey=123456\nTransport=udp\nClearAfterLoad=1\n"
            << qint64(123456) << udp << true;
        QTest::newRow("names in any case, blanks around")
            << QByteArray("[terminal]\n commkey = 0 \nTRANSPORT = TCP\nclearafterload=0\n")
            << qint64(0) << tcp << false;
        QTest::newRow("largest key") << QByteArray("[Terminal]\nCommKey=4294967295\n")
                                     << qint64(4294967295LL) << automatic << false;
        QTest::newRow("auto by name")
            << QByteArray("[Terminal]\nTransport=Auto\n") << qint64(-1) << automatic << false;
        QTest::newRow("empty values are defaults")
            << QByteArray("[Terminal]\nCommKey=\nTransport=\nClearAfterLoad=\n") << qint64(-1)
            << automatic << false;
    }
    void readsTheSection() {
        QFETCH(QByteArray, content);
        QFETCH(qint64, commKey);
        QFETCH(int, transport);
        QFETCH(bool, clear);

        const TerminalOptions options = terminal::ReadTerminalOptions(writeSettings(content));
        QCOMPARE(options.commKey.has_value(), commKey >= 0);
        if (commKey >= 0) {
            QCOMPARE(qint64(*options.commKey), commKey);
        }
        QCOMPARE(int(options.transport), transport);
        QCOMPARE(options.clearAfterLoad, clear);
    }

    void missingFileGivesDefaults() {
        const TerminalOptions options =
            terminal::ReadTerminalOptions(folder_.filePath(QStringLiteral("absent.ini")));
        QVERIFY(!options.commKey.has_value());
        QCOMPARE(options.transport, TerminalTransport::Auto);
        QVERIFY(!options.clearAfterLoad);
    }

    void malformedValueIsAnInputError_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("key");
        QTest::newRow("key with letters") << QByteArray("CommKey=12ab") << "CommKey";
        QTest::newRow("negative key") << QByteArray("CommKey=-1") << "CommKey";
        QTest::newRow("key beyond 32 bits") << QByteArray("CommKey=4294967296") << "CommKey";
        QTest::newRow("key with sign") << QByteArray("CommKey=+5") << "CommKey";
        QTest::newRow("unknown transport") << QByteArray("Transport=serial") << "Transport";
        QTest::newRow("clear as word") << QByteArray("ClearAfterLoad=yes") << "ClearAfterLoad";
        QTest::newRow("clear as 2") << QByteArray("ClearAfterLoad=2") << "ClearAfterLoad";
    }
    void malformedValueIsAnInputError() {
        QFETCH(QByteArray, line);
        QFETCH(QString, key);
        const QString path = writeSettings("[Terminal]\n" + line + "\n");
        try {
            terminal::ReadTerminalOptions(path);
            QFAIL("the malformed value was taken");
        } catch (const platform::InputError& error) {
            const QString value = QString::fromUtf8(line.mid(line.indexOf('=') + 1));
            QVERIFY2(error.text().contains(key) && error.text().contains(value) &&
                         error.text().contains(path),
                     qPrintable(error.text()));
        }
    }
};

QTEST_GUILESS_MAIN(TerminalOptionsTest)
#include "tst_terminal_options.moc"
