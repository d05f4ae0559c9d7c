// What a person sees: the load window on a real X server, grabbed from the screen and read
// back with OCR.

#include "app/frm_autoload.h"
#include "ocr.h"
#include "platform/message_boxes.h"
#include "recording_steps.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

class WindowScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void windowShowsItsTextsAtItsSize() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
        RecordingSteps steps;
        steps.address = QStringLiteral("10.1.2.3");
        TfrmAutoload window(steps);
        window.FormCreate();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(200);

        const QPixmap shot = window.screen()->grabWindow(window.winId());
        QCOMPARE(shot.size(), QSize(355, 160));

        const QString seen = ReadTextInImage(shot.toImage());
        const QStringList expected{
            QStringLiteral("This process auto load Attendex transactions to the Teacher Log File."),
            QStringLiteral("Please verify the IP address."),
            QStringLiteral("Attendex IP"),
            QStringLiteral("10.1.2.3"),
            QStringLiteral("Loading Teacher ID"),
            QStringLiteral("Close"),
        };
        for (const QString& text : expected) {
            QVERIFY2(seen.contains(text),
                     qPrintable(QStringLiteral("'%1' not in '%2'").arg(text, seen)));
        }
        // The hidden Start button must not show.
        QVERIFY2(!seen.contains(QStringLiteral("Start")), qPrintable(seen));
    }
};

QTEST_MAIN(WindowScreenshotTest)
#include "tst_window_screenshot.moc"
