// The navigator bar and the speed button as a person clicks them: the bar runs its
// before-action handler and then the action on a real table, asks its own delete question,
// and shows its hints; a speed button runs whatever click handler it has been given. Errors of
// a click are shown, a silent abort is not.

#include "box_answer.h"
#include "db/connection.h"
#include "db/editable_table.h"
#include "firebird_fixture.h"
#include "platform/errors.h"
#include "platform/message_boxes.h"
#include "platform/navigator_bar.h"
#include "platform/silent_abort.h"
#include "platform/speed_button.h"

#include <QTest>
#include <QToolButton>
#include <memory>

using platform::DataSetState;
using platform::NavigateButton;

Q_DECLARE_METATYPE(NavigateButton)
Q_DECLARE_METATYPE(DataSetState)

namespace {

const char* const kSessions = R"(
DELETE FROM TCHSESS;
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S1', 'one');
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S2', 'two');
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S3', 'three');
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S4', 'four');
)";

db::ColumnList sessionColumns() {
    return {{QStringLiteral("CODE"), db::ColumnKind::Text, 8},
            {QStringLiteral("DESCRIPTION"), db::ColumnKind::Text, 35}};
}

struct Seen {
    NavigateButton button;
    DataSetState state;
};

} // namespace

class NavigatorBarTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> database_;
    std::unique_ptr<db::Connection> connection_;
    std::unique_ptr<QWidget> window_;
    db::EditableTable* sessions_ = nullptr;
    platform::DBNavigator* bar_ = nullptr;
    QList<Seen> seen_;

    QString currentCode() const {
        return sessions_->FieldByName(QStringLiteral("CODE")).AsString();
    }

    void click(NavigateButton button) { QTest::mouseClick(bar_->Button(button), Qt::LeftButton); }

