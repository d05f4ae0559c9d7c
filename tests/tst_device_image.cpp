// Device image files: what a terminal holds, as the simulated terminals read it.

#include "platform/errors.h"
#include "terminal/device_image.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class DeviceImageTest : public QObject {
    Q_OBJECT

private slots:
    void readsRecordsBetweenCommentsAndBlankLines() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("image.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# the staff room terminal\r\n\r\nenrolment,mode,year,month,day,hour,minute,"
                   "second\r\n1024,0,2024,3,15,7,45,12\r\n  # late ones\n A17 , 5,2024,12,31,23,"
                   "59,59\n");
        file.close();
        const QList<terminal::DeviceRecord> records = terminal::ReadDeviceImage(path);
        QCOMPARE(records.size(), 2);
        QCOMPARE(records.at(0).enrolment, QStringLiteral("1024"));
        QCOMPARE(records.at(0).second, 12);
        QCOMPARE(records.at(1).enrolment, QStringLiteral("A17"));
        QCOMPARE(records.at(1).mode, 5);
        QCOMPARE(records.at(1).month, 12);
        // What is written reads back the same.
        const QList<terminal::DeviceRecord> again =
            terminal::ParseDeviceImage(terminal::FormatDeviceImage(records), path);
        QCOMPARE(again.size(), 2);
        QCOMPARE(again.at(1).enrolment, records.at(1).enrolment);
        QCOMPARE(again.at(1).minute, records.at(1).minute);
    }

    void malformedLinesAreNamed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString header = QStringLiteral("enrolment,mode,year,month,day,hour,minute,second\n");
        QTest::newRow("no header") << "1024,0,2024,3,15,7,45,12\n"
                                   << "img, line 1: the header line";
        QTest::newRow("empty file") << ""
                                    << "img, line 1: the header line is missing";
        QTest::newRow("fields missing") << header + "1024,0,2024,3,15,7,45\n"
                                        << "img, line 2: 7 fields where 8 are required";
        QTest::newRow("not a number") << header + "# x\n1024,0,2024,March,15,7,45,12\n"
                                      << "img, line 3: month 'March' is not a decimal integer";
        QTest::newRow("empty enrolment") << header + ",0,2024,3,15,7,45,12\n"
                                         << "img, line 2: the enrolment is empty";
        QTest::newRow("fraction") << header + "1,0,2024,3,15,7,45,1.5\n"
                                  << "img, line 2: second '1.5' is not a decimal integer";
    }

    void malformedLinesAreNamed() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QString error;
        try {
            terminal::ParseDeviceImage(text, QStringLiteral("img"));
        } catch (const platform::InputError& e) {
            error = e.text();
        }
        QVERIFY2(error.startsWith(message), qPrintable(error));
    }

    void missingFileIsAnInputError() {
        QVERIFY_THROWS_EXCEPTION(platform::InputError, terminal::ReadDeviceImage(QStringLiteral(
                                                           "/nonexistent/image.txt")));
    }
};

QTEST_GUILESS_MAIN(DeviceImageTest)
#include "tst_device_image.moc"
