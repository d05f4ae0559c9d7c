// The single-instance guard inside one process: every guard object opens the block on its
// own descriptor, so several guards here behave as several running copies.

#include "app/check_previous.h"
#include "block_file.h"
#include "platform/errors.h"
#include "platform/executable.h"
#include "platform/instance_block.h"

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <memory>
#include <vector>

class InstanceGuardTest : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;

    QString blockPath() const {
        return platform::InstanceBlock::Folder() + QLatin1Char('/') +
               InstanceBlockName(platform::ExecutablePath());
    }

private slots:
    void initTestCase() {
        QVERIFY(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    }

    void blockNameDropsEverySeparator() {
        QCOMPARE(InstanceBlockName(QStringLiteral("/opt/Loader/attendance-loader")),
                 QStringLiteral("optLoaderattendance-loader"));
        QCOMPARE(InstanceBlockName(QStringLiteral("/a/b.exe.exe")), QStringLiteral("ab.exe.exe"));
    }

    void firstCopyCreatesTheBlock() {
        InstanceGuard first;
        QVERIFY(!first.PreviousInstanceRunning(0x4A0012, 1));
        QVERIFY(first.HoldsSlot());
        const BlockContents block = readBlockFile(blockPath());
        QVERIFY(block.exists);
        QCOMPARE(block.windowHandle, quint32(0x4A0012));
        QCOMPARE(block.instanceCount, 1);
        QFileInfo info(blockPath());
        QCOMPARE(info.size(), qint64(8));
        QCOMPARE(info.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }

    // Each row starts copies one after another with the same MaxInstances and tells which
    // are admitted, the count and window handle left in the block, and the count after the
    // refused copies and then the last admitted copy have ended.
    void admissionFollowsMaxInstances_data() {
        QTest::addColumn<int>("maxInstances");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QList<bool>>("refused");
        QTest::addColumn<int>("countWhileRunning");
        QTest::addColumn<quint32>("handleWhileRunning");

        QTest::newRow("one allowed") << 1 << 3 << QList<bool>{false, true, true} << 1 << 101U;
        QTest::newRow("two allowed") << 2 << 3 << QList<bool>{false, false, true} << 2 << 102U;
        QTest::newRow("three allowed")
            << 3 << 4 << QList<bool>{false, false, false, true} << 3 << 103U;
        // The first copy creates the block and is always admitted.
        QTest::newRow("none allowed") << 0 << 2 << QList<bool>{false, true} << 1 << 101U;
        QTest::newRow("negative") << -5 << 2 << QList<bool>{false, true} << 1 << 101U;
    }

    void admissionFollowsMaxInstances() {
        QFETCH(int, maxInstances);
        QFETCH(int, copies);
        QFETCH(QList<bool>, refused);
        QFETCH(int, countWhileRunning);
        QFETCH(quint32, handleWhileRunning);

        std::vector<std::unique_ptr<InstanceGuard>> guards;
        for (int i = 0; i < copies; ++i) {
            guards.push_back(std::make_unique<InstanceGuard>());
            QCOMPARE(guards.back()->PreviousInstanceRunning(101U + quint32(i), maxInstances),
                     refused.at(i));
            QCOMPARE(guards.back()->HoldsSlot(), !refused.at(i));
        }
        BlockContents block = readBlockFile(blockPath());
        QCOMPARE(block.instanceCount, countWhileRunning);
        // A refused copy would bring this window forward: the last admitted copy's.
        QCOMPARE(block.windowHandle, handleWhileRunning);

        // Refused copies end without changing the count.
        for (int i = 0; i < copies; ++i) {
            if (refused.at(i)) {
                guards.at(i)->Release();
            }
        }
        QCOMPARE(readBlockFile(blockPath()).instanceCount, countWhileRunning);

        // Each admitted copy's end takes one off the count.
        int running = countWhileRunning;
        for (int i = copies - 1; i >= 0; --i) {
            if (!refused.at(i)) {
                guards.at(i)->Release();
                --running;
                if (running > 0) {
                    QCOMPARE(readBlockFile(blockPath()).instanceCount, running);
                }
            }
        }
        // When the last copy has ended the block is gone, and the next start creates it anew.
        QVERIFY(!QFileInfo::exists(blockPath()));
        InstanceGuard next;
        QVERIFY(!next.PreviousInstanceRunning(7, maxInstances));
        QCOMPARE(readBlockFile(blockPath()).instanceCount, 1);
    }

    // A copy that was killed never gave its place back; its hold on the block went with it,
    // so the next start sees a new block, not the dead copy's count.
    void blockLeftByAnEndedCopyCountsAsNew() {
        QVERIFY(QDir().mkpath(platform::InstanceBlock::Folder()));
        QFile stale(blockPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        const char leftOver[8] = {0x11, 0x22, 0x33, 0x44, 0x05, 0x00, 0x00, 0x00};
        QCOMPARE(stale.write(leftOver, 8), qint64(8));
        stale.close();

        InstanceGuard guard;
        QVERIFY(!guard.PreviousInstanceRunning(55, 1));
        const BlockContents block = readBlockFile(blockPath());
        QCOMPARE(block.instanceCount, 1);
        QCOMPARE(block.windowHandle, 55U);
    }

    // Something that is not a block stands under the block's name: the start is refused
    // quietly, as for a block that exists but cannot be opened.
    void blockThatCannotBeOpenedRefusesQuietly() {
        QVERIFY(QDir().mkpath(blockPath()));
        InstanceGuard guard;
        QVERIFY(guard.PreviousInstanceRunning(9, 1));
        QVERIFY(!guard.HoldsSlot());
        guard.Release();
        QVERIFY(QDir().rmdir(blockPath()));
    }

    void blockThatCannotBeCreatedRaisesTheSystemError() {
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QByteArrayLiteral("/dev/null"));
        InstanceGuard guard;
        int code = 0;
        QString text;
        try {
            guard.PreviousInstanceRunning(9, 1);
        } catch (const platform::SystemError& error) {
            code = error.code();
            text = error.text();
        }
        qputenv("XDG_RUNTIME_DIR", saved);
        QCOMPARE(code, ENOTDIR);
        QVERIFY2(text.contains(QStringLiteral("Not a directory")), qPrintable(text));
        QVERIFY(!guard.HoldsSlot());
    }
};

QTEST_GUILESS_MAIN(InstanceGuardTest)
#include "tst_instance_guard.moc"