private slots:
    void initTestCase() {
        database_ = std::make_unique<TestDatabase>();
        connection_ = database_->Connect();
    }

    void init() {
        platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
        platform::MessageBoxes::ForgetShown();
        database_->Execute(QString::fromLatin1(kSessions));
        window_ = std::make_unique<QWidget>();
        sessions_ = new db::EditableTable(*connection_, QStringLiteral("TCHSESS"), sessionColumns(),
                                          window_.get());
        sessions_->Open();
        sessions_->Next();
        sessions_->Next(); // S3
        bar_ = new platform::DBNavigator(window_.get());
        bar_->SetDataSource(sessions_);
        seen_.clear();
        bar_->SetBeforeAction([this](QObject* sender, NavigateButton button) {
            QCOMPARE(sender, bar_);
            seen_.append({button, sessions_->State()});
        });
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() { window_.reset(); }

    void cleanupTestCase() {
        connection_.reset();
        database_.reset();
    }

    void clickRunsTheBeforeActionThenTheAction_data() {
        QTest::addColumn<NavigateButton>("button");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<DataSetState>("state");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("rows");
        QTest::newRow("First") << NavigateButton::First << false << DataSetState::Browse << "S1"
                               << 4;
        QTest::newRow("Prior") << NavigateButton::Prior << false << DataSetState::Browse << "S2"
                               << 4;
        QTest::newRow("Next") << NavigateButton::Next << false << DataSetState::Browse << "S4" << 4;
        QTest::newRow("Last") << NavigateButton::Last << false << DataSetState::Browse << "S4" << 4;
        QTest::newRow("Insert") << NavigateButton::Insert << false << DataSetState::Insert << ""
                                << 4;
        QTest::newRow("Delete") << NavigateButton::Delete << false << DataSetState::Browse << "S4"
                                << 3;
        QTest::newRow("Edit") << NavigateButton::Edit << false << DataSetState::Edit << "S3" << 4;
        QTest::newRow("Post") << NavigateButton::Post << true << DataSetState::Browse << "S3" << 4;
        QTest::newRow("Cancel") << NavigateButton::Cancel << true << DataSetState::Browse << "S3"
                                << 4;
        QTest::newRow("Refresh") << NavigateButton::Refresh << false << DataSetState::Browse << "S3"
                                 << 4;
    }

    void clickRunsTheBeforeActionThenTheAction() {
        QFETCH(NavigateButton, button);
        QFETCH(bool, editing);
        QFETCH(DataSetState, state);
        QFETCH(QString, code);
        QFETCH(int, rows);
        bar_->SetConfirmDelete(false);
        if (editing) {
            sessions_->Edit();
        }
        const DataSetState before = sessions_->State();
        click(button);
        QCOMPARE(seen_.size(), 1);
        QCOMPARE(seen_.first().button, button);
        QCOMPARE(seen_.first().state, before);
        QCOMPARE(sessions_->State(), state);
        QCOMPARE(currentCode(), code);
        QCOMPARE(sessions_->RecordCount(), rows);
        QVERIFY(platform::MessageBoxes::Shown().isEmpty());
    }

    // The handler cancels the action by raising: a silent abort shows nothing, another error
    // is shown as the error box.
    void beforeActionCancels_data() {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("silent abort") << true << QStringList();
        QTest::newRow("error") << false << QStringList{"Refused by the handler."};
    }

    void beforeActionCancels() {
        QFETCH(bool, silent);
        QFETCH(QStringList, shown);
        bar_->SetBeforeAction([silent](QObject*, NavigateButton) {
            if (silent) {
                throw platform::SilentAbort();
            }
            throw platform::DatabaseError(QStringLiteral("Refused by the handler"));
        });
        click(NavigateButton::Insert);
        QCOMPARE(sessions_->State(), DataSetState::Browse);
        QStringList texts;
        for (const platform::ShownMessage& message : platform::MessageBoxes::Shown()) {
            texts.append(message.text);
        }
        QCOMPARE(texts, shown);
    }

    void ownDeleteQuestion_data() {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rows");
        QTest::newRow("Yes") << true << int(Qt::Key_Y) << 3;
        QTest::newRow("No") << true << int(Qt::Key_N) << 4;
        QTest::newRow("closed") << true << int(Qt::Key_Escape) << 4;
        QTest::newRow("not asked") << false << 0 << 3;
    }

    void ownDeleteQuestion() {
        QFETCH(bool, confirm);
        QFETCH(int, answer);
        QFETCH(int, rows);
        platform::MessageBoxes::SetMode(platform::MessageMode::Interactive);
        QCOMPARE(bar_->ConfirmDelete(), true);
        bar_->SetConfirmDelete(confirm);
        // Without a question, the answer is never given.
        const BoxAnswer box(static_cast<Qt::Key>(answer));
        click(NavigateButton::Delete);
        QCOMPARE(box.answered, confirm);
        if (confirm) {
            QCOMPARE(box.text, QStringLiteral("Delete record?"));
            QCOMPARE(box.icon, QMessageBox::Question);
            QCOMPARE(box.buttons, (QStringList{"Yes", "No"}));
        }
        QCOMPARE(sessions_->RecordCount(), rows);
        QCOMPARE(currentCode(), rows == 3 ? QStringLiteral("S4") : QStringLiteral("S3"));
        QCOMPARE(seen_.size(), 1);
    }

    void closedDataSetIgnoresClicks() {
        sessions_->Close();
        click(NavigateButton::Next);
        QVERIFY(seen_.isEmpty());
    }

    void hintsAreTheButtonsTooltips() {
        const QStringList defaults = bar_->Hints();
        QCOMPARE(defaults.size(), 10);
        QCOMPARE(defaults.first(), QStringLiteral("First record"));
        QCOMPARE(defaults.last(), QStringLiteral("Refresh data"));
        bar_->SetHints({QStringLiteral("Rekod pertama"), QStringLiteral("Rekod sebelum")});
        QCOMPARE(bar_->Hints().mid(0, 3),
                 (QStringList{"Rekod pertama", "Rekod sebelum", defaults.at(2)}));
        for (int i = 0; i < platform::kNavigateButtonCount; ++i) {
            QCOMPARE(bar_->Button(static_cast<NavigateButton>(i))->toolTip(), bar_->Hints().at(i));
        }
        bar_->SetCaption(QStringLiteral("Navigator"));
        QCOMPARE(bar_->Caption(), QStringLiteral("Navigator"));
    }

    void onlyTheVisibleButtonsShow() {
        bar_->SetVisibleButtons({NavigateButton::First, NavigateButton::Delete});
        for (int i = 0; i < platform::kNavigateButtonCount; ++i) {
            const auto button = static_cast<NavigateButton>(i);
            QCOMPARE(bar_->Button(button)->isVisible(),
                     button == NavigateButton::First || button == NavigateButton::Delete);
        }
    }

    void speedButtonRunsItsClickHandler_data() {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("runs") << "runs" << QStringList();
        QTest::newRow("silent abort") << "silent abort" << QStringList();
        QTest::newRow("error") << "error" << QStringList{"Printer not ready."};
    }

    void speedButtonRunsItsClickHandler() {
        QFETCH(QString, outcome);
        QFETCH(QStringList, shown);
        auto* button = new platform::SpeedButton(window_.get());
        button->SetCaption(QStringLiteral("&Print"));
        QCOMPARE(button->text(), QStringLiteral("&Print"));
        button->show();
        QStringList ran;
        button->SetOnClick([&](QObject* sender) {
            QCOMPARE(sender, button);
            ran.append(QStringLiteral("first"));
        });
        // Taken over, as a component does: the new handler keeps the old one and calls it.
        const platform::ClickHandler taken = button->OnClick();
        button->SetOnClick([&, taken](QObject* sender) {
            ran.append(QStringLiteral("second"));
            if (outcome == QLatin1String("silent abort")) {
                throw platform::SilentAbort();
            }
            if (outcome == QLatin1String("error")) {
                throw platform::LoaderError(QStringLiteral("Printer not ready"));
            }
            taken(sender);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        const QStringList expected = outcome == QLatin1String("runs")
                                         ? QStringList{"second", "first"}
                                         : QStringList{"second"};
        QCOMPARE(ran, expected);
        QStringList texts;
        for (const platform::ShownMessage& message : platform::MessageBoxes::Shown()) {
            texts.append(message.text);
        }
        QCOMPARE(texts, shown);
    }
};

QTEST_MAIN(NavigatorBarTest)
#include "tst_navigator_bar.moc"
