// The SQL helper routines against a real database: the statements they send, what they
// answer, and the database's errors they pass on.

#include "db/connection.h"
#include "db/sql_helpers.h"
#include "firebird_fixture.h"
#include "platform/errors.h"
#include "test_helpers.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

using db::DateTime;

namespace {
const char* const kRows = R"(
INSERT INTO TEACHER (CODE, NAME, AXENRLNO, SESSION) VALUES ('T01', 'Aminah', 1024, 'PAGI');
INSERT INTO TEACHER (CODE, NAME, AXENRLNO, SESSION) VALUES ('T02', 'Bala', 2048, 'PETANG');
INSERT INTO TEACHER (CODE, NAME, AXENRLNO, SESSION) VALUES ('T03', 'Chong', 2048, 'PAGI');
INSERT INTO USERRIGHTS (CODE, FORMNAME, RIGHTS) VALUES ('AB1', 'FRMSTUDENT', 3);
INSERT INTO TCHLOG (LOGDATE, TCHID, LOGTYPE) VALUES ('2024-03-15 07:45:12', 'T01', 'I');
)";
} // namespace

class SqlHelpersTest : public QObject {
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

    void dateLiteral_data() {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("literal");
        const DateTime march = DateTime::FromDateAndTime(QDate(2024, 3, 15), QTime(7, 45, 12));
        QTest::newRow("15 March 2024") << march.Days() << "'03/15/2024 07:45:12'";
        QTest::newRow("noon on day zero") << 0.5 << "'12/30/1899 12:00:00'";
        QTest::newRow("zero") << 0.0 << "NULL";
        QTest::newRow("before day zero") << -1.25 << "'12/29/1899 06:00:00'";
        QTest::newRow("a millisecond before a second")
            << DateTime::FromDateAndTime(QDate(2024, 3, 15), QTime(7, 45, 12, 999)).Days()
            << "'03/15/2024 07:45:12'";
        QTest::newRow("half a millisecond before midnight")
            << DateTime::FromDate(QDate(2024, 3, 16)).Days() - 0.5 / 86400000.0
            << "'03/16/2024 00:00:00'";
    }

    void dateLiteral() {
        QFETCH(double, days);
        QFETCH(QString, literal);
        QCOMPARE(db::SqlDateLiteral(DateTime(days)), literal);
    }

    void statementTexts() {
        QCOMPARE(db::RecordExistsSql(QStringLiteral("TchLog"), QStringLiteral("TchID='T01'")),
                 QStringLiteral("SELECT COUNT(*) AS CNT FROM TchLog WHERE TchID='T01'"));
        QCOMPARE(db::RecordExistsSql(QStringLiteral("TchLog"), QString()),
                 QStringLiteral("SELECT COUNT(*) AS CNT FROM TchLog WHERE "));
        QCOMPARE(db::ColumnProbeSql(QStringLiteral("TchLog")),
                 QStringLiteral("SELECT * FROM TchLog WHERE 1=-1"));
        QCOMPARE(db::LookupSql(QStringLiteral("Teacher"), QStringLiteral("AXEnrlNo=1024"),
                               QStringLiteral("Code")),
                 QStringLiteral("SELECT Code FROM Teacher WHERE AXEnrlNo=1024"));
        QCOMPARE(
            db::LookupSql(QStringLiteral("UserRights"), QString(), QStringLiteral("Code;FormName")),
            QStringLiteral("SELECT Code,FormName FROM UserRights"));
        QCOMPARE(db::QuotedText(QStringLiteral("O'Neil")), QStringLiteral("'O''Neil'"));
    }

