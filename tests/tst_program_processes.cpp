// The program as a user starts it: real copies of the executable in real folders, on a real
// X display, with and without a display, one after another and side by side.

#include "app/check_previous.h"
#include "block_file.h"
#include "db/connection_settings.h"
#include "firebird_fixture.h"
#include "ocr.h"
#include "x11_probe.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

namespace {

constexpr int kStartTimeoutMs = 20000;

QStringList visibleWindowsNamed(const QString& name) {
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), QStringLiteral("^%1$").arg(name)});
    search.waitForFinished();
    return QString::fromLatin1(search.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class ProgramProcessesTest : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;
    QTemporaryDir folders_;
    QList<QProcess*> running_;

    QString copyProgramInto(const QString& folderName) {
        const QString folder = folders_.filePath(folderName);
        QDir().mkpath(folder);
        QString target = folder + QStringLiteral("/attendance-loader");
        if (!QFile::exists(target)) {
            QFile::copy(QStringLiteral(LOADER_EXECUTABLE), target);
        }
        return target;
    }

    static QString blockPathFor(const QString& executable, const QString& runtime) {
        return runtime + QStringLiteral("/attendance-loader/") + InstanceBlockName(executable);
    }
    QString blockPathFor(const QString& executable) const {
        return blockPathFor(executable, runtime_.path());
    }

    QProcessEnvironment environment(bool withDisplay) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        // The program keeps the user's language setting; the tests' copies keep theirs here.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime_.filePath(QStringLiteral("config")));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        if (!withDisplay) {
            env.remove(QStringLiteral("DISPLAY"));
        }
        return env;
    }

    // Starts a copy on the display and waits until it has counted itself in its block.
    QProcess* startOnDisplay(const QString& executable) {
        auto* process = new QProcess(this);
        process->setProcessEnvironment(environment(true));
        process->start(executable, {});
        running_.append(process);
        if (!process->waitForStarted()) {
            return nullptr;
        }
        QElapsedTimer clock;
        clock.start();
        while (readBlockFile(blockPathFor(executable)).instanceCount < 1 &&
               clock.elapsed() < kStartTimeoutMs) {
            QTest::qWait(50);
        }
        return process;
    }

    struct Finished {
        int exitCode = -1;
        QString errors;
    };

    Finished runToEnd(const QString& executable, const QProcessEnvironment& env) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(executable, {});
        Finished finished;
        if (process.waitForFinished(kStartTimeoutMs) &&
            process.exitStatus() == QProcess::NormalExit) {
            finished.exitCode = process.exitCode();
        }
        finished.errors = QString::fromLocal8Bit(process.readAllStandardError());
        return finished;
    }

    // Answers the running copy's message boxes with Enter, as a person would, until its load
    // window is shown.
    bool answerBoxesUntilWindowShown(X11Probe& x11, quint32 window) {
        QElapsedTimer clock;
        clock.start();
        while (!x11.isViewable(window) && clock.elapsed() < kStartTimeoutMs) {
            const QStringList boxes = visibleWindowsNamed(QStringLiteral("attendance-loader"));
            if (!boxes.isEmpty()) {
                QProcess::execute(QStringLiteral("xdotool"),
                                  {QStringLiteral("key"), QStringLiteral("Return")});
            }
            QTest::qWait(200);
        }
        return x11.isViewable(window);
    }

    void kill(QProcess* process) {
        ::kill(static_cast<pid_t>(process->processId()), SIGKILL);
        process->waitForFinished();
    }

