#include "common/general_program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using General::RunProgram;

namespace {

// Calculators in the order the calculator command prefers them.
QStringList calculatorOrder() {
    return {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"};
}

// Writes an executable shell script.
bool writeScript(const QString& path, const QString& body) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    file.write(QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
    file.close();
    return file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Sets PATH for one test and puts the old value back afterwards, also when the test fails.
class PathOverride {
public:
    explicit PathOverride(const QString& path)
        : hadPath_(qEnvironmentVariableIsSet("PATH")), oldPath_(qgetenv("PATH")) {
        qputenv("PATH", QFile::encodeName(path));
    }
    ~PathOverride() {
        if (hadPath_) {
            qputenv("PATH", oldPath_);
        } else {
            qunsetenv("PATH");
        }
    }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

private:
    bool hadPath_;
    QByteArray oldPath_;
};

} // namespace

class TestRunProgram : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString marker() const { return dir_.filePath(QStringLiteral("marker")); }
    QString readMarker() const {
        QFile file(marker());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // The commands below embed paths unquoted.
        QVERIFY(!dir_.path().contains(QLatin1Char(' ')));
        qputenv("LOADER_PROBE", "probe-value");
        QVERIFY(writeScript(dir_.filePath("write-arg"), "sleep 0.3; printf '%s' \"$1\" > \"$2\""));
        QVERIFY(writeScript(dir_.filePath("late-writer"), "sleep 1; printf late > \"$1\""));
        // A script that would mark its run, but may not be executed.
        QVERIFY(writeScript(dir_.filePath("not-executable"), "printf ran > \"$1\""));
        QVERIFY(QFile::setPermissions(dir_.filePath("not-executable"),
                                      QFile::ReadOwner | QFile::WriteOwner));
    }
    void init() {
        QFile::remove(marker());
        QVERIFY(!QFile::exists(marker()));
    }

    // Each command leaves its result in the marker only after a short sleep, so the marker is
    // complete on return only if the call really waited.
    void waitedStart_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected");
        QTest::newRow("program looked up on PATH")
            << QStringLiteral("sh -c \"sleep 0.3; printf found > %1\"").arg(marker()) << "found";
        QTest::newRow("program by path, quoted argument kept whole")
            << QStringLiteral("%1 \"two  words\" %2").arg(dir_.filePath("write-arg"), marker())
            << "two  words";
        QTest::newRow("caller's environment")
            << QStringLiteral("sh -c \"sleep 0.3; printf %s $LOADER_PROBE > %1\"").arg(marker())
            << "probe-value";
        QTest::newRow("caller's current directory")
            << QStringLiteral("sh -c \"sleep 0.3; pwd -P > %1\"").arg(marker())
            << QDir::current().canonicalPath() + "\n";
    }
    void waitedStart() {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        RunProgram(command, true);
        QCOMPARE(readMarker(), expected);
    }

    void notWaitedStartReturnsAtOnce() {
        RunProgram(QStringLiteral("%1 %2").arg(dir_.filePath("late-writer"), marker()), false);
        QVERIFY(!QFile::exists(marker()));
        QTRY_COMPARE_WITH_TIMEOUT(readMarker(), QStringLiteral("late"), 10000);
    }

    void failedStartIsQuiet_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("wait");
        for (const bool wait : {true, false}) {
            const char* how = wait ? "waited" : "not waited";
            QTest::addRow("unknown program, %s", how) << "no-such-program-4f1c2a" << wait;
            QTest::addRow("empty command line, %s", how) << "" << wait;
            QTest::addRow("blanks only, %s", how) << "   " << wait;
            QTest::addRow("empty quoted word, %s", how) << "\"\"" << wait;
            QTest::addRow("missing path, %s", how) << dir_.filePath("missing/program") << wait;
            QTest::addRow("directory, %s", how) << dir_.path() << wait;
            QTest::addRow("file without execute permission, %s", how)
                << QStringLiteral("%1 %2").arg(dir_.filePath("not-executable"), marker()) << wait;
        }
    }
    void failedStartIsQuiet() {
        QFETCH(QString, command);
        QFETCH(bool, wait);
        QVERIFY_THROWS_NO_EXCEPTION(RunProgram(command, wait));
        if (!wait) {
            QTest::qWait(300); // room for a wrongly started program to leave its mark
        }
        QVERIFY(!QFile::exists(marker()));
    }

    // The Windows calculator command starts the preferred desktop calculator found on PATH.
    // PATH holds only stand-in scripts that write their own name into the marker.
    void calculatorCommand_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("wait");
        QTest::addColumn<QString>("expected");
        for (qsizetype i = 0; i < calculatorOrder().size(); ++i) {
            const QStringList installed = calculatorOrder().mid(i);
            QTest::addRow("%s preferred over the rest", qPrintable(installed.first()))
                << installed << "CALC.EXE" << false << installed.first();
        }
        const QStringList both = {"xcalc", "galculator"};
        QTest::newRow("galculator before xcalc") << both << "CALC.EXE" << false << "galculator";
        QTest::newRow("lower case, waited") << both << "calc.exe" << true << "galculator";
        QTest::newRow("only xcalc") << QStringList{"xcalc"} << "CALC.EXE" << false << "xcalc";
        // Names that a literal lookup of the command would find must not be started.
        const QStringList decoys = {"CALC.EXE", "calc.exe", "calc"};
        QTest::newRow("no calculator, waited") << decoys << "CALC.EXE" << true << "";
        QTest::newRow("no calculator, not waited") << decoys << "calc.exe" << false << "";
        QTest::newRow("empty PATH folder") << QStringList{} << "CALC.EXE" << true << "";
    }
    void calculatorCommand() {
        QFETCH(QStringList, installed);
        QFETCH(QString, command);
        QFETCH(bool, wait);
        QFETCH(QString, expected);

        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        for (const QString& name : installed) {
            QVERIFY(writeScript(bin.filePath(name),
                                QStringLiteral("printf %1 > %2").arg(name, marker())));
        }
        const PathOverride path(bin.path());

        RunProgram(command, wait);

        if (expected.isEmpty()) {
            if (!wait) {
                QTest::qWait(300);
            }
            QVERIFY(!QFile::exists(marker()));
        } else if (wait) {
            QCOMPARE(readMarker(), expected);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(readMarker(), expected, 10000);
        }
    }
};

QTEST_GUILESS_MAIN(TestRunProgram)
#include "tst_run_program.moc"
