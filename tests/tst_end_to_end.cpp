// The loader as a scheduler runs it: the real executable, headless, against a terminal
// simulator on the network and the real database server.

#include "app/check_previous.h"
#include "firebird_fixture.h"
#include "load_run.h"
#include "simulator_process.h"
#include "terminal/device_image.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The program always dials port 4370, so the terminal gets a loopback address of its own.
constexpr auto kTerminalAddress = "127.0.0.77";

const char* const kSchool = R"(
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO) VALUES ('T01', 'PAGI', 101);
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO) VALUES ('T02', 'PAGI', 102);
INSERT INTO TCHSESS (CODE, TIMEI_MON, TIMEI_TUE) VALUES ('PAGI', '1899-12-30 07:30:00', '1899-12-30 07:30:00');
INSERT INTO SYSCONFIG (AXIPADDR, AXIPADDRT, AXFACEID) VALUES ('', '127.0.0.77', 0);
)";

struct Finished {
    int exitCode = -1;
    QString output;
    QString errors;
};

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QTemporaryDir runtime_;
    std::unique_ptr<TestDatabase> database_;
    QString program_;

    Finished runLoader() {
        QProcess loader;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        // The program keeps the user's language setting; the test's copies keep theirs here.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime_.filePath(QStringLiteral("config")));
        loader.setProcessEnvironment(env);
        loader.start(program_, {});
        Finished finished;
        if (loader.waitForFinished(120000) && loader.exitStatus() == QProcess::NormalExit) {
            finished.exitCode = loader.exitCode();
        }
        finished.output = QString::fromUtf8(loader.readAllStandardOutput());
        finished.errors = QString::fromUtf8(loader.readAllStandardError());
        return finished;
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        QVERIFY(runtime_.isValid());
        database_ = std::make_unique<TestDatabase>(QString::fromLatin1(kSchool));
        program_ = folder_.filePath(QStringLiteral("attendance-loader"));
        QVERIFY(QFile::copy(QStringLiteral(LOADER_EXECUTABLE), program_));
        // The settings file beside the executable, as a user writes it.
        const QString settings = WriteSettingsFile(folder_.path(), *database_);
        QCOMPARE(settings, program_ + QStringLiteral(".ini"));
    }

    void cleanupTestCase() { database_.reset(); }

    // A clean log is filled once; the same terminal again adds nothing; a terminal that is
    // gone is reported and changes nothing.
    void loadsOnceAndReportsAMissingTerminal() {
        const QList<terminal::DeviceRecord> records{
            Record(QStringLiteral("101"), 0, 2024, 3, 11, 7, 25, 0),
            Record(QStringLiteral("102"), 0, 2024, 3, 11, 7, 40, 30),
            Record(QStringLiteral("102"), 0, 2024, 3, 11, 7, 40, 30),
            Record(QStringLiteral("101"), 1, 2024, 3, 11, 13, 30, 5),
            Record(QStringLiteral("555"), 0, 2024, 3, 12, 8, 0, 0),
            Record(QStringLiteral("102"), 1, 2024, 3, 12, 0, 15, 0),
        };
        const QStringList rows{
            "11/03/2024 07:25:00 T01 I -",     "11/03/2024 07:40:30 T02 L Lewat",
            "11/03/2024 13:30:05 T01 O -",     "12/03/2024 00:15:00 T02 O -",
            "12/03/2024 08:00:00 555 L Lewat",
        };
        const QString image = folder_.filePath(QStringLiteral("image.txt"));
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(terminal::FormatDeviceImage(records).toUtf8());
        file.close();

        SimulatorProcess simulator;
        QVERIFY2(simulator.start(QStringLiteral(SIMULATOR),
                                 {QStringLiteral("--image"), image, QStringLiteral("--address"),
                                  QLatin1String(kTerminalAddress), QStringLiteral("--port"),
                                  QStringLiteral("4370")}),
                 qPrintable(simulator.error()));

        const Finished first = runLoader();
        QCOMPARE(first.exitCode, 0);
        QCOMPARE(first.output.trimmed(),
                 QStringLiteral("records read 6, passed over 1, inserted 5, already present 0, "
                                "late 2, committed"));
        QCOMPARE(CommittedTeacherLog(*database_), rows);

        const Finished second = runLoader();
        QCOMPARE(second.exitCode, 0);
        QCOMPARE(second.output.trimmed(),
                 QStringLiteral("records read 6, passed over 1, inserted 0, already present 5, "
                                "late 0, committed"));
        QCOMPARE(CommittedTeacherLog(*database_), rows);

        simulator.kill();
        const Finished gone = runLoader();
        QCOMPARE(gone.exitCode, 2);
        QVERIFY2(gone.errors.contains(QStringLiteral("! ConnectDevice ErrorNo.=")),
                 qPrintable(gone.errors));
        QVERIFY2(gone.output.contains(QStringLiteral("not committed")), qPrintable(gone.output));
        QCOMPARE(CommittedTeacherLog(*database_), rows);
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_end_to_end.moc"
