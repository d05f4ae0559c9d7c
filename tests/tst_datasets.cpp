// The data-access components on a real database: declared columns checked at open, exact
// key searches, the prepared statement with named parameters, the in-memory set, and
// date-time values that keep their wall-clock reading.

#include "db/connection.h"
#include "db/date_time.h"
#include "db/memory_set.h"
#include "db/query.h"
#include "db/school_tables.h"
#include "db/statement.h"
#include "db/table.h"
#include "firebird_fixture.h"
#include "platform/errors.h"
#include "test_helpers.h"

#include <QTest>
#include <memory>

using db::DateTime;

namespace {

const char* const kRows = R"(
INSERT INTO SYSCONFIG (AXIPADDR, AXIPADDRT, AXFACEID) VALUES ('10.0.0.5', '10.0.0.9', 1);
INSERT INTO SYSCONFIG (AXIPADDR, AXIPADDRT, AXFACEID) VALUES ('10.0.0.6', NULL, 0);
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO) VALUES ('T03', 'PETANG', 3);
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO) VALUES ('T01', 'PAGI', 1);
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO, QDATE) VALUES ('T02', 'PAGI', 2, '2023-12-31');
INSERT INTO TCHSESS (CODE, TIMEI_MON, TIMEI_TUE) VALUES ('PETANG', '1899-12-30 13:00:00', NULL);
INSERT INTO TCHSESS (CODE, TIMEI_MON, TIMEI_TUE) VALUES ('PAGI', '1899-12-30 07:30:00', '1899-12-30 07:45:00');
)";

} // namespace

class DataSetsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> database_;
    std::unique_ptr<db::Connection> connection_;

