// The whole load inside the program: the real load window and its database steps against a
// real database, over a simulated terminal; what lands in TCHLOG is compared with rows
// written down by hand from the loader's rules.

#include "db/connection.h"
#include "db/memory_set.h"
#include "db/school_tables.h"
#include "db/sql_helpers.h"
#include "db/statement.h"
#include "db/table.h"
#include "load_run.h"
#include "posting/post_tch_log.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <memory>

using terminal::DeviceRecord;
using Records = QList<DeviceRecord>;

namespace {

// Monday 11 March 2024 to Sunday 17 March 2024.
constexpr int kMonday = 11;
constexpr int kTuesday = 12;
constexpr int kSaturday = 16;
constexpr int kSunday = 17;

const char* const kSchool = R"(
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO) VALUES ('T01', 'PAGI', 101);
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO) VALUES ('T02', 'PETANG', 102);
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO, QDATE) VALUES ('T03', 'PETANG', 103, '2024-01-31');
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO) VALUES ('T04', 'NOSESS', 104);
INSERT INTO TCHSESS (CODE, TIMEI_MON, TIMEI_TUE, TIMEI_WED, TIMEI_THU, TIMEI_FRI, TIMEI_SAT,
                     TIMEI_SUN, TIMEO_MON)
  VALUES ('PAGI', '1899-12-30 07:30:00', '1899-12-30 07:30:00', '1899-12-30 07:30:00',
          '1899-12-30 07:30:00', '1899-12-30 07:30:00', NULL, '1899-12-30 00:00:00',
          '1899-12-30 01:00:00');
INSERT INTO TCHSESS (CODE, TIMEI_MON, TIMEI_TUE, TIMEI_WED, TIMEI_THU, TIMEI_FRI, TIMEI_SAT,
                     TIMEI_SUN)
  VALUES ('PETANG', '1899-12-30 13:00:00', '1899-12-30 13:00:00', '1899-12-30 13:00:00',
          '1899-12-30 13:00:00', '1899-12-30 13:00:00', '1899-12-30 13:00:00',
          '1899-12-30 13:00:00');
)";

DeviceRecord in(const char* enrolment, int day, int hour, int minute, int second = 0) {
    return Record(QLatin1String(enrolment), 0, 2024, 3, day, hour, minute, second);
}

DeviceRecord withMode(DeviceRecord record, int mode) {
    record.mode = mode;
    return record;
}

} // namespace

class DownloadRunTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<TestDatabase> database_;
    QString settings_;

    void configure(const QString& faceId, const QString& addressT, const QString& addressP) {
        database_->Execute(
            QStringLiteral(
                "DELETE FROM TCHLOG; DELETE FROM SYSCONFIG;"
                "INSERT INTO SYSCONFIG (AXFACEID, AXIPADDRT, AXIPADDR) VALUES (%1, %2, %3);")
                .arg(faceId, addressT, addressP));
    }

    // The usual configuration: the text fetch from the terminal at AXIPADDRT.
    void configureTextFetch() {
        configure(QStringLiteral("0"), QStringLiteral("'10.0.0.9'"), QStringLiteral("''"));
    }

    bool rolledBackCleanly(LoadRun& run) {
        auto* connection = run.Window().findChild<db::Connection*>(QStringLiteral("db"));
        return connection->AutoCommit() && !connection->InTransaction();
    }

    static bool timerArmed(LoadRun& run) {
        return run.Window().findChild<QTimer*>(QStringLiteral("Timer1"))->isActive();
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        database_ = std::make_unique<TestDatabase>(QString::fromLatin1(kSchool));
        settings_ = WriteSettingsFile(folder_.path(), *database_);
    }

    void cleanupTestCase() { database_.reset(); }

    // Every row of the record-source table: which fetch reads the records, or that nothing
    // is read (the terminal is still connected, activated and closed, and nothing committed).
    void recordSourceFollowsTheConfiguration_data() {
        QTest::addColumn<QString>("faceId");
        QTest::addColumn<QString>("addressT");
        QTest::addColumn<QString>("addressP");
        QTest::addColumn<QString>("fetch");
        QTest::addColumn<QString>("connectedTo");

        QTest::newRow("1, T set, P set") << "1"
                                         << "'10.0.0.9'"
                                         << "'10.0.0.5'"
                                         << "NextFaceLogRecord"
                                         << "10.0.0.5";
        QTest::newRow("1, T set, P empty") << "1"
                                           << "'10.0.0.9'"
                                           << "''"
                                           << "NextFaceLogRecord"
                                           << "10.0.0.9";
        QTest::newRow("1, T empty, P empty") << "1"
                                             << "''"
                                             << "NULL"
                                             << "NextNumericLogRecord"
                                             << "";
        QTest::newRow("1, T empty, P set") << "1"
                                           << "NULL"
                                           << "'10.0.0.5'"
                                           << ""
                                           << "10.0.0.5";
        QTest::newRow("0, T set, P set") << "0"
                                         << "'10.0.0.9'"
                                         << "'10.0.0.5'"
                                         << "NextTextLogRecord"
                                         << "10.0.0.5";
        QTest::newRow("0, T set, P empty") << "0"
                                           << "'10.0.0.9'"
                                           << "''"
                                           << "NextTextLogRecord"
                                           << "10.0.0.9";
        QTest::newRow("null flag reads 0") << "NULL"
                                           << "'10.0.0.9'"
                                           << "''"
                                           << "NextTextLogRecord"
                                           << "10.0.0.9";
        QTest::newRow("0, T empty, P set") << "0"
                                           << "''"
                                           << "'10.0.0.5'"
                                           << "NextNumericLogRecord"
                                           << "10.0.0.5";
        QTest::newRow("0, T empty, P empty") << "0"
                                             << "''"
                                             << "''"
                                             << "NextNumericLogRecord"
                                             << "";
        QTest::newRow("2, T set, P empty") << "2"
                                           << "'10.0.0.9'"
                                           << "''"
                                           << "NextNumericLogRecord"
                                           << "10.0.0.9";
        QTest::newRow("2, T empty, P set") << "2"
                                           << "''"
                                           << "'10.0.0.5'"
                                           << ""
                                           << "10.0.0.5";
        QTest::newRow("-1, T set, P set") << "-1"
                                          << "'10.0.0.9'"
                                          << "'10.0.0.5'"
                                          << ""
                                          << "10.0.0.5";
    }

    void recordSourceFollowsTheConfiguration() {
        QFETCH(QString, faceId);
        QFETCH(QString, addressT);
        QFETCH(QString, addressP);
        QFETCH(QString, fetch);
        QFETCH(QString, connectedTo);
        configure(faceId, addressT, addressP);

        LoadRun run(settings_, {in("101", kMonday, 7, 10, 5)});
        QStringList expected{QStringLiteral("OpenTerminalLink")};
        if (!fetch.isEmpty()) {
            expected << QStringLiteral("PrepareLogRead 1") << fetch + QStringLiteral(" 1")
                     << fetch + QStringLiteral(" 1") << QStringLiteral("AfterReadStep1 1")
                     << QStringLiteral("AfterReadStep2 1");
        }
        expected << QStringLiteral("SetTerminalActive 1 -1") << QStringLiteral("CloseTerminalLink");
        QCOMPARE(run.Terminal().Calls(), expected);
        QCOMPARE(run.Terminal().ConnectedAddress(), connectedTo);
        QCOMPARE(run.Terminal().ConnectedPort(), 4370);
        QCOMPARE(run.Messages(), QStringList());
        QVERIFY(timerArmed(run));
        QVERIFY(rolledBackCleanly(run));
        QCOMPARE(run.Steps().LastSummary()->committed, !fetch.isEmpty());
        QCOMPARE(CommittedTeacherLog(*database_).size(), fetch.isEmpty() ? 0 : 1);
    }

    // A terminal that cannot be reached: its error code in the message, nothing written, the
    // link neither activated nor closed, and the window still closes by its timer.
    void connectFailure() {
        configureTextFetch();
        terminal::SimulatedTerminal::Faults faults;
        faults.connectErrorCode = -7;
        LoadRun run(settings_, {in("101", kMonday, 7, 10)}, faults);
        QCOMPARE(run.Messages(), QStringList{"! ConnectDevice ErrorNo.=-7"});
        QCOMPARE(run.Terminal().Calls(), (QStringList{"OpenTerminalLink", "QueryErrorCode"}));
        QVERIFY(timerArmed(run));
        QVERIFY(rolledBackCleanly(run));
        QCOMPARE(CommittedTeacherLog(*database_), QStringList());
    }

    void terminalWithNothingToRead() {
        configureTextFetch();
        terminal::SimulatedTerminal::Faults faults;
        faults.prepareAnswersFalse = true;
        LoadRun run(settings_, {in("101", kMonday, 7, 10)}, faults);
        QCOMPARE(run.Terminal().Calls(),
                 (QStringList{"OpenTerminalLink", "PrepareLogRead 1", "SetTerminalActive 1 -1",
                              "CloseTerminalLink"}));
        QVERIFY(!run.Steps().LastSummary()->committed);
        QVERIFY(timerArmed(run));
        QCOMPARE(CommittedTeacherLog(*database_), QStringList());
    }

    // The posting rules, record by record. Session PAGI starts 07:30 on weekdays, has no
    // start on Saturday and a zero start on Sunday; PETANG starts 13:00; T03 has left; T04's
    // session does not exist.
    void recordsBecomeTeacherLogRows_data() {
        QTest::addColumn<Records>("records");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("at the start time on time, a second later late")
            << Records{in("101", kMonday, 7, 30, 0), in("101", kTuesday, 7, 30, 1)}
            << QStringList{"11/03/2024 07:30:00 T01 I -", "12/03/2024 07:30:01 T01 L Lewat"};
        QTest::newRow("only the first sign-in of the day can be late")
            << Records{in("101", kMonday, 7, 40), in("101", kMonday, 7, 50)}
            << QStringList{"11/03/2024 07:40:00 T01 L Lewat", "11/03/2024 07:50:00 T01 I -"};
        QTest::newRow("an early first sign-in makes later ones on time")
            << Records{in("101", kMonday, 7, 0), in("101", kMonday, 7, 45)}
            << QStringList{"11/03/2024 07:00:00 T01 I -", "11/03/2024 07:45:00 T01 I -"};
        QTest::newRow("out, third mode and other modes are never late")
            << Records{withMode(in("101", kMonday, 7, 45), 1),
                       withMode(in("101", kMonday, 7, 46), 2),
                       withMode(in("101", kMonday, 7, 47), 3),
                       withMode(in("101", kMonday, 7, 48), 5), in("101", kMonday, 7, 49)}
            << QStringList{"11/03/2024 07:45:00 T01 O -", "11/03/2024 07:46:00 T01 A -",
                           "11/03/2024 07:47:00 T01 - -", "11/03/2024 07:48:00 T01 - -",
                           "11/03/2024 07:49:00 T01 L Lewat"};
        QTest::newRow("empty start time: on time, and the day is marked")
            << Records{in("101", kSaturday, 9, 0), in("101", kSaturday, 9, 5)}
            << QStringList{"16/03/2024 09:00:00 T01 I -", "16/03/2024 09:05:00 T01 I -"};
        QTest::newRow("zero start time")
            << Records{in("101", kSunday, 9, 0)} << QStringList{"17/03/2024 09:00:00 T01 I -"};
        QTest::newRow("session that does not exist")
            << Records{in("104", kMonday, 9, 0)} << QStringList{"11/03/2024 09:00:00 T04 I -"};
        QTest::newRow("repeat passed over; after another teacher the log decides")
            << Records{in("101", kMonday, 8, 0), in("101", kMonday, 8, 0),
                       in("102", kMonday, 12, 0), in("101", kMonday, 8, 0)}
            << QStringList{"11/03/2024 08:00:00 T01 L Lewat", "11/03/2024 12:00:00 T02 I -"};
        QTest::newRow("enrolment 0 does not separate a repeat")
            << Records{in("101", kMonday, 8, 0), in("0", kMonday, 8, 30), in("101", kMonday, 8, 0)}
            << QStringList{"11/03/2024 08:00:00 T01 L Lewat"};
        QTest::newRow("two modes in one second: the first only")
            << Records{in("101", kMonday, 7, 0), withMode(in("101", kMonday, 7, 0), 1)}
            << QStringList{"11/03/2024 07:00:00 T01 I -"};
        QTest::newRow("unknown enrolment: its number, the session the query stood on")
            << Records{in("102", kMonday, 12, 0), in("999", kMonday, 13, 30)}
            << QStringList{"11/03/2024 12:00:00 T02 I -", "11/03/2024 13:30:00 999 L Lewat"};
        QTest::newRow("unknown enrolment first: the query's first row")
            << Records{in("999", kMonday, 7, 45)} << QStringList{"11/03/2024 07:45:00 999 L Lewat"};
        QTest::newRow("teacher who left: the code, the session the query stood on")
            << Records{in("101", kMonday, 7, 0), in("103", kMonday, 7, 45)}
            << QStringList{"11/03/2024 07:00:00 T01 I -", "11/03/2024 07:45:00 T03 L Lewat"};
        QTest::newRow("hours 0, 12 and 13")
            << Records{withMode(in("101", kMonday, 0, 5), 1),
                       withMode(in("101", kMonday, 12, 5), 1),
                       withMode(in("101", kMonday, 13, 5), 1)}
            << QStringList{"11/03/2024 00:05:00 T01 O -", "11/03/2024 12:05:00 T01 O -",
                           "11/03/2024 13:05:00 T01 O -"};
    }

    void recordsBecomeTeacherLogRows() {
        QFETCH(Records, records);
        QFETCH(QStringList, rows);
        configureTextFetch();
        LoadRun run(settings_, records);
        QCOMPARE(run.Messages(), QStringList());
        QCOMPARE(CommittedTeacherLog(*database_), rows);
    }

    // An error after some records have been posted: nothing of the run is committed, the link
    // is left as it was, and the window waits for its Close button.
    void errorsRollTheWholeRunBack_data() {
        QTest::addColumn<Records>("records");
        QTest::addColumn<int>("fetchThrowsAfter");
        QTest::addColumn<QString>("message");
        const Records good{in("101", kMonday, 7, 0), in("102", kMonday, 12, 0)};

        QTest::newRow("month 13") << (good + Records{Record("101", 0, 2024, 13, 1, 8, 0, 0)}) << -1
                                  << "' 1/13/2024  8: 0: 0' is not a valid date and time.";
        QTest::newRow("minute 60") << (good + Records{in("101", kMonday, 8, 60)}) << -1
                                   << "'11/ 3/2024  8:60: 0' is not a valid date and time.";
        QTest::newRow("fetch fails") << (good + Records{in("101", kTuesday, 7, 0)}) << 2
                                     << "The terminal stopped answering after 2 records.";
        QTest::newRow("enrolment with SQL in it")
            << (good + Records{in("1 OR 1=1", kMonday, 8, 0)}) << -1
            << "Record 3 from the terminal has the enrolment number '1 OR 1=1', which is not a "
               "whole number of at most 32 bits.";
        QTest::newRow("enrolment with letters")
            << (good + Records{in("12A", kMonday, 8, 0)}) << -1
            << "Record 3 from the terminal has the enrolment number '12A', which is not a whole "
               "number of at most 32 bits.";
        QTest::newRow("enrolment beyond 32 bits")
            << (good + Records{in("4294967397", kMonday, 8, 0)}) << -1
            << "Record 3 from the terminal has the enrolment number '4294967397', which is not "
               "a whole number of at most 32 bits.";
    }

    void errorsRollTheWholeRunBack() {
        QFETCH(Records, records);
        QFETCH(int, fetchThrowsAfter);
        QFETCH(QString, message);
        configureTextFetch();
        terminal::SimulatedTerminal::Faults faults;
        if (fetchThrowsAfter >= 0) {
            faults.fetchThrowsAfter = fetchThrowsAfter;
        }
        LoadRun run(settings_, records, faults);
        QCOMPARE(run.Messages(), QStringList{message});
        QCOMPARE(CommittedTeacherLog(*database_), QStringList());
        QVERIFY(rolledBackCleanly(run));
        QVERIFY(!timerArmed(run));
        QVERIFY(!run.Terminal().Calls().contains(QStringLiteral("CloseTerminalLink")));
        QVERIFY(!run.Steps().LastSummary()->committed);
    }

    // After the commit an error of the terminal's own after-read step leaves the rows in
    // place; it is shown like any error of creation.
    void errorAfterTheCommitKeepsTheRows() {
        configureTextFetch();
        terminal::SimulatedTerminal::Faults faults;
        faults.afterReadThrows = true;
        LoadRun run(settings_, {in("101", kMonday, 7, 0)}, faults);
        QCOMPARE(run.Messages(), QStringList{"The terminal did not free its buffer."});
        QCOMPARE(CommittedTeacherLog(*database_), QStringList{"11/03/2024 07:00:00 T01 I -"});
        QVERIFY(!timerArmed(run));
    }

    // The numeric fetch gives no seconds: the clock's second of the moment the record was
    // read takes their place.
    void numericFetchTakesTheClocksSecond() {
        configure(QStringLiteral("0"), QStringLiteral("''"), QStringLiteral("'10.0.0.5'"));
        const int before = QTime::currentTime().second();
        LoadRun run(settings_, {in("101", kMonday, 9, 10, 59)});
        const int after = QTime::currentTime().second();
        const QStringList rows = CommittedTeacherLog(*database_);
        QCOMPARE(rows.size(), 1);
        const int stored = rows.first().mid(17, 2).toInt();
        QVERIFY2(rows.first().startsWith(QStringLiteral("11/03/2024 09:10:")),
                 qPrintable(rows.first()));
        const bool withinRun = before <= after ? (stored >= before && stored <= after)
                                               : (stored >= before || stored <= after);
        QVERIFY2(withinRun,
                 qPrintable(QStringLiteral("%1 not in %2..%3").arg(stored).arg(before).arg(after)));
    }

    // One whole load: three teachers over two weeks into an empty log; a second run of the
    // same terminal adds nothing.
    void wholeLoadAndASecondRunThatAddsNothing() {
        configureTextFetch();
        Records records;
        QStringList rows;
        for (int day = 11; day <= 22; ++day) {
            const QDate date(2024, 3, day);
            if (date.dayOfWeek() > 5) {
                continue;
            }
            const QString d = date.toString(QStringLiteral("dd/MM/yyyy"));
            const int lateMinute = day % 3 == 0 ? 35 : 20; // late on some days
            records << in("101", day, 7, lateMinute, 15) << withMode(in("101", day, 14, 30), 1)
                    << in("102", day, 12, 55) << withMode(in("102", day, 18, 0, 30), 1);
            rows << QStringLiteral("%1 07:%2:15 T01 %3")
                        .arg(d)
                        .arg(lateMinute)
                        .arg(lateMinute > 30 ? QStringLiteral("L Lewat") : QStringLiteral("I -"))
                 << QStringLiteral("%1 12:55:00 T02 I -").arg(d)
                 << QStringLiteral("%1 14:30:00 T01 O -").arg(d)
                 << QStringLiteral("%1 18:00:30 T02 O -").arg(d);
        }
        records << in("104", 22, 16, 0) << in("104", 22, 16, 0);
        rows << QStringLiteral("22/03/2024 16:00:00 T04 I -");
        rows.sort(); // one month only, so day-first texts sort in time order
        {
            LoadRun first(settings_, records);
            QCOMPARE(first.Messages(), QStringList());
            const terminal::RunSummary summary = *first.Steps().LastSummary();
            QCOMPARE(summary.read, records.size());
            QCOMPARE(summary.passedOver, 1);
            QCOMPARE(summary.inserted, rows.size());
            QCOMPARE(summary.late, 4); // the 12th, 15th, 18th and 21st
            QCOMPARE(first.Window().findChild<QLabel*>(QStringLiteral("lblTchID"))->text(),
                     QStringLiteral("Loading Teacher ID: T04"));
        }
        QCOMPARE(CommittedTeacherLog(*database_), rows);
        LoadRun second(settings_, records);
        QCOMPARE(second.Steps().LastSummary()->inserted, 0);
        QCOMPARE(second.Steps().LastSummary()->alreadyPresent, rows.size());
        QCOMPARE(CommittedTeacherLog(*database_), rows);
    }

    // A remark given by the caller is stored as it is, also with a late first sign-in.
    void remarkPassedInIsKept() {
        configureTextFetch();
        auto connection = database_->Connect();
        db::Table sessions(*connection, QStringLiteral("TCHSESS"), db::school::TchSessColumns(),
                           {QStringLiteral("Code")}, nullptr);
        sessions.Open();
        db::MemorySet sign(db::school::SignFields(),
                           {QStringLiteral("TchID"), QStringLiteral("LogDate")}, nullptr);
        sign.CreateDataSet();
        db::Statement insert(*connection, nullptr);
        insert.SetSQL(db::BuildInsertSql(*connection, QStringLiteral("TchLog")));
        posting::PostingTargets targets{*connection, sessions, sign, insert};
        connection->StartTransaction();
        const posting::PostResult late = posting::PostTchLog(
            targets, QStringLiteral("11/03/2024 07:45:00 AM"), QStringLiteral("T01"),
            QStringLiteral("PAGI"), QStringLiteral("Kursus"), 1);
        posting::PostTchLog(targets, QStringLiteral("11/03/2024 01:45:00 PM"),
                            QStringLiteral("T01"), QStringLiteral("PAGI"), QStringLiteral("Kursus"),
                            1);
        posting::PostTchLog(targets, QStringLiteral("11/03/2024 12:05:00 AM"),
                            QStringLiteral("T01"), QStringLiteral("PAGI"), QString(), 2);
        connection->Commit();
        QVERIFY(late.late && late.inserted);
        QCOMPARE(CommittedTeacherLog(*database_),
                 (QStringList{"11/03/2024 00:05:00 T01 O -", "11/03/2024 07:45:00 T01 L Kursus",
                              "11/03/2024 13:45:00 T01 I Kursus"}));
    }
};

QTEST_MAIN(DownloadRunTest)
#include "tst_download_run.moc"
