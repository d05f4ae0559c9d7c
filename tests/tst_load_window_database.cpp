// The load window's creation on a real database: the connection from the settings file,
// the configuration row and the terminal address, the insert statement and the datasets,
// and what the user sees when the connection or the schema is wrong.

#include "app/database_steps.h"
#include "app/frm_autoload.h"
#include "db/connection.h"
#include "db/connection_settings.h"
#include "db/memory_set.h"
#include "db/query.h"
#include "db/statement.h"
#include "db/table.h"
#include "firebird_fixture.h"
#include "platform/message_boxes.h"
#include "terminal/simulated_terminal.h"
#include "test_helpers.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <iostream>
#include <memory>

namespace {

const char* const kTeachers = R"(
INSERT INTO TEACHER (CODE, SESSION, AXENRLNO) VALUES ('T01', 'PAGI', 1);
INSERT INTO TCHSESS (CODE) VALUES ('PAGI');
)";

// These cases end before the download; a terminal that never answers shows if one is reached.
terminal::TerminalFactory noTerminal() {
    return [] {
        auto simulated =
            std::make_unique<terminal::SimulatedTerminal>(QList<terminal::DeviceRecord>{});
        simulated->faults.connectErrorCode = -99;
        return simulated;
    };
}

QStringList messageTexts() {
    QStringList texts;
    for (const platform::ShownMessage& message : platform::MessageBoxes::Shown()) {
        texts.append(message.text);
    }
    return texts;
}

} // namespace

class LoadWindowDatabaseTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<TestDatabase> database_;

    // A settings file as a user writes it: the server in the Windows network form and the
    // password scrambled by our tool's rules.
    QString writeSettings(const QString& schooldb, const QString& password) const {
        QRandomGenerator random(7);
        QString path = folder_.filePath(QStringLiteral("attendance-loader.ini"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return {};
        }
        file.write(
            QStringLiteral("[Company List]\r\nSchooldb=%1\r\n\r\n[DEFAULT]\r\nSYSDBA=%2\r\n")
                .arg(schooldb, db::QuotedSettingsValue(db::ScramblePassword(password, random)))
                .toUtf8());
        return path;
    }

    QString goodSettings() const {
        return writeSettings(QStringLiteral("\\\\localhost\\fb;") + database_->Path(),
                             firebird::Password());
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        database_ = std::make_unique<TestDatabase>(QString::fromLatin1(kTeachers));
        platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
    }

    void init() { platform::MessageBoxes::ForgetShown(); }

    void cleanupTestCase() { database_.reset(); }

    // Steps 3 to 9 on the database: connected, the first configuration row's address in the
    // box, the insert statement built from the table, the run's datasets open and the others
    // closed; the Close button closes them all.
    void creationOpensTheRunsDataSets() {
        database_->Execute(QStringLiteral(
            "DELETE FROM SYSCONFIG;"
            "INSERT INTO SYSCONFIG (AXIPADDR, AXIPADDRT) VALUES ('10.0.0.5', '10.0.0.9');"
            "INSERT INTO SYSCONFIG (AXIPADDR, AXIPADDRT) VALUES ('10.0.0.6', '10.0.0.7');"));
        DatabaseSteps steps(goodSettings(), noTerminal());
        auto* window = new TfrmAutoload(steps);
        window->FormCreate();

        QVERIFY(window->findChild<db::Connection*>(QStringLiteral("db"))->Connected());
        QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("edtAXIPAddr"))->text(),
                 QStringLiteral("10.0.0.5"));
        QCOMPARE(window->findChild<db::Statement*>(QStringLiteral("sqlInsLog"))->SQL(),
                 QStringLiteral("INSERT INTO TchLog (LOGDATE,TCHID,LOGTYPE,REMARK) VALUES "
                                "(:LOGDATE,:TCHID,:LOGTYPE,:REMARK)"));
        const QStringList open{"tblSysCnf", "sqlTch", "tblTchSess", "tblSign"};
        const QStringList closed{"tblTchLog", "tblTchAbs", "sqlTchLog"};
        for (const QString& name : open) {
            QVERIFY2(window->findChild<platform::DataSet*>(name)->Active(), qPrintable(name));
        }
        for (const QString& name : closed) {
            QVERIFY2(!window->findChild<platform::DataSet*>(name)->Active(), qPrintable(name));
        }
        QCOMPARE(window->findChild<db::Query*>(QStringLiteral("sqlTch"))->RecordCount(), 1);

        window->show();
        QList<QPointer<platform::DataSet>> dataSets;
        for (platform::DataSet* dataSet : window->findChildren<platform::DataSet*>()) {
            dataSets.append(dataSet);
        }
        QCOMPARE(dataSets.size(), open.size() + closed.size());
        QPointer<TfrmAutoload> guard(window);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnClose")),
                          Qt::LeftButton);
        for (const QPointer<platform::DataSet>& dataSet : dataSets) {
            QVERIFY(dataSet.isNull() || !dataSet->Active());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
    }

    // The address box gets AXIPADDR when it holds any text, else AXIPADDRT, as the columns
    // give them, blanks included.
    void addressComesFromTheConfigurationRow_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("address");
        QTest::newRow("both set") << "'10.0.0.5', '10.0.0.9'"
                                  << "10.0.0.5";
        QTest::newRow("first empty") << "'', '10.0.0.9'"
                                     << "10.0.0.9";
        QTest::newRow("first null") << "NULL, '10.0.0.9'"
                                    << "10.0.0.9";
        QTest::newRow("blanks kept") << "' 10.0.0.5 ', '10.0.0.9'"
                                     << " 10.0.0.5 ";
        QTest::newRow("a blank is a text") << "' ', '10.0.0.9'"
                                           << " ";
        QTest::newRow("both empty") << "'', NULL"
                                    << "";
    }

    void addressComesFromTheConfigurationRow() {
        QFETCH(QString, values);
        QFETCH(QString, address);
        database_->Execute(
            QStringLiteral("DELETE FROM SYSCONFIG;"
                           "INSERT INTO SYSCONFIG (AXIPADDR, AXIPADDRT) VALUES (%1);")
                .arg(values));
        DatabaseSteps steps(goodSettings(), noTerminal());
        TfrmAutoload window(steps);
        window.FormCreate();
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("edtAXIPAddr"))->text(), address);
    }

    // A connection that cannot be made: the fixed message, the database's reason on standard
    // error, a closed connection, and then the error of the first step that needs it.
    void connectionFailures_data() {
        QTest::addColumn<QString>("schooldb");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("reason");
        QTest::newRow("wrong password") << "\\\\localhost\\fb;%1"
                                        << "wrong"
                                        << "password";
        QTest::newRow("wrong path") << "\\\\localhost\\fb;/var/lib/firebird/3.0/data/none.fdb"
                                    << "%p"
                                    << "none.fdb";
        QTest::newRow("no server") << "\\\\127.0.0.2\\fb;%1"
                                   << "%p"
                                   << "127.0.0.2";
        QTest::newRow("empty settings") << ""
                                        << ""
                                        << "cannot connect to";
    }

    void connectionFailures() {
        QFETCH(QString, schooldb);
        QFETCH(QString, password);
        QFETCH(QString, reason);
        const QString settings =
            writeSettings(schooldb.replace(QStringLiteral("%1"), database_->Path()),
                          password == QStringLiteral("%p") ? firebird::Password() : password);
        DatabaseSteps steps(settings, noTerminal());
        TfrmAutoload window(steps);
        CapturedStandardError captured;
        window.FormCreate();
        QCOMPARE(messageTexts(),
                 (QStringList{"Server I/P or Path Error!", "The database is not connected."}));
        QVERIFY(!window.findChild<db::Connection*>(QStringLiteral("db"))->Connected());
        QVERIFY2(captured.text().contains(reason, Qt::CaseInsensitive),
                 qPrintable(captured.text()));
        QVERIFY(!captured.text().contains(firebird::Password()));
        QVERIFY(!window.CreationCompleted());
    }

    void schemaWithoutADeclaredColumnStopsCreation() {
        TestDatabase altered(QStringLiteral("ALTER TABLE SYSCONFIG DROP AXFACEID;"));
        DatabaseSteps steps(writeSettings(QStringLiteral("\\\\localhost\\fb;") + altered.Path(),
                                          firebird::Password()),
                            noTerminal());
        {
            TfrmAutoload window(steps);
            window.FormCreate();
            QCOMPARE(messageTexts(), QStringList{"Table SYSCONFIG has no column AXFACEID."});
            QVERIFY(!window.CreationCompleted());
        }
    }
};

QTEST_MAIN(LoadWindowDatabaseTest)
#include "tst_load_window_database.moc"
