// A table changed record by record on a real database: its key comes from the database, its
// rows in key order, and each insert, update and delete reaches the table with bound values
// and touches exactly the row it was read as.

#include "db/connection.h"
#include "db/editable_table.h"
#include "db/sql_helpers.h"
#include "firebird_fixture.h"
#include "platform/errors.h"

#include <QHash>
#include <QTest>
#include <functional>
#include <memory>

using platform::DataSetState;

namespace {

const char* const kSchema = R"(
CREATE TABLE NOKEY (A INTEGER);
)";

const char* const kRows = R"(
DELETE FROM TCHLOG;
INSERT INTO TCHLOG (LOGDATE, TCHID, LOGTYPE) VALUES ('2024-03-15 07:45:12', 'T02', 'I');
INSERT INTO TCHLOG (LOGDATE, TCHID, LOGTYPE) VALUES ('2024-03-15 07:45:12', 'T01', 'I');
INSERT INTO TCHLOG (LOGDATE, TCHID, LOGTYPE) VALUES ('2024-03-14 16:00:00', 'T03', 'O');
)";

db::ColumnList logColumns() {
    return {{QStringLiteral("TCHID"), db::ColumnKind::Text, 10},
            {QStringLiteral("LOGDATE"), db::ColumnKind::DateTime},
            {QStringLiteral("LOGTYPE"), db::ColumnKind::Text, 1},
            {QStringLiteral("REMARK"), db::ColumnKind::Text, 40}};
}

template <typename Call> QString databaseErrorOf(Call call) {
    try {
        call();
    } catch (const platform::DatabaseError& error) {
        return error.text();
    }
    return {};
}

QDateTime at(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
}

} // namespace

class EditableTableTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> database_;
    std::unique_ptr<db::Connection> connection_;
    // A second connection, as another program sees the table.
    std::unique_ptr<db::Connection> observer_;
    std::unique_ptr<db::EditableTable> log_;

    // The remark of one log row as the database holds it, or "<none>" when there is no row.
    QString storedRemark(const QString& condition) const {
        if (!db::RecordExists(*observer_, QStringLiteral("TCHLOG"), condition)) {
            return QStringLiteral("<none>");
        }
        return db::SqlLookup(*observer_, QStringLiteral("TCHLOG"), condition,
                             QStringLiteral("REMARK"))
            .toString();
    }

    QStringList codes() {
        QStringList seen;
        log_->First();
        for (int i = 0; i < log_->RecordCount(); ++i) {
            seen.append(log_->FieldByName(QStringLiteral("TCHID")).AsString());
            log_->Next();
        }
        return seen;
    }

