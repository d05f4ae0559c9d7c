// The keys of the load window, which carries the hot-key component without a navigator bar:
// Enter moves on from the address box, Enter with a modifier is swallowed, the navigator keys
// reach the focused control untouched, and F12 starts the calculator.

#include "app/frm_autoload.h"
#include "common/hot_key.h"
#include "platform/message_boxes.h"
#include "recording_steps.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The presses of one key that reach the control it watches, with their modifiers.
class KeyRecorder : public QObject {
public:
    explicit KeyRecorder(int key) : key_(key) {}
    QList<Qt::KeyboardModifiers> seen;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == key_) {
                seen.append(key->modifiers());
            }
        }
        return false;
    }

private:
    int key_;
};

// Sets PATH for one test and puts the old value back afterwards, also when the test fails.
class PathOverride {
public:
    explicit PathOverride(const QString& path) : oldPath_(qgetenv("PATH")) {
        qputenv("PATH", QFile::encodeName(path));
    }
    ~PathOverride() { qputenv("PATH", oldPath_); }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

private:
    QByteArray oldPath_;
};

QStringList markerLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class LoadWindowKeysTest : public QObject {
    Q_OBJECT

    RecordingSteps steps_;
    std::unique_ptr<TfrmAutoload> window_;
    QLineEdit* address_ = nullptr;

private slots:
    void init() {
        platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
        platform::MessageBoxes::ForgetShown();
        window_ = std::make_unique<TfrmAutoload>(steps_);
        address_ = window_->findChild<QLineEdit*>(QStringLiteral("edtAXIPAddr"));
        QVERIFY(address_ != nullptr);
        address_->setText(QStringLiteral("192.0.2.15"));
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        address_->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), address_);
    }

    void cleanup() { window_.reset(); }

    void carriesTheComponentWithoutABar() {
        const auto* hotKey = window_->findChild<HotKey::TNavHotKey*>(QStringLiteral("NavHotKey"));
        QVERIFY(hotKey != nullptr);
        QCOMPARE(hotKey->parent(), window_.get());
        QVERIFY(!hotKey->MoveRecord());
        QVERIFY(hotKey->EnterToTab());
        QVERIFY(hotKey->Security());
        QVERIFY(hotKey->dbNavigator() == nullptr);
        QVERIFY(hotKey->SearchButton() == nullptr);
        QVERIFY(hotKey->PrintButton() == nullptr);
        QVERIFY(hotKey->SecurityButton() == nullptr);
    }

    void keysInTheAddressBox_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("reaches");
        QTest::addColumn<QString>("focusAfter");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << false << "btnClose";
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << ctrl << false << "edtAXIPAddr";
        QTest::newRow("Shift+Enter")
            << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier) << false
            << "edtAXIPAddr";
        QTest::newRow("Alt+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::AltModifier)
                                   << false << "edtAXIPAddr";
        QTest::newRow("F2") << int(Qt::Key_F2) << none << true << "edtAXIPAddr";
        QTest::newRow("F3") << int(Qt::Key_F3) << none << true << "edtAXIPAddr";
        QTest::newRow("F4") << int(Qt::Key_F4) << none << true << "edtAXIPAddr";
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << true << "edtAXIPAddr";
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << none << true << "edtAXIPAddr";
        QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << ctrl << true << "edtAXIPAddr";
        QTest::newRow("Ctrl+U") << int(Qt::Key_U) << ctrl << true << "edtAXIPAddr";
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << ctrl << true << "edtAXIPAddr";
        QTest::newRow("Shift+F10, no menu")
            << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true
            << "edtAXIPAddr";
    }

    void keysInTheAddressBox() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, reaches);
        QFETCH(QString, focusAfter);
        KeyRecorder recorder(key);
        address_->installEventFilter(&recorder);
        const QSignalSpy returns(address_, &QLineEdit::returnPressed);

        QTest::keyClick(address_, static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();

        QCOMPARE(recorder.seen, reaches ? QList<Qt::KeyboardModifiers>{modifiers}
                                        : QList<Qt::KeyboardModifiers>{});
        QCOMPARE(returns.count(), 0);
        QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
        QVERIFY(platform::MessageBoxes::Shown().isEmpty());
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY(window_->isVisible());
    }

    // F12 starts the calculator; with a modifier it starts nothing.
    void f12StartsTheCalculator() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString marker = folder.filePath(QStringLiteral("started"));
        QFile script(folder.filePath(QStringLiteral("xcalc")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho started >> '%1'\n").arg(marker).toUtf8());
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const PathOverride path(folder.path());

        QTest::keyClick(address_, Qt::Key_F12, Qt::ControlModifier);
        QTest::keyClick(address_, Qt::Key_F12);
        QTRY_COMPARE_WITH_TIMEOUT(markerLines(marker).size(), 1, 10000);
        QTest::qWait(500); // room for a second start, were there one
        QCOMPARE(markerLines(marker).size(), 1);
        QCOMPARE(QApplication::focusWidget(), address_);
    }
};

QTEST_MAIN(LoadWindowKeysTest)
#include "tst_load_window_keys.moc"