private slots:
    void initTestCase() {
        QVERIFY(runtime_.isValid());
        QVERIFY(folders_.isValid());
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "these tests need an X display");
    }

    void cleanup() {
        for (QProcess* process : running_) {
            if (process->state() != QProcess::NotRunning) {
                kill(process);
            }
        }
        qDeleteAll(running_);
        running_.clear();
    }

    // A second start while a copy runs ends at once with 0, leaves the count alone and
    // brings the running copy's window back from the minimised state and to the front.
    void secondStartIsRefusedAndBringsTheRunningCopyForward() {
        const QString program = copyProgramInto(QStringLiteral("school"));
        QProcess* first = startOnDisplay(program);
        QVERIFY(first != nullptr);
        const BlockContents block = readBlockFile(blockPathFor(program));
        QCOMPARE(block.instanceCount, 1);
        QVERIFY(block.windowHandle != 0);

        X11Probe x11;
        QVERIFY(x11.connected());
        QVERIFY(answerBoxesUntilWindowShown(x11, block.windowHandle));
        x11.minimise(block.windowHandle);
        x11.focusRoot();
        QVERIFY(!x11.isViewable(block.windowHandle));

        const Finished second = runToEnd(program, environment(true));
        QCOMPARE(second.exitCode, 0);
        QCOMPARE(readBlockFile(blockPathFor(program)).instanceCount, 1);
        QVERIFY(x11.isViewable(block.windowHandle));
        QCOMPARE(x11.focusedWindow(), block.windowHandle);
        QCOMPARE(first->state(), QProcess::Running);

        // Without a display the refused start has nothing to bring forward and reports
        // nothing.
        const Finished headless = runToEnd(program, environment(false));
        QCOMPARE(headless.exitCode, 0);
        QCOMPARE(headless.errors, QString());
        QCOMPARE(readBlockFile(blockPathFor(program)).instanceCount, 1);

        // A click on Close ends the running copy normally: exit code 0 with a display, even
        // after its boxes, and its place in the block is given back.
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("mousemove"), QStringLiteral("--window"),
                                    QString::number(block.windowHandle), QStringLiteral("309"),
                                    QStringLiteral("132"), QStringLiteral("click"),
                                    QStringLiteral("1")}),
                 0);
        QVERIFY(first->waitForFinished(kStartTimeoutMs));
        QCOMPARE(first->exitStatus(), QProcess::NormalExit);
        QCOMPARE(first->exitCode(), 0);
        QVERIFY(!QFile::exists(blockPathFor(program)));
    }

    void copiesInTwoFoldersRunSideBySide() {
        const QString office = copyProgramInto(QStringLiteral("office"));
        const QString lab = copyProgramInto(QStringLiteral("lab"));
        QProcess* first = startOnDisplay(office);
        QProcess* second = startOnDisplay(lab);
        QVERIFY(first != nullptr);
        QVERIFY(second != nullptr);
        QCOMPARE(readBlockFile(blockPathFor(office)).instanceCount, 1);
        QCOMPARE(readBlockFile(blockPathFor(lab)).instanceCount, 1);
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(second->state(), QProcess::Running);
    }

    // Each user has a block of its own: the same executable under another user's runtime
    // folder is admitted beside the running copy.
    void anotherUsersCopyRunsBeside() {
        const QString program = copyProgramInto(QStringLiteral("shared"));
        QVERIFY(startOnDisplay(program) != nullptr);
        QTemporaryDir otherUser;
        QProcessEnvironment env = environment(true);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherUser.path());
        auto* other = new QProcess(this);
        running_.append(other);
        other->setProcessEnvironment(env);
        other->start(program, {});
        QTRY_COMPARE_WITH_TIMEOUT(
            readBlockFile(blockPathFor(program, otherUser.path())).instanceCount, 1,
            kStartTimeoutMs);
        QCOMPARE(readBlockFile(blockPathFor(program)).instanceCount, 1);
        QCOMPARE(other->state(), QProcess::Running);
    }

    // A copy that is killed keeps no later start out; after the last copy has ended the
    // next start is admitted and creates the block anew.
    void startAfterAKilledCopyAndAfterTheLastCopyEnded() {
        const QString program = copyProgramInto(QStringLiteral("killed"));
        QProcess* first = startOnDisplay(program);
        QVERIFY(first != nullptr);
        kill(first);
        QVERIFY(QFile::exists(blockPathFor(program)));

        // Admitted: without a display an admitted copy runs its whole creation, reports the
        // missing database on standard error and ends with 2.
        const Finished afterKill = runToEnd(program, environment(false));
        QCOMPARE(afterKill.exitCode, 2);
        QVERIFY2(afterKill.errors.contains(QStringLiteral("Server I/P or Path Error!")),
                 qPrintable(afterKill.errors));
        QVERIFY(!QFile::exists(blockPathFor(program)));

        const Finished afterEnd = runToEnd(program, environment(false));
        QCOMPARE(afterEnd.exitCode, 2);
        // Without a settings file: the database's reason, then the two boxes as lines.
        QVERIFY2(
            afterEnd.errors.startsWith(QStringLiteral("attendance-loader: cannot connect to ")),
            qPrintable(afterEnd.errors));
        QVERIFY2(afterEnd.errors.endsWith(
                     QStringLiteral("\nattendance-loader: Server I/P or Path Error!\n"
                                    "attendance-loader: The database is not connected.\n")),
                 qPrintable(afterEnd.errors));
        QCOMPARE(afterEnd.errors.count(QLatin1Char('\n')), 3);

        QProcess* next = startOnDisplay(program);
        QVERIFY(next != nullptr);
        QCOMPARE(readBlockFile(blockPathFor(program)).instanceCount, 1);
    }

    // A user's set-up: the settings file beside the program names a real database; the window
    // shows the terminal address of that database's configuration.
    void programShowsTheTerminalAddressOfItsDatabase() {
        TestDatabase database(QStringLiteral(
            "INSERT INTO SYSCONFIG (AXIPADDR, AXIPADDRT) VALUES ('192.0.2.44', '192.0.2.45');"));
        const QString program = copyProgramInto(QStringLiteral("configured"));
        QFile settings(program + QStringLiteral(".ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        QRandomGenerator random(11);
        settings.write(QStringLiteral("[Company List]\nSchooldb=\\\\localhost\\fb;%1\n"
                                      "[DEFAULT]\nSYSDBA=%2\n")
                           .arg(database.Path(), db::QuotedSettingsValue(db::ScramblePassword(
                                                     firebird::Password(), random)))
                           .toUtf8());
        settings.close();

        QProcess* loader = startOnDisplay(program);
        QVERIFY(loader != nullptr);
        const quint32 window = readBlockFile(blockPathFor(program)).windowHandle;
        X11Probe x11;
        QVERIFY(answerBoxesUntilWindowShown(x11, window));
        QTest::qWait(300);
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
        QCOMPARE(shot.size(), QSize(355, 160));
        const QString seen = ReadTextInImage(shot.toImage());
        QVERIFY2(seen.contains(QStringLiteral("192.0.2.44")), qPrintable(seen));
        kill(loader);
    }

    void blockThatCannotBeCreatedEndsWithOne_data() {
        QTest::addColumn<bool>("withDisplay");
        QTest::newRow("display") << true;
        QTest::newRow("no display") << false;
    }

    void blockThatCannotBeCreatedEndsWithOne() {
        QFETCH(bool, withDisplay);
        const QString program = copyProgramInto(QStringLiteral("broken"));
        QProcessEnvironment env = environment(withDisplay);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("/dev/null"));
        const Finished finished = runToEnd(program, env);
        QCOMPARE(finished.exitCode, 1);
        QVERIFY2(finished.errors.contains(QStringLiteral("Not a directory")),
                 qPrintable(finished.errors));
    }
};

QTEST_MAIN(ProgramProcessesTest)
#include "tst_program_processes.moc"