private slots:
    void initTestCase() {
        database_ = std::make_unique<TestDatabase>(QString::fromLatin1(kRows));
        connection_ = database_->Connect();
    }

    void cleanupTestCase() {
        connection_.reset();
        database_.reset();
    }

    void dateTimeCountsDaysFromTheLastDayOf1899_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<double>("days");
        QTest::newRow("day zero") << QDate(1899, 12, 30) << QTime(0, 0) << 0.0;
        QTest::newRow("noon of day zero") << QDate(1899, 12, 30) << QTime(12, 0) << 0.5;
        QTest::newRow("1 January 1900") << QDate(1900, 1, 1) << QTime(0, 0) << 2.0;
        QTest::newRow("before day zero") << QDate(1899, 12, 29) << QTime(6, 0) << -1.25;
        QTest::newRow("15 March 2024 18:00") << QDate(2024, 3, 15) << QTime(18, 0) << 45366.75;
    }

    void dateTimeCountsDaysFromTheLastDayOf1899() {
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(double, days);
        const DateTime value = DateTime::FromDateAndTime(date, time);
        QCOMPARE(value.Days(), days);
        QCOMPARE(value.Date(), date);
        QCOMPARE(value.Time(), time);
        QCOMPARE(DateTime::FromVariant(QVariant()).Days(), 0.0);
    }

    // Through the statement into the database and back through a table: the same wall-clock
    // reading, also for a time that does not exist locally (the spring gap) and one that
    // exists twice (the autumn fold), and a null for 0.
    void dateTimesKeepTheirWallClockReadingInTheDatabase() {
        const QList<DateTime> moments{
            DateTime::FromDateAndTime(QDate(2024, 3, 31), QTime(2, 30, 15)),
            DateTime::FromDateAndTime(QDate(2024, 10, 27), QTime(2, 30, 15)),
            DateTime::FromDateAndTime(QDate(2024, 7, 1), QTime(23, 59, 59)),
            DateTime::FromTime(QTime(7, 45)),
        };
        db::Statement insert(*connection_, nullptr);
        insert.SetSQL(QStringLiteral("INSERT INTO TchLog (LOGDATE,TCHID,LOGTYPE,REMARK) VALUES "
                                     "(:LOGDATE,:TCHID,:LOGTYPE,:REMARK)"));
        for (qsizetype i = 0; i < moments.size(); ++i) {
            insert.Prepare();
            insert.SetParam(QStringLiteral("TchID"), QStringLiteral("W%1").arg(i));
            insert.SetParam(QStringLiteral("LogDate"), QVariant::fromValue(moments.at(i)));
            insert.SetParam(QStringLiteral("logtype"), QStringLiteral("I"));
            insert.SetParam(QStringLiteral("REMARK"), QVariant());
            insert.Execute();
            insert.Unprepare();
        }
        db::Table log(*connection_, QStringLiteral("TCHLOG"), db::school::TchLogColumns(),
                      {QStringLiteral("LogDate"), QStringLiteral("TchID")}, nullptr);
        log.Open();
        for (qsizetype i = 0; i < moments.size(); ++i) {
            QVERIFY(log.Locate({QStringLiteral("TCHID")}, {QStringLiteral("W%1").arg(i)}));
            QCOMPARE(log.FieldByName(QStringLiteral("LOGDATE")).AsDateTime(), moments.at(i));
            QVERIFY(log.FieldByName(QStringLiteral("REMARK")).IsNull());
            QCOMPARE(log.FieldByName(QStringLiteral("REMARK")).AsString(), QString());
        }
    }

    void statementRefusesWhatItDoesNotHave() {
        db::Statement insert(*connection_, nullptr);
        insert.setObjectName(QStringLiteral("sqlInsLog"));
        insert.SetSQL(QStringLiteral(
            "INSERT INTO TchLog (LOGDATE,TCHID,REMARK) VALUES (:LOGDATE,:TCHID,:REMARK)"));
        QVERIFY(
            DatabaseErrorOf([&] { insert.Execute(); }).contains(QStringLiteral("not prepared")));
        insert.Prepare();
        QVERIFY(DatabaseErrorOf([&] {
                    insert.SetParam(QStringLiteral("LogType"), 1);
                }).contains(QStringLiteral("LogType")));
        // A parameter that is never set stores no value, also after an earlier execution set it.
        const DateTime moment = DateTime::FromDateAndTime(QDate(2025, 1, 2), QTime(8, 0));
        insert.SetParam(QStringLiteral("TCHID"), QStringLiteral("N1"));
        insert.SetParam(QStringLiteral("LOGDATE"), QVariant::fromValue(moment));
        insert.SetParam(QStringLiteral("REMARK"), QStringLiteral("set"));
        insert.Execute();
        insert.Unprepare();
        insert.Prepare();
        insert.SetParam(QStringLiteral("TCHID"), QStringLiteral("N2"));
        insert.SetParam(QStringLiteral("LOGDATE"), QVariant::fromValue(moment));
        insert.Execute();
        insert.Unprepare();
        db::Table log(*connection_, QStringLiteral("TCHLOG"), db::school::TchLogColumns(), {},
                      nullptr);
        log.Open();
        QVERIFY(log.Locate({QStringLiteral("TCHID")}, {QStringLiteral("N2")}));
        QVERIFY(log.FieldByName(QStringLiteral("REMARK")).IsNull());
    }

    // The table opens on its first row; a search moves to the matching row, and a search
    // without match leaves the row where it was.
    void tableOpensOnItsFirstRowAndSearchesItsOrder() {
        db::Table config(*connection_, QStringLiteral("SYSCONFIG"), db::school::SysConfigColumns(),
                         {}, nullptr);
        config.Open();
        QCOMPARE(config.RecordCount(), 2);
        QCOMPARE(config.FieldByName(QStringLiteral("AXIPADDR")).AsString(),
                 QStringLiteral("10.0.0.5"));
        QCOMPARE(config.FieldByName(QStringLiteral("AXFACEID")).AsInteger(), 1);
        QCOMPARE(config.FieldByName(QStringLiteral("STDATE1")).AsDateTime().Days(), 0.0);

        db::Table sessions(*connection_, QStringLiteral("TCHSESS"), db::school::TchSessColumns(),
                           {QStringLiteral("Code")}, nullptr);
        sessions.Open();
        QCOMPARE(sessions.FieldByName(QStringLiteral("CODE")).AsString(), QStringLiteral("PAGI"));
        QVERIFY(sessions.FindKey({QStringLiteral("PETANG")}));
        QCOMPARE(sessions.FieldByName(QStringLiteral("TIMEI_MON")).AsDateTime(),
                 DateTime::FromTime(QTime(13, 0)));
        QCOMPARE(sessions.FieldByName(QStringLiteral("TIMEI_TUE")).AsDateTime().Days(), 0.0);
        QVERIFY(!sessions.FindKey({QStringLiteral("pagi")}));
        QCOMPARE(sessions.FieldByName(QStringLiteral("CODE")).AsString(), QStringLiteral("PETANG"));
        sessions.Close();
        QVERIFY(!sessions.Active());
        QVERIFY(sessions.FieldByName(QStringLiteral("CODE")).IsNull());
    }

    void activeTeachersQuery() {
        db::Query teachers(*connection_, db::school::ActiveTeachersSql(), QStringLiteral("Teacher"),
                           db::school::TeacherColumns(), nullptr);
        teachers.Open();
        QStringList codes;
        for (teachers.First(); !teachers.Eof(); teachers.Next()) {
            codes.append(teachers.FieldByName(QStringLiteral("CODE")).AsString());
        }
        QCOMPARE(codes, (QStringList{"T01", "T03"}));
        QVERIFY(teachers.Locate({QStringLiteral("CODE")}, {QStringLiteral("T03")}));
        QCOMPARE(teachers.FieldByName(QStringLiteral("SESSION")).AsString(),
                 QStringLiteral("PETANG"));
        QVERIFY(!teachers.Locate({QStringLiteral("CODE")}, {QStringLiteral("T02")}));
        QCOMPARE(teachers.FieldByName(QStringLiteral("CODE")).AsString(), QStringLiteral("T03"));
    }

    // Opening a dataset over a table that lacks a declared column, or has it with another
    // type, fails with an error that names the table and the column.
    void openChecksTheDeclaredColumns_data() {
        QTest::addColumn<QString>("alteration");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing column") << "ALTER TABLE TCHSESS DROP TIMEI_SUN;"
                                        << "Table TCHSESS has no column TIMEI_SUN";
        QTest::newRow("date instead of timestamp")
            << "ALTER TABLE TCHSESS ALTER TIMEI_WED TYPE DATE;"
            << "Column TCHSESS.TIMEI_WED is DATE where TIMESTAMP is expected";
        QTest::newRow("integer instead of smallint")
            << "ALTER TABLE TCHSESS ALTER PASSWD TYPE INTEGER;"
            << "Column TCHSESS.PASSWD is INTEGER where SMALLINT is expected";
        QTest::newRow("number instead of text")
            << "ALTER TABLE TCHSESS DROP DESCRIPTION; ALTER TABLE TCHSESS ADD DESCRIPTION INTEGER;"
            << "Column TCHSESS.DESCRIPTION is INTEGER where VARCHAR is expected";
        QTest::newRow("no table") << "DROP TABLE TCHSESS;"
                                  << "Table TCHSESS does not exist";
    }

    void openChecksTheDeclaredColumns() {
        QFETCH(QString, alteration);
        QFETCH(QString, message);
        TestDatabase altered(alteration);
        auto connection = altered.Connect();
        db::Table sessions(*connection, QStringLiteral("TCHSESS"), db::school::TchSessColumns(),
                           {QStringLiteral("Code")}, nullptr);
        QCOMPARE(DatabaseErrorOf([&] { sessions.Open(); }), message);
        QVERIFY(!sessions.Active());
    }

    void openingOverAClosedConnectionFails() {
        db::Connection closed;
        db::Table config(closed, QStringLiteral("SYSCONFIG"), db::school::SysConfigColumns(), {},
                         nullptr);
        QCOMPARE(DatabaseErrorOf([&] { config.Open(); }),
                 QStringLiteral("The database is not connected"));
    }

    void memorySetFindsExactKeysAndForgetsThemWhenClosed() {
        db::MemorySet sign(db::school::SignFields(),
                           {QStringLiteral("TchID"), QStringLiteral("LogDate")}, nullptr);
        sign.CreateDataSet();
        QVERIFY(!sign.FindKey({QStringLiteral("T01"), QDate(2024, 3, 15)}));
        sign.AppendRecord({QStringLiteral("T01"), QDate(2024, 3, 15)});
        QVERIFY(sign.FindKey({QStringLiteral("T01"), QDate(2024, 3, 15)}));
        QVERIFY(!sign.FindKey({QStringLiteral("T01"), QDate(2024, 3, 16)}));
        QVERIFY(!sign.FindKey({QStringLiteral("t01"), QDate(2024, 3, 15)}));
        QCOMPARE(sign.RecordCount(), 1);
        sign.Close();
        QVERIFY(!sign.Active());
        sign.CreateDataSet();
        QVERIFY(!sign.FindKey({QStringLiteral("T01"), QDate(2024, 3, 15)}));
    }
};

QTEST_GUILESS_MAIN(DataSetsTest)
#include "tst_datasets.moc"
