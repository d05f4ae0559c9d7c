// Message boxes: the error box's punctuation, real modal boxes answered by a key, and the
// unattended form that writes to standard error and never waits.

#include "platform/message_boxes.h"
#include "test_helpers.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <iostream>

namespace {} // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        platform::MessageBoxes::ForgetShown();
        platform::MessageBoxes::SetCaption(QStringLiteral("Loadtch"));
    }

    void errorTextGetsAClosingFullStop_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Table unknown"
                                << "Table unknown.";
        QTest::newRow("digit") << "Error code 335544344"
                               << "Error code 335544344.";
        QTest::newRow("slash, just above the stop") << "path a/"
                                                    << "path a/.";
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("hyphen, just below") << "dash -"
                                            << "dash -";
        QTest::newRow("exclamation") << "Stop!"
                                     << "Stop!";
        QTest::newRow("parenthesis") << "(lost)"
                                     << "(lost)";
        QTest::newRow("blank") << "trailing "
                               << "trailing ";
        QTest::newRow("non-ASCII letter")
            << QString::fromUtf8("Jalan Ampang é") << QString::fromUtf8("Jalan Ampang é.");
        QTest::newRow("empty") << ""
                               << "";
    }

    void errorTextGetsAClosingFullStop() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(platform::WithClosingFullStop(text), shown);
    }

    // A scheduler's run: every box becomes one line on standard error, in order, and the
    // call returns at once.
    void unattendedBoxesGoToStandardErrorWithoutWaiting() {
        platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
        CapturedStandardError captured;
        platform::MessageBoxes::ShowMessage(QStringLiteral("Server I/P or Path Error!"));
        platform::MessageBoxes::ShowError(QStringLiteral("Table unknown SYSCONFIG"));
        QCOMPARE(captured.text(), QStringLiteral("Loadtch: Server I/P or Path Error!\n"
                                                 "Loadtch: Table unknown SYSCONFIG.\n"));
        const QList<platform::ShownMessage> shown = platform::MessageBoxes::Shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).kind, platform::MessageKind::Message);
        QCOMPARE(shown.at(1).kind, platform::MessageKind::Error);
        QCOMPARE(shown.at(1).text, QStringLiteral("Table unknown SYSCONFIG."));
    }

    // Unattended, a notice is written down like any box, and a question is written down and
    // answered No: nobody is there to agree to what it asks.
    void unattendedNoticesAndQuestions() {
        platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
        CapturedStandardError captured;
        platform::MessageBoxes::ShowInformation(
            QStringLiteral("You have no rights to add record !"));
        QVERIFY(!platform::MessageBoxes::Confirm(QStringLiteral("Delete Record ?")));
        QVERIFY(!platform::MessageBoxes::Confirm(QStringLiteral("Delete record?"),
                                                 platform::ConfirmButtons::YesNo));
        QCOMPARE(captured.text(), QStringLiteral("Loadtch: You have no rights to add record !\n"
                                                 "Loadtch: Delete Record ?\n"
                                                 "Loadtch: Delete record?\n"));
        const QList<platform::ShownMessage> shown = platform::MessageBoxes::Shown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0).kind, platform::MessageKind::Information);
        QCOMPARE(shown.at(1).kind, platform::MessageKind::Confirmation);
        QCOMPARE(shown.at(2).kind, platform::MessageKind::Confirmation);
    }

    // With a display the box is modal, captioned with the application title, and the call
    // waits until a person answers it.
    void interactiveBoxWaitsForItsAnswer_data() {
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("message") << false << "! ConnectDevice ErrorNo.=-7"
                                 << "! ConnectDevice ErrorNo.=-7";
        QTest::newRow("error") << true << "Table unknown"
                               << "Table unknown.";
    }

    void interactiveBoxWaitsForItsAnswer() {
        QFETCH(bool, error);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        platform::MessageBoxes::SetMode(platform::MessageMode::Interactive);
        QString seenCaption;
        QString seenText;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        bool answered = false;
        // The toolkit owns the timer's slot object; the analyzer cannot see that.
        QTimer::singleShot(100, this, [&] { // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            seenCaption = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            answered = true;
            QTest::keyClick(box, Qt::Key_Return);
        });
        if (error) {
            platform::MessageBoxes::ShowError(text);
        } else {
            platform::MessageBoxes::ShowMessage(text);
        }
        QVERIFY(answered);
        QCOMPARE(seenCaption, QStringLiteral("Loadtch"));
        QCOMPARE(seenText, shown);
        QCOMPARE(seenIcon, error ? QMessageBox::Critical : QMessageBox::NoIcon);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(MessageBoxesTest)
#include "tst_message_boxes.moc"
