// The load window: its stored layout, its creation steps and their error path, and the two
// ways it closes (the Close button and the timer).

#include "app/database_steps.h"
#include "app/frm_autoload.h"
#include "common/general_window.h"
#include "platform/dataset.h"
#include "platform/message_boxes.h"
#include "recording_steps.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// A dataset that only keeps its open state and tells when it was closed.
class OpenDataSet : public platform::DataSet {
public:
    OpenDataSet(QObject* owner, QStringList& closed, QString name)
        : platform::DataSet(owner), closed_(closed), name_(std::move(name)) {}
    bool Active() const override { return active_; }
    void Close() override {
        if (active_) {
            closed_.append(name_);
        }
        active_ = false;
    }

private:
    QStringList& closed_;
    QString name_;
    bool active_ = true;
};

void flushDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList allSteps(const QString& address) {
    return {QStringLiteral("ConnectDatabase"), QStringLiteral("OpenSystemConfig"),
            QStringLiteral("TerminalAddress"), QStringLiteral("PrepareInsertStatement"),
            QStringLiteral("OpenTeachers"),    QStringLiteral("OpenSessions"),
            QStringLiteral("CreateSignSet"),   QStringLiteral("Download ") + address};
}

} // namespace

class LoadWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
        platform::MessageBoxes::ForgetShown();
    }

    void controlsStandWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");

        QTest::newRow("Memo1") << "Memo1" << QRect(0, 0, 355, 57) << QString() << true;
        QTest::newRow("edtAXIPAddr") << "edtAXIPAddr" << QRect(88, 80, 137, 21) << "" << true;
        QTest::newRow("CZKEM1") << "CZKEM1" << QRect(16, 102, 41, 41) << QString() << true;
        QTest::newRow("btnStart") << "btnStart" << QRect(194, 120, 71, 25) << "&Start" << false;
        QTest::newRow("btnClose") << "btnClose" << QRect(274, 120, 71, 25) << "&Close" << true;
    }

    void controlsStandWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(bool, shown);

        RecordingSteps steps;
        TfrmAutoload window(steps);
        window.show();
        auto* control = window.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->isVisible(), shown);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(label->text(), text);
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            QCOMPARE(edit->text(), text);
        }
    }

    void windowIsFixedWithoutSystemButtons() {
        RecordingSteps steps;
        TfrmAutoload window(steps);
        QCOMPARE(window.size(), QSize(355, 160));
        QCOMPARE(window.minimumSize(), QSize(355, 160));
        QCOMPARE(window.maximumSize(), QSize(355, 160));
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(window.windowTitle(), QStringLiteral("Load Attendex Data (Teacher)"));
        QCOMPARE(window.palette().color(QPalette::Window),
                 window.palette().color(QPalette::Button));
    }

    void memoShowsTheFourStoredLines() {
        RecordingSteps steps;
        TfrmAutoload window(steps);
        auto* memo = window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        QVERIFY(memo != nullptr);
        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines, (QStringList{QString(),
                                     "      This process auto load Attendex transactions to the "
                                     "Teacher Log File.",
                                     QString(), "      Please verify the IP address. "}));
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->frameShape(), QFrame::NoFrame);
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!(memo->focusPolicy() & Qt::TabFocus));
    }

    // The address label keeps its stored place and size, but where this system's font is
    // wider than the one the layout was made with, it grows so no letter is cut off.
    void addressLabelShowsAllOfItsText() {
        RecordingSteps steps;
        TfrmAutoload window(steps);
        auto* label = window.findChild<QLabel*>(QStringLiteral("lblAXIPAddr"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->geometry(), QRect(24, 86, 55, 13));
        QCOMPARE(label->text(), QStringLiteral("Attendex IP"));
        QCOMPARE(label->buddy(), window.findChild<QWidget*>(QStringLiteral("edtAXIPAddr")));
        window.FormCreate();
        QCOMPARE(label->pos(), QPoint(24, 86));
        QCOMPARE(label->width(), std::max(55, label->sizeHint().width()));
        QVERIFY(label->geometry().right() < 88);
    }

    void statusLabelFitsItsText() {
        RecordingSteps steps;
        TfrmAutoload window(steps);
        auto* label = window.findChild<QLabel*>(QStringLiteral("lblTchID"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), QStringLiteral("Loading Teacher ID :"));
        QCOMPARE(label->pos(), QPoint(88, 104));
        window.FormCreate();
        QCOMPARE(label->size(), label->sizeHint());
    }

    void creationRunsEveryStepInOrderAndArmsTheTimer() {
        RecordingSteps steps;
        TfrmAutoload window(steps);
        QCOMPARE(window.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(window.font().pointSize(), 8);
        auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer != nullptr);
        QCOMPARE(timer->interval(), 10000);
        QVERIFY(!timer->isActive());

        window.FormCreate();

        QCOMPARE(steps.calls, allSteps(steps.address));
        QVERIFY(window.CreationCompleted());
        QVERIFY(platform::MessageBoxes::Shown().isEmpty());
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("edtAXIPAddr"))->text(),
                 steps.address);
        QCOMPARE(window.windowTitle(), General::TitleWithoutVersion());
        QCOMPARE(window.font().family(), QStringLiteral("Arial"));
        QCOMPARE(window.font().pointSize(), 8);
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("edtAXIPAddr"))->font().family(),
                 QStringLiteral("Arial"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 20000);
    }

    // An error that leaves a step is shown once, the later steps do not run, and the timer
    // stays unarmed, so the window waits for its Close button.
    void errorInAStepSkipsTheRest_data() {
        QTest::addColumn<QString>("failAt");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("shown");

        QTest::newRow("system config") << "OpenSystemConfig"
                                       << "Table unknown SYSCONFIG"
                                       << "Table unknown SYSCONFIG.";
        QTest::newRow("address") << "TerminalAddress"
                                 << "Column unknown AXIPADDR"
                                 << "Column unknown AXIPADDR.";
        QTest::newRow("insert text") << "PrepareInsertStatement"
                                     << "lost connection)"
                                     << "lost connection)";
        QTest::newRow("teachers") << "OpenTeachers"
                                  << "Already punctuated."
                                  << "Already punctuated.";
        QTest::newRow("sessions") << "OpenSessions"
                                  << "Shouted!"
                                  << "Shouted!";
        QTest::newRow("sign set") << "CreateSignSet"
                                  << "ends in a blank "
                                  << "ends in a blank ";
        QTest::newRow("download") << "Download"
                                  << "Conversion error from string 2024"
                                  << "Conversion error from string 2024.";
    }

    void errorInAStepSkipsTheRest() {
        QFETCH(QString, failAt);
        QFETCH(QString, failure);
        QFETCH(QString, shown);

        RecordingSteps steps;
        steps.failAt = failAt;
        steps.failure = failure;
        QPointer<TfrmAutoload> window = new TfrmAutoload(steps);
        window->FormCreate();

        const QStringList expected = allSteps(steps.address);
        qsizetype failed = 0;
        while (!expected.at(failed).startsWith(failAt)) {
            ++failed;
        }
        QCOMPARE(steps.calls, expected.mid(0, failed + 1));
        QVERIFY(!window->CreationCompleted());
        const QList<platform::ShownMessage> messages = platform::MessageBoxes::Shown();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().kind, platform::MessageKind::Error);
        QCOMPARE(messages.first().text, shown);
        auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 10000);

        // Shown all the same, and closed by its button.
        window->show();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnClose")),
                          Qt::LeftButton);
        flushDeferredDeletes();
        QVERIFY(window.isNull());
    }

    // Without a settings file no database can be reached: the connection is reported first,
    // then the error of the first step that needs it; the window stays open without its timer.
    void withoutADatabaseBothFailuresAreReported() {
        DatabaseSteps steps(QStringLiteral("/nonexistent/attendance-loader.ini"),
                            terminal::TerminalFactory());
        TfrmAutoload window(steps);
        window.FormCreate();
        const QList<platform::ShownMessage> messages = platform::MessageBoxes::Shown();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.at(0).kind, platform::MessageKind::Message);
        QCOMPARE(messages.at(0).text, QStringLiteral("Server I/P or Path Error!"));
        QCOMPARE(messages.at(1).kind, platform::MessageKind::Error);
        QCOMPARE(messages.at(1).text, QStringLiteral("The database is not connected."));
        QVERIFY(!window.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }

    void closeButtonDiscardsTheTimerAndClosesEveryDataSet() {
        RecordingSteps steps;
        QPointer<TfrmAutoload> window = new TfrmAutoload(steps);
        QStringList closed;
        new OpenDataSet(window, closed, QStringLiteral("tblSysCnf"));
        new QObject(window); // not a dataset: left alone
        new OpenDataSet(window, closed, QStringLiteral("sqlTch"));
        window->FormCreate();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QPointer<QTimer> timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());

        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnClose")),
                          Qt::LeftButton);

        QVERIFY(timer.isNull());
        QCOMPARE(steps.calls.last(), QStringLiteral("CloseRunDataSets"));
        QCOMPARE(closed, (QStringList{"tblSysCnf", "sqlTch"}));
        flushDeferredDeletes();
        QVERIFY(window.isNull());
    }

    void timerTickClosesTheWindowAsTheButtonDoes() {
        RecordingSteps steps;
        QPointer<TfrmAutoload> window = new TfrmAutoload(steps);
        window->FormCreate();
        window->show();
        // The armed timer is shortened so the test need not wait its full 20 seconds.
        window->findChild<QTimer*>(QStringLiteral("Timer1"))->setInterval(50);
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 5000);
        QCOMPARE(steps.calls.last(), QStringLiteral("CloseRunDataSets"));
    }
};

QTEST_MAIN(LoadWindowTest)
#include "tst_load_window.moc"
