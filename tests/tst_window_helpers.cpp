// The window caption: the application title a program gets from its executable's name,
// and that title cut before its last "VERSION".

#include "common/general_window.h"
#include "platform/executable.h"

#include <QTest>

class WindowHelpersTest : public QObject {
    Q_OBJECT

private slots:
    void applicationTitleComesFromTheExecutableName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "/opt/school/attendance-loader"
                               << "attendance-loader";
        QTest::newRow("capitals") << "/opt/LOADTCH.EXE"
                                  << "Loadtch";
        QTest::newRow("mixed case") << "/x/AttendanceLoader"
                                    << "Attendanceloader";
        QTest::newRow("cut at first dot") << "/x/loader.v2.bin"
                                          << "loader";
        QTest::newRow("folder with dots") << "/x/a.b/Loader"
                                          << "Loader";
        QTest::newRow("leading dot") << "/x/.hidden"
                                     << "";
    }

    void applicationTitleComesFromTheExecutableName() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(platform::ApplicationTitleFor(path), title);
    }

    void captionIsTheTitleCutBeforeTheLastVersion_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("no version") << "Attendance-loader"
                                    << "Attendance-loader";
        QTest::newRow("version") << "Loader Version 2"
                                 << "Loader";
        QTest::newRow("lower case") << "Loader version 2"
                                    << "Loader";
        QTest::newRow("two occurrences") << "Version Loader VERSION 3"
                                         << "Version Loader";
        QTest::newRow("title begins with it") << "VERSION 9"
                                              << "";
        QTest::newRow("one character before") << "xVersion"
                                              << "";
        QTest::newRow("two characters before") << "abVersion"
                                               << "a";
        QTest::newRow("without blank") << "LoaderVersion"
                                       << "Loade";
        QTest::newRow("partial word") << "Loader Versio"
                                      << "Loader Versio";
        QTest::newRow("non-ASCII not raised")
            << QString::fromUtf8("Loader vérsion") << QString::fromUtf8("Loader vérsion");
        QTest::newRow("empty") << ""
                               << "";
    }

    void captionIsTheTitleCutBeforeTheLastVersion() {
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QCOMPARE(General::TitleWithoutVersion(title), caption);
    }

    void programCaptionUsesItsOwnTitle() {
        QCOMPARE(General::TitleWithoutVersion(), QStringLiteral("tst_window_helpers"));
    }
};

QTEST_GUILESS_MAIN(WindowHelpersTest)
#include "tst_window_helpers.moc"
