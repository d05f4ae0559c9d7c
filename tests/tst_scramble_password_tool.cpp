// The scramble-password tool as a real process: what it prints goes into a real settings file
// and must come back as the password; what it refuses ends with exit code 2 and a reason.

#include "db/connection_settings.h"
#include "test_helpers.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int ToolTimeoutMs = 30000;

struct ToolRun {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

ToolRun runTool(const QByteArray& input) {
    QProcess tool;
    tool.start(QStringLiteral(SCRAMBLE_TOOL), QStringList());
    if (!tool.waitForStarted(ToolTimeoutMs)) {
        qFatal("cannot start %s", SCRAMBLE_TOOL);
    }
    tool.write(input);
    tool.closeWriteChannel();
    if (!tool.waitForFinished(ToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit) {
        qFatal("%s did not end normally", SCRAMBLE_TOOL);
    }
    return {tool.exitCode(), tool.readAllStandardOutput(), tool.readAllStandardError()};
}

} // namespace

class ScramblePasswordToolTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    QString writeSettings(const QByteArray& content) {
        return WriteTestFile(folder_.filePath(QStringLiteral("load.ini")), content);
    }

private slots:
    void initTestCase() { QVERIFY(folder_.isValid()); }

    void printedValueGivesThePasswordBack_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("password");
        QTest::newRow("line end") << QByteArray("masterkey\n") << "masterkey";
        QTest::newRow("CR LF line end") << QByteArray("masterkey\r\n") << "masterkey";
        QTest::newRow("no line end") << QByteArray("masterkey") << "masterkey";
        QTest::newRow("only the first line counts") << QByteArray("first\nsecond\n") << "first";
        QTest::newRow("empty line is an empty password") << QByteArray("\n") << "";
        QTest::newRow("quotes, blanks and comment signs")
            << QByteArray("\"a 'b ;#c\"\n") << "\"a 'b ;#c\"";
        QTest::newRow("backquotes and backslashes") << QByteArray("`\\x`\n") << "`\\x`";
        QTest::newRow("16 characters") << QByteArray("0123456789abcdef\n") << "0123456789abcdef";
    }
    void printedValueGivesThePasswordBack() {
        QFETCH(QByteArray, input);
        QFETCH(QString, password);

        const ToolRun run = runTool(input);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errors, QByteArray());
        QVERIFY2(run.output.endsWith('\n'), run.output.constData());
        const QByteArray value = run.output.chopped(1);
        QVERIFY2(!value.contains('\n') && !value.contains('\r'), run.output.constData());
        QVERIFY2(value.size() >= 2 && value.startsWith('"') && value.endsWith('"'),
                 run.output.constData());

        const QString settingsFile = writeSettings(
            "[Company "
            "List]\r\nSchooldb=\\\\SRV\\Data;D:\\Data\\school.fdb\r\n[DEFAULT]\r\nSYSDBA=" +
            value + "\r\n");
        const db::ConnectionSettings settings =
            db::ReadConnectionSettings(settingsFile, QStringLiteral("THISPC"));
        QCOMPARE(settings.password, password);
        QCOMPARE(settings.connectString, QStringLiteral("SRV:D:/Data/school.fdb"));
    }

    void refusedInputEndsWithCode2_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("no input at all") << QByteArray();
        QTest::newRow("17 characters") << QByteArray("0123456789abcdefg\n");
        QTest::newRow("leading blank") << QByteArray(" secret\n");
        QTest::newRow("trailing blank") << QByteArray("secret \n");
        QTest::newRow("tab") << QByteArray("sec\tret\n");
        QTest::newRow("non-ASCII") << QStringLiteral("sécret\n").toUtf8();
        QTest::newRow("not UTF-8") << QByteArray("sec\xff\xferet\n");
    }
    void refusedInputEndsWithCode2() {
        QFETCH(QByteArray, input);
        const ToolRun run = runTool(input);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.output, QByteArray());
        QVERIFY(run.errors.startsWith("scramble-password: "));
        QVERIFY2(run.errors.size() > 30, run.errors.constData());
    }
};

QTEST_GUILESS_MAIN(ScramblePasswordToolTest)
#include "tst_scramble_password_tool.moc"
