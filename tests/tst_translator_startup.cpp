// The language setting over a whole run of the real program: read before anything else
// starts and stored again on every way the program ends.

#include "app/check_previous.h"
#include "platform/instance_block.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

constexpr int kRunTimeoutMs = 60000;

enum class Ending { Admitted, Refused, GuardFailed };

} // namespace

Q_DECLARE_METATYPE(Ending)

class TranslatorStartupTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QString program_;

    QString settingsPath(const QString& config) const {
        return config + QStringLiteral("/VELMORA/attendance-loader.conf");
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        program_ = folder_.filePath(QStringLiteral("attendance-loader"));
        QVERIFY(QFile::copy(QStringLiteral(LOADER_EXECUTABLE), program_));
    }

    void languageStoredAtTheEnd_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("language");
        // Admitted without a display or a database, the run reports the database on standard
        // error and ends with 2.
        QTest::newRow("first run") << QByteArray() << Ending::Admitted << 2 << 0;
        QTest::newRow("Chinese kept") << QByteArray("1") << Ending::Admitted << 2 << 1;
        QTest::newRow("refused start") << QByteArray() << Ending::Refused << 0 << 0;
        QTest::newRow("refused start, Malay kept") << QByteArray("2") << Ending::Refused << 0 << 2;
        QTest::newRow("guard failed") << QByteArray() << Ending::GuardFailed << 1 << 0;
        QTest::newRow("guard failed, Chinese kept")
            << QByteArray("1") << Ending::GuardFailed << 1 << 1;
    }

    void languageStoredAtTheEnd() {
        QFETCH(QByteArray, stored);
        QFETCH(Ending, ending);
        QFETCH(int, exitCode);
        QFETCH(int, language);
        QTemporaryDir home;
        QTemporaryDir runtime;
        const QString config = home.filePath(QStringLiteral(".config"));
        const QString settings = settingsPath(config);
        const QDateTime longAgo = QDateTime::currentDateTime().addYears(-5);
        if (!stored.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(settings).path()));
            QFile file(settings);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Default]\nLanguageID=" + stored + "\n");
            QVERIFY(file.flush());
            QVERIFY(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }

        // A copy that runs: this test holds the program's block as that copy would.
        std::optional<platform::InstanceBlock> running;
        if (ending == Ending::Refused) {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
            running.emplace(InstanceBlockName(program_));
            QCOMPARE(running->Open(), platform::InstanceBlock::OpenResult::Created);
            running->SetInstanceCount(1);
            running->EndUpdate();
        }

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QLatin1String(name));
        }
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                   ending == Ending::GuardFailed ? QStringLiteral("/dev/null") : runtime.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program_, {});
        QVERIFY(process.waitForFinished(kRunTimeoutMs));
        const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(process.exitCode() == exitCode, qPrintable(errors));

        QFile file(settings);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(errors));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("[Default]\nLanguageID=%1\n").arg(language));
        // Written, not merely left as it was.
        QVERIFY(QFileInfo(settings).lastModified() > longAgo.addDays(1));
        if (running) {
            QCOMPARE(running->InstanceCount(), 1);
        }
    }
};

QTEST_MAIN(TranslatorStartupTest)
#include "tst_translator_startup.moc"