private slots:
    void initTestCase() {
        database_ = std::make_unique<TestDatabase>(QString::fromLatin1(kSchema));
        connection_ = database_->Connect();
        observer_ = database_->Connect();
    }

    void init() {
        database_->Execute(QString::fromLatin1(kRows));
        log_ = std::make_unique<db::EditableTable>(*connection_, QStringLiteral("TchLog"),
                                                   logColumns(), nullptr);
        log_->Open();
    }

    void cleanup() { log_.reset(); }

    void cleanupTestCase() {
        observer_.reset();
        connection_.reset();
        database_.reset();
    }

    void opensInKeyOrderWithTheKeyTheDatabaseNames() {
        QCOMPARE(log_->State(), DataSetState::Browse);
        QCOMPARE(log_->KeyColumns(), (QStringList{"LOGDATE", "TCHID"}));
        QCOMPARE(codes(), (QStringList{"T03", "T01", "T02"}));
        QCOMPARE(log_->DatabaseConnection()->SqlLookup(QStringLiteral("TCHLOG"),
                                                       QStringLiteral("TCHID='T03'"),
                                                       QStringLiteral("LOGTYPE")),
                 QVariant(QStringLiteral("O")));
    }

    void tablesItCannotKeyAreRefused_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("error");
        QTest::newRow("no primary key") << "NOKEY"
                                        << "A"
                                        << "NOKEY has no primary key";
        QTest::newRow("key column not declared") << "TCHSESS"
                                                 << "DESCRIPTION"
                                                 << "TCHSESS: key column CODE is not declared";
    }

    void tablesItCannotKeyAreRefused() {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, error);
        db::EditableTable other(*connection_, table,
                                {{column, column == QLatin1String("A") ? db::ColumnKind::Integer
                                                                       : db::ColumnKind::Text}},
                                nullptr);
        QCOMPARE(databaseErrorOf([&] { other.Open(); }), error);
        QCOMPARE(other.State(), DataSetState::Inactive);
    }

    // The new record goes in front of the current one; its texts are bound, never spliced
    // into the statement.
    void insertStoresTheNewRow() {
        log_->Next(); // T01
        log_->Insert();
        QCOMPARE(log_->State(), DataSetState::Insert);
        QVERIFY(log_->FieldByName(QStringLiteral("TCHID")).IsNull());
        log_->SetFieldValue(QStringLiteral("TCHID"), QStringLiteral("T04"));
        log_->SetFieldValue(QStringLiteral("LOGDATE"), at("2024-03-16T08:00:00"));
        log_->SetFieldValue(QStringLiteral("REMARK"), QStringLiteral("O'Brien'); DELETE FROM X"));
        log_->Post();
        QCOMPARE(log_->State(), DataSetState::Browse);
        QCOMPARE(log_->FieldByName(QStringLiteral("TCHID")).AsString(), QStringLiteral("T04"));
        QCOMPARE(log_->RecNo(), 1);
        QCOMPARE(storedRemark(QStringLiteral("TCHID='T04' AND LOGDATE='2024-03-16 08:00:00'")),
                 QStringLiteral("O'Brien'); DELETE FROM X"));
        QCOMPARE(codes(), (QStringList{"T03", "T04", "T01", "T02"}));
    }

    // The row is found by the key it was read with, so a changed key moves exactly that row.
    void editUpdatesTheRowItWasReadAs_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("remark");
        QTest::newRow("remark") << "REMARK" << QVariant(QStringLiteral("late, O'Neil"))
                                << "TCHID='T01'"
                                << "late, O'Neil";
        QTest::newRow("remark emptied") << "REMARK" << QVariant() << "TCHID='T01'"
                                        << "";
        QTest::newRow("key changed") << "TCHID" << QVariant(QStringLiteral("T09"))
                                     << "TCHID='T09' AND LOGDATE='2024-03-15 07:45:12'"
                                     << "was";
    }

    void editUpdatesTheRowItWasReadAs() {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, condition);
        QFETCH(QString, remark);
        database_->Execute(QStringLiteral("UPDATE TCHLOG SET REMARK='was' WHERE TCHID='T01';"));
        log_->Refresh();
        log_->Next(); // T01
        log_->Edit();
        QCOMPARE(log_->State(), DataSetState::Edit);
        log_->SetFieldValue(column, value);
        log_->Post();
        QCOMPARE(log_->State(), DataSetState::Browse);
        QCOMPARE(storedRemark(condition), remark);
        QCOMPARE(storedRemark(QStringLiteral("TCHID='T02'")), QString());
        QCOMPARE(storedRemark(QStringLiteral("TCHID='T03'")), QString());
        if (column == QLatin1String("TCHID")) {
            QCOMPARE(storedRemark(QStringLiteral("TCHID='T01'")), QStringLiteral("<none>"));
        }
    }

    void deleteRemovesOnlyTheCurrentRow() {
        log_->Next(); // T01
        log_->Delete();
        QCOMPARE(log_->RecordCount(), 2);
        QCOMPARE(log_->FieldByName(QStringLiteral("TCHID")).AsString(), QStringLiteral("T02"));
        QCOMPARE(storedRemark(QStringLiteral("TCHID='T01'")), QStringLiteral("<none>"));
        QCOMPARE(storedRemark(QStringLiteral("TCHID='T02'")), QString());
        QCOMPARE(storedRemark(QStringLiteral("TCHID='T03'")), QString());
    }

    // Moving, refreshing or starting a new record stores a change in progress first; Cancel
    // drops it, and a new record not yet stored is only dropped by Delete.
    void changeInProgress_data() {
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("remark");
        QTest::addColumn<int>("rows");
        QTest::newRow("Next") << "Next"
                              << "kept" << 3;
        QTest::newRow("Refresh") << "Refresh"
                                 << "kept" << 3;
        QTest::newRow("Insert") << "Insert"
                                << "kept" << 3;
        QTest::newRow("Cancel") << "Cancel"
                                << "" << 3;
        QTest::newRow("Delete") << "Delete"
                                << "<none>" << 2;
    }

    void changeInProgress() {
        QFETCH(QString, then);
        QFETCH(QString, remark);
        QFETCH(int, rows);
        log_->Next(); // T01
        log_->Edit();
        log_->SetFieldValue(QStringLiteral("REMARK"), QStringLiteral("kept"));
        const QHash<QString, std::function<void()>> actions{
            {"Next", [&] { log_->Next(); }},     {"Refresh", [&] { log_->Refresh(); }},
            {"Insert", [&] { log_->Insert(); }}, {"Cancel", [&] { log_->Cancel(); }},
            {"Delete", [&] { log_->Delete(); }},
        };
        actions.value(then)();
        QCOMPARE(storedRemark(QStringLiteral("TCHID='T01'")), remark);
        QCOMPARE(log_->RecordCount(), rows);
        QCOMPARE(log_->State(),
                 then == QLatin1String("Insert") ? DataSetState::Insert : DataSetState::Browse);
    }

    // A key left empty is refused by the database rather than stored as a zero value, and the
    // record stays open for correction.
    void newRecordWithoutItsKeyIsRefused() {
        log_->Insert();
        log_->SetFieldValue(QStringLiteral("REMARK"), QStringLiteral("no key"));
        QVERIFY(!databaseErrorOf([&] { log_->Post(); }).isEmpty());
        QCOMPARE(log_->State(), DataSetState::Insert);
        QCOMPARE(storedRemark(QStringLiteral("REMARK='no key'")), QStringLiteral("<none>"));
        log_->Delete(); // only dropped
        QCOMPARE(log_->State(), DataSetState::Browse);
        QCOMPARE(log_->RecordCount(), 3);
    }

    // A row another program removed meanwhile is not written back or counted as deleted.
    void rowGoneMeanwhileIsReported_data() {
        QTest::addColumn<bool>("editing");
        QTest::newRow("edit") << true;
        QTest::newRow("delete") << false;
    }

    void rowGoneMeanwhileIsReported() {
        QFETCH(bool, editing);
        log_->Next(); // T01
        database_->Execute(QStringLiteral("DELETE FROM TCHLOG WHERE TCHID='T01';"));
        const QString error = databaseErrorOf([&] {
            if (editing) {
                log_->Edit();
                log_->SetFieldValue(QStringLiteral("REMARK"), QStringLiteral("lost"));
                log_->Post();
            } else {
                log_->Delete();
            }
        });
        QCOMPARE(error,
                 QStringLiteral("TchLog: the record was changed or deleted by another user"));
        QCOMPARE(storedRemark(QStringLiteral("TCHID='T01'")), QStringLiteral("<none>"));
        QCOMPARE(log_->RecordCount(), 3);
    }

    void refreshStaysOnTheCurrentRow() {
        log_->Last(); // T02
        database_->Execute(QStringLiteral("INSERT INTO TCHLOG (LOGDATE, TCHID) VALUES "
                                          "('2024-03-01 07:00:00', 'T07');"));
        log_->Refresh();
        QCOMPARE(log_->RecordCount(), 4);
        QCOMPARE(log_->FieldByName(QStringLiteral("TCHID")).AsString(), QStringLiteral("T02"));
        database_->Execute(QStringLiteral("DELETE FROM TCHLOG WHERE TCHID='T02';"));
        log_->Refresh();
        QCOMPARE(log_->FieldByName(QStringLiteral("TCHID")).AsString(), QStringLiteral("T01"));
    }

    void movesStopAtTheEnds() {
        log_->Prior();
        QCOMPARE(log_->RecNo(), 0);
        log_->Last();
        log_->Next();
        QCOMPARE(log_->RecNo(), 2);
        log_->First();
        QCOMPARE(log_->FieldByName(QStringLiteral("TCHID")).AsString(), QStringLiteral("T03"));
    }

    void valuesAreSetOnlyWhileARecordIsOpen() {
        QCOMPARE(databaseErrorOf(
                     [&] { log_->SetFieldValue(QStringLiteral("REMARK"), QStringLiteral("x")); }),
                 QStringLiteral("TchLog is not in edit or insert mode"));
        log_->Close();
        QCOMPARE(log_->State(), DataSetState::Inactive);
        QCOMPARE(databaseErrorOf([&] { log_->Next(); }), QStringLiteral("TchLog is not open"));
    }
};

QTEST_GUILESS_MAIN(EditableTableTest)
#include "tst_editable_table.moc"