    void recordExists_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("exists");
        QTest::newRow("one row") << "TchLog"
                                 << "LogDate='03/15/2024 07:45:12' AND TchID='T01'" << true;
        QTest::newRow("other second") << "TchLog"
                                      << "LogDate='03/15/2024 07:45:13' AND TchID='T01'" << false;
        QTest::newRow("many rows") << "Teacher"
                                   << "AXEnrlNo=2048" << true;
        QTest::newRow("no row") << "Teacher"
                                << "AXEnrlNo=9" << false;
    }

    void recordExists() {
        QFETCH(QString, table);
        QFETCH(QString, condition);
        QFETCH(bool, exists);
        QCOMPARE(db::RecordExists(*connection_, table, condition), exists);
    }

    void buildInsertSqlUsesTheTablesOwnColumns() {
        QCOMPARE(db::BuildInsertSql(*connection_, QStringLiteral("TchLog")),
                 QStringLiteral("INSERT INTO TchLog (LOGDATE,TCHID,LOGTYPE,REMARK) VALUES "
                                "(:LOGDATE,:TCHID,:LOGTYPE,:REMARK)"));
    }

    void lookup_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("one field") << "Teacher"
                                   << "AXEnrlNo=1024"
                                   << "Code" << QVariant("T01");
        QTest::newRow("first of several rows") << "Teacher"
                                               << "AXEnrlNo=2048 ORDER BY Code"
                                               << "Code" << QVariant("T02");
        QTest::newRow("no row") << "Teacher"
                                << "AXEnrlNo=1"
                                << "Code" << QVariant();
        QTest::newRow("no row, several fields") << "UserRights"
                                                << "Code='ZZ'"
                                                << "Code,FormName,Rights" << QVariant();
        QTest::newRow("several fields")
            << "UserRights"
            << "Code='AB1' AND FormName='FRMSTUDENT'"
            << "Code,FormName,Rights" << QVariant(QVariantList{"AB1", "FRMSTUDENT", 3});
        QTest::newRow("semicolons")
            << "UserRights"
            << "Code='AB1'"
            << "Code;FormName" << QVariant(QVariantList{"AB1", "FRMSTUDENT"});
        QTest::newRow("whole table") << "UserRights"
                                     << ""
                                     << "Rights" << QVariant(3);
    }

    void lookup() {
        QFETCH(QString, table);
        QFETCH(QString, condition);
        QFETCH(QString, fields);
        QFETCH(QVariant, expected);
        const QVariant value = db::SqlLookup(*connection_, table, condition, fields);
        QCOMPARE(value.isNull(), expected.isNull());
        if (expected.metaType() == QMetaType::fromType<QVariantList>()) {
            const QVariantList list = value.toList();
            const QVariantList wanted = expected.toList();
            QCOMPARE(list.size(), wanted.size());
            for (qsizetype i = 0; i < wanted.size(); ++i) {
                QCOMPARE(list.at(i).toString(), wanted.at(i).toString());
            }
        } else if (!expected.isNull()) {
            QCOMPARE(value.toString(), expected.toString());
        }
    }

    // The helpers add nothing of their own to a database error: the server's message reaches
    // the caller, and the connection stays usable.
    void databaseErrorsPassOnUnchanged_data() {
        QTest::addColumn<int>("helper");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("words");
        QTest::newRow("empty condition") << 0 << "TchLog"
                                         << ""
                                         << "Unexpected end of command";
        QTest::newRow("unknown column") << 0 << "Teacher"
                                        << "Nope=1"
                                        << "NOPE";
        QTest::newRow("no such table") << 1 << "NoSuchTable"
                                       << ""
                                       << "NOSUCHTABLE";
        QTest::newRow("not a number") << 2 << "Teacher"
                                      << "AXEnrlNo=12a"
                                      << "Token unknown";
    }

    void databaseErrorsPassOnUnchanged() {
        QFETCH(int, helper);
        QFETCH(QString, table);
        QFETCH(QString, condition);
        QFETCH(QString, words);
        const QString error = DatabaseErrorOf([&] {
            if (helper == 0) {
                db::RecordExists(*connection_, table, condition);
            } else if (helper == 1) {
                db::BuildInsertSql(*connection_, table);
            } else {
                db::SqlLookup(*connection_, table, condition, QStringLiteral("Code"));
            }
        });
        QVERIFY2(error.contains(words), qPrintable(error));
        QVERIFY(db::RecordExists(*connection_, QStringLiteral("Teacher"),
                                 QStringLiteral("Code='T01'")));
    }

    // Inside a transaction the existence test sees the rows that transaction wrote and has
    // not committed; a rollback takes them away.
    void recordExistsSeesUncommittedRowsOfItsTransaction() {
        const QString condition = QStringLiteral("LogDate='03/16/2024 08:00:00' AND TchID='T02'");
        connection_->SetAutoCommit(false);
        connection_->StartTransaction();
        QSqlQuery insert(connection_->Handle());
        QVERIFY(insert.exec(QStringLiteral(
            "INSERT INTO TCHLOG (LOGDATE, TCHID) VALUES ('2024-03-16 08:00:00', 'T02')")));
        QVERIFY(db::RecordExists(*connection_, QStringLiteral("TchLog"), condition));
        auto other = database_->Connect();
        QVERIFY(!db::RecordExists(*other, QStringLiteral("TchLog"), condition));
        connection_->Rollback();
        connection_->SetAutoCommit(true);
        QVERIFY(!connection_->InTransaction());
        QVERIFY(!db::RecordExists(*connection_, QStringLiteral("TchLog"), condition));
    }
};

QTEST_GUILESS_MAIN(SqlHelpersTest)
#include "tst_sql_helpers.moc"
