// What a person sees: the load window on a real X server, grabbed from the screen and read
// back with OCR.

#include "app/frm_autoload.h"
#include "platform/message_boxes.h"
#include "recording_steps.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
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

        QTemporaryDir folder;
        const QString png = folder.filePath(QStringLiteral("window.png"));
        // Small 8-point text reads far better for OCR when enlarged.
        QVERIFY(shot.toImage()
                    .scaled(shot.size() * 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .save(png));
        QProcess ocr;
        ocr.start(QStringLiteral("tesseract"), {png, QStringLiteral("stdout")});
        QVERIFY2(ocr.waitForFinished(60000), "tesseract did not finish");
        QCOMPARE(ocr.exitCode(), 0);
        const QString seen = QString::fromUtf8(ocr.readAllStandardOutput()).simplified();
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
