// The navigator hot keys on a window with a navigator bar over a real table: every key of the
// key table with real key events on real controls, the rights of the signed-in user read from
// UserRights, the delete question answered in a real box, and controls removed from the window.

#include "box_answer.h"
#include "common/current_user.h"
#include "common/hot_key.h"
#include "db/connection.h"
#include "db/editable_table.h"
#include "db/sql_helpers.h"
#include "firebird_fixture.h"
#include "platform/key_preview.h"
#include "platform/message_boxes.h"
#include "platform/navigator_bar.h"
#include "platform/popup_menu.h"
#include "platform/speed_button.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <memory>
#include <optional>

using HotKey::TNavHotKey;
using platform::DataSetState;
using platform::NavigateButton;

namespace {

const char* const kRights = R"(
INSERT INTO USERRIGHTS (CODE, FORMNAME, RIGHTS) VALUES ('AB1', 'FRMNAVTEST', 3);
INSERT INTO USERRIGHTS (CODE, FORMNAME, RIGHTS) VALUES ('AB1', 'FRMOTHER', 15);
INSERT INTO USERRIGHTS (CODE, FORMNAME, RIGHTS) VALUES ('ab1', 'FRMNAVTEST', 15);
INSERT INTO USERRIGHTS (CODE, FORMNAME, RIGHTS) VALUES ('CD2', 'FRMNAVTEST', 12);
INSERT INTO USERRIGHTS (CODE, FORMNAME, RIGHTS) VALUES ('EF3', 'FRMNAVTEST', NULL);
INSERT INTO USERRIGHTS (CODE, FORMNAME, RIGHTS) VALUES ('O''NEIL', 'FRMNAVTEST', 2);
)";

const char* const kSessions = R"(
DELETE FROM TCHSESS;
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S1', 'one');
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S2', 'two');
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S3', 'three');
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S4', 'four');
INSERT INTO TCHSESS (CODE, DESCRIPTION) VALUES ('S5', 'five');
)";

constexpr QLatin1String kNoAdd("You have no rights to add record !");
constexpr QLatin1String kNoEdit("You have no rights to edit record !");
constexpr QLatin1String kNoDelete("You have no rights to delete record !");
constexpr QLatin1String kNoPrint("You have no rights to print record !");
constexpr QLatin1String kDeleteQuestion("Delete Record ?");

// Counts the presses of one key that reach the control it watches, and keeps the character
// the last one typed.
class KeyCounter : public QObject {
public:
    explicit KeyCounter(int key) : key_(key) {}
    int count = 0;
    QString text;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == key_) {
            ++count;
            text = static_cast<QKeyEvent*>(event)->text();
        }
        return false;
    }

private:
    int key_;
};

// A window as the component's users build it: an edit, a memo, a grid, a navigator bar over
// the sessions table and the three speed buttons. The bar's handler that was there records
// the buttons that got past the component's checks; a wrapper put round the bar's handler
// after loading records every button the bar was asked to run.
class NavigatorWindow {
public:
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit* edit = new QLineEdit(window.get());
    QPlainTextEdit* memo = new QPlainTextEdit(window.get());
    QTableWidget* grid = new QTableWidget(2, 2, window.get());
    platform::DBNavigator* bar = new platform::DBNavigator(window.get());
    platform::SpeedButton* search = new platform::SpeedButton(window.get());
    platform::SpeedButton* print = new platform::SpeedButton(window.get());
    platform::SpeedButton* security = new platform::SpeedButton(window.get());
    platform::NavigableDataSet* data = nullptr;
    TNavHotKey* hotKey = nullptr;
    QList<NavigateButton> barSaw;
    QList<NavigateButton> passedOn;
    QMap<QString, int> clicks;

    // The window over the data; configure sets the component up before it is loaded.
    NavigatorWindow(platform::NavigableDataSet* dataSet,
                    const std::function<void(TNavHotKey&)>& configure = {}) {
        window->setObjectName(QStringLiteral("frmNavTest"));
        window->setGeometry(100, 100, 500, 300);
        edit->setGeometry(10, 10, 200, 24);
        memo->setGeometry(10, 40, 200, 60);
        grid->setGeometry(10, 110, 200, 100);
        bar->setGeometry(10, 220, 300, 30);
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 2; ++column) {
                grid->setItem(row, column, new QTableWidgetItem(QStringLiteral("cell")));
            }
        }
        data = dataSet;
        data->setParent(window.get());
        bar->SetDataSource(data);
        bar->SetBeforeAction([this](QObject*, NavigateButton button) { passedOn.append(button); });
        const QList<std::pair<platform::SpeedButton*, QString>> buttons{
            {search, QStringLiteral("search")},
            {print, QStringLiteral("print")},
            {security, QStringLiteral("security")}};
        for (const auto& [button, name] : buttons) {
            button->SetCaption(name);
            button->SetOnClick([this, name = name](QObject*) { ++clicks[name]; });
        }
        hotKey = new TNavHotKey(window.get());
        hotKey->setObjectName(QStringLiteral("NavHotKey"));
        hotKey->SetDbNavigator(bar);
        hotKey->SetSearchButton(search);
        hotKey->SetPrintButton(print);
        hotKey->SetSecurityButton(security);
        if (configure) {
            configure(*hotKey);
        }
        hotKey->Loaded();
        const platform::NavigateHandler hooked = bar->BeforeAction();
        bar->SetBeforeAction([this, hooked](QObject* sender, NavigateButton button) {
            barSaw.append(button);
            hooked(sender, button);
        });
    }

    // Shows and activates the window, as a person has it in front of them.
    bool Open() {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    // Focuses a control by its kind: edit, memo, grid, or editor (a grid cell being edited).
    QWidget* Focus(const QString& kind) {
        QWidget* control = kind == QLatin1String("memo")   ? static_cast<QWidget*>(memo)
                           : kind == QLatin1String("edit") ? static_cast<QWidget*>(edit)
                                                           : static_cast<QWidget*>(grid);
        control->setFocus(Qt::OtherFocusReason);
        if (kind == QLatin1String("editor")) {
            grid->setCurrentCell(0, 0);
            grid->editItem(grid->item(0, 0));
        }
        return QApplication::focusWidget();
    }

    QString FocusKind() const {
        const QWidget* focused = QApplication::focusWidget();
        if (focused == edit) {
            return QStringLiteral("edit");
        }
        if (focused == memo) {
            return QStringLiteral("memo");
        }
        if (focused == grid) {
            return QStringLiteral("grid");
        }
        return focused != nullptr && focused->parentWidget() == grid->viewport()
                   ? QStringLiteral("editor")
                   : QStringLiteral("other");
    }
};

// A list of records kept in memory: a dataset outside the database.
class RecordList : public platform::NavigableDataSet {
public:
    RecordList() { state_ = DataSetState::Browse; }
    bool Active() const override { return true; }
    void Close() override {}
    DataSetState State() const override { return state_; }
    void First() override {}
    void Prior() override {}
    void Next() override {}
    void Last() override {}
    void Insert() override { state_ = DataSetState::Insert; }
    void Delete() override {}
    void Edit() override { state_ = DataSetState::Edit; }
    void Post() override { state_ = DataSetState::Browse; }
    void Cancel() override { state_ = DataSetState::Browse; }
    void Refresh() override {}

private:
    DataSetState state_;
};

QStringList shownTexts() {
    QStringList texts;
    for (const platform::ShownMessage& message : platform::MessageBoxes::Shown()) {
        texts.append(message.text);
    }
    return texts;
}

void signIn(const char* code, bool skipRightsCheck = false, bool fullRights = false) {
    if (code == nullptr) {
        General::CurrentUser().reset();
    } else {
        General::CurrentUser() =
            General::UserRecord{QString::fromUtf8(code), skipRightsCheck, fullRights};
    }
}

// One row of the key table. The dataset starts on S3 of S1 to S5: browsing it, editing it
// (description changed), or inserting S9 in front of it.
struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    DataSetState state;
    const char* focus; // edit, memo, grid, or editor (a grid cell being edited)
    const char* bar;   // shown, hidden, disabled, or "no Delete" (shown without that button)
    bool moveRecord;
    QList<NavigateButton> pressed; // the buttons the bar was asked to run, in order
    DataSetState after;
    const char* code; // the current record's code afterwards
    bool reaches;     // the key reached the focused control
    const char* focusAfter;
};

const QList<KeyCase>& keyCases() {
    using B = NavigateButton;
    using S = DataSetState;
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers shiftCtrl = shift | ctrl;
    static const QList<KeyCase> cases{
        {"Enter in an edit moves on",
         Qt::Key_Return,
         none,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         false,
         "memo"},
        {"Enter in a memo is the memo's",
         Qt::Key_Return,
         none,
         S::Browse,
         "memo",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "memo"},
        {"Enter in a grid is the grid's",
         Qt::Key_Return,
         none,
         S::Browse,
         "grid",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "grid"},
        {"Enter in a grid's editor is the editor's",
         Qt::Key_Return,
         none,
         S::Browse,
         "editor",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "grid"},
        {"Shift+Enter edits",
         Qt::Key_Return,
         shift,
         S::Browse,
         "edit",
         "shown",
         true,
         {B::Edit},
         S::Edit,
         "S3",
         false,
         "edit"},
        {"Shift+Enter in a memo edits",
         Qt::Key_Return,
         shift,
         S::Browse,
         "memo",
         "shown",
         true,
         {B::Edit},
         S::Edit,
         "S3",
         false,
         "memo"},
        {"Ctrl+Enter posts",
         Qt::Key_Return,
         ctrl,
         S::Edit,
         "edit",
         "shown",
         true,
         {B::Post},
         S::Browse,
         "S3",
         false,
         "edit"},
        {"Ctrl+Enter in browse is only swallowed",
         Qt::Key_Return,
         ctrl,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         false,
         "edit"},
        {"Alt+Enter while editing posts and adds",
         Qt::Key_Return,
         alt,
         S::Edit,
         "edit",
         "shown",
         true,
         {B::Post, B::Insert},
         S::Insert,
         "",
         false,
         "edit"},
        {"Alt+Enter in browse adds",
         Qt::Key_Return,
         alt,
         S::Browse,
         "edit",
         "shown",
         true,
         {B::Insert},
         S::Insert,
         "",
         false,
         "edit"},
        {"Alt+Enter while inserting posts and adds",
         Qt::Key_Return,
         alt,
         S::Insert,
         "grid",
         "shown",
         true,
         {B::Post, B::Insert},
         S::Insert,
         "",
         false,
         "grid"},
        {"Shift+Ctrl+Enter is only swallowed",
         Qt::Key_Return,
         shiftCtrl,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         false,
         "edit"},
        {"keypad Enter moves on",
         Qt::Key_Enter,
         Qt::KeypadModifier,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         false,
         "memo"},
        {"Page Up",
         Qt::Key_PageUp,
         none,
         S::Browse,
         "edit",
         "shown",
         true,
         {B::Prior},
         S::Browse,
         "S2",
         true,
         "edit"},
        {"Ctrl+Page Up",
         Qt::Key_PageUp,
         ctrl,
         S::Browse,
         "edit",
         "shown",
         true,
         {B::First},
         S::Browse,
         "S1",
         true,
         "edit"},
        {"Page Down",
         Qt::Key_PageDown,
         none,
         S::Browse,
         "edit",
         "shown",
         true,
         {B::Next},
         S::Browse,
         "S4",
         true,
         "edit"},
        // The grid's editor passes the key on to its grid, which moves to its last row.
        {"Ctrl+Page Down in a grid's editor",
         Qt::Key_PageDown,
         ctrl,
         S::Browse,
         "editor",
         "shown",
         true,
         {B::Last},
         S::Browse,
         "S5",
         true,
         "grid"},
        {"Shift+Page Up in an edit",
         Qt::Key_PageUp,
         shift,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"Page Up in a grid is the grid's",
         Qt::Key_PageUp,
         none,
         S::Browse,
         "grid",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "grid"},
        {"Shift+Page Up in a grid",
         Qt::Key_PageUp,
         shift,
         S::Browse,
         "grid",
         "shown",
         true,
         {B::Prior},
         S::Browse,
         "S2",
         true,
         "grid"},
        {"Shift+Ctrl+Page Up in a grid",
         Qt::Key_PageUp,
         shiftCtrl,
         S::Browse,
         "grid",
         "shown",
         true,
         {B::First},
         S::Browse,
         "S1",
         true,
         "grid"},
        {"Shift+Page Down in a memo",
         Qt::Key_PageDown,
         shift,
         S::Browse,
         "memo",
         "shown",
         true,
         {B::Next},
         S::Browse,
         "S4",
         true,
         "memo"},
        {"Shift+Ctrl+Page Down in a memo",
         Qt::Key_PageDown,
         shiftCtrl,
         S::Browse,
         "memo",
         "shown",
         true,
         {B::Last},
         S::Browse,
         "S5",
         true,
         "memo"},
        {"Ctrl+Page Down in a memo is the memo's",
         Qt::Key_PageDown,
         ctrl,
         S::Browse,
         "memo",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "memo"},
        {"Alt+Page Down",
         Qt::Key_PageDown,
         alt,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"Page Down while editing",
         Qt::Key_PageDown,
         none,
         S::Edit,
         "edit",
         "shown",
         true,
         {},
         S::Edit,
         "S3",
         true,
         "edit"},
        {"Page Down with MoveRecord off",
         Qt::Key_PageDown,
         none,
         S::Browse,
         "edit",
         "shown",
         false,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"Page Down on a hidden bar",
         Qt::Key_PageDown,
         none,
         S::Browse,
         "edit",
         "hidden",
         true,
         {B::Next},
         S::Browse,
         "S4",
         true,
         "edit"},
        {"Page Up on a disabled bar",
         Qt::Key_PageUp,
         none,
         S::Browse,
         "edit",
         "disabled",
         true,
         {B::Prior},
         S::Browse,
         "S2",
         true,
         "edit"},
        {"F2 adds",
         Qt::Key_F2,
         none,
         S::Browse,
         "edit",
         "shown",
         true,
         {B::Insert},
         S::Insert,
         "",
         true,
         "edit"},
        {"F2 while inserting does nothing",
         Qt::Key_F2,
         none,
         S::Insert,
         "edit",
         "shown",
         true,
         {},
         S::Insert,
         "S9",
         true,
         "edit"},
        {"F2 while editing does nothing",
         Qt::Key_F2,
         none,
         S::Edit,
         "edit",
         "shown",
         true,
         {},
         S::Edit,
         "S3",
         true,
         "edit"},
        {"Shift+F2 does nothing",
         Qt::Key_F2,
         shift,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"F2 on a hidden bar does nothing",
         Qt::Key_F2,
         none,
         S::Browse,
         "edit",
         "hidden",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"F2 on a disabled bar does nothing",
         Qt::Key_F2,
         none,
         S::Browse,
         "edit",
         "disabled",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
        // The declined question cancels the key's event as a whole.
        {"F3 asks and is declined",
         Qt::Key_F3,
         none,
         S::Browse,
         "grid",
         "shown",
         true,
         {B::Delete},
         S::Browse,
         "S3",
         false,
         "grid"},
        {"F3 without a Delete button does nothing",
         Qt::Key_F3,
         none,
         S::Browse,
         "edit",
         "no Delete",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"F4 edits",
         Qt::Key_F4,
         none,
         S::Browse,
         "memo",
         "shown",
         true,
         {B::Edit},
         S::Edit,
         "S3",
         true,
         "memo"},
        {"F4 while editing does nothing",
         Qt::Key_F4,
         none,
         S::Edit,
         "edit",
         "shown",
         true,
         {},
         S::Edit,
         "S3",
         true,
         "edit"},
        {"Ctrl+U drops the change",
         Qt::Key_U,
         ctrl,
         S::Edit,
         "edit",
         "shown",
         true,
         {B::Cancel},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"Ctrl+U drops the new record",
         Qt::Key_U,
         ctrl,
         S::Insert,
         "edit",
         "shown",
         true,
         {B::Cancel},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"Ctrl+U in browse does nothing",
         Qt::Key_U,
         ctrl,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"U alone is only typed",
         Qt::Key_U,
         none,
         S::Edit,
         "edit",
         "shown",
         true,
         {},
         S::Edit,
         "S3",
         true,
         "edit"},
        {"Ctrl+R reads again",
         Qt::Key_R,
         ctrl,
         S::Browse,
         "edit",
         "shown",
         true,
         {B::Refresh},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"Ctrl+R while editing posts and reads again",
         Qt::Key_R,
         ctrl,
         S::Edit,
         "edit",
         "shown",
         true,
         {B::Refresh},
         S::Browse,
         "S3",
         true,
         "edit"},
        {"Shift+Ctrl+R does nothing",
         Qt::Key_R,
         shiftCtrl,
         S::Browse,
         "edit",
         "shown",
         true,
         {},
         S::Browse,
         "S3",
         true,
         "edit"},
    };
    return cases;
}

// One row of the rights table. The component checks with Security on unless told otherwise;
// a delete question is answered No (nobody is there to agree).
struct RightsCase {
    const char* name;
    const char* user; // nullptr: nobody signed in
    bool skipRightsCheck;
    bool fullRights;
    bool security;
    const char* action; // F2, click Insert, F4, F3 or F6
    QStringList shown;
    bool passedOn; // the handler that was there ran
    qint32 rights; // FormRights afterwards
};

const QList<RightsCase>& rightsCases() {
    const QStringList none;
    const qint32 all = TNavHotKey::kAllRights;
    static const QList<RightsCase> cases{
        {"bits 0 and 1: add", "AB1", false, false, true, "F2", none, true, 3},
        {"bits 0 and 1: add by the bar's button", "AB1", false, false, true, "click Insert", none,
         true, 3},
        {"bits 0 and 1: edit", "AB1", false, false, true, "F4", none, true, 3},
        {"bits 0 and 1: no delete", "AB1", false, false, true, "F3", {kNoDelete}, false, 3},
        {"bits 0 and 1: no print", "AB1", false, false, true, "F6", {kNoPrint}, false, 3},
        {"bits 2 and 3: no add", "CD2", false, false, true, "F2", {kNoAdd}, false, 12},
        {"bits 2 and 3: no add by the bar's button",
         "CD2",
         false,
         false,
         true,
         "click Insert",
         {kNoAdd},
         false,
         12},
        {"bits 2 and 3: no edit", "CD2", false, false, true, "F4", {kNoEdit}, false, 12},
        {"bits 2 and 3: delete is asked",
         "CD2",
         false,
         false,
         true,
         "F3",
         {kDeleteQuestion},
         false,
         12},
        {"bits 2 and 3: print", "CD2", false, false, true, "F6", none, true, 12},
        {"no row: no add", "ZZ9", false, false, true, "F2", {kNoAdd}, false, 0},
        {"no row: no print", "ZZ9", false, false, true, "F6", {kNoPrint}, false, 0},
        {"empty rights: no add", "EF3", false, false, true, "F2", {kNoAdd}, false, 0},
        {"quote in the code: edit", "O'NEIL", false, false, true, "F4", none, true, 2},
        {"quote in the code: no add", "O'NEIL", false, false, true, "F2", {kNoAdd}, false, 2},
        {"full rights: add", "ZZ9", false, true, true, "F2", none, true, all},
        {"full rights: delete is asked",
         "ZZ9",
         false,
         true,
         true,
         "F3",
         {kDeleteQuestion},
         false,
         all},
        {"full rights: print", "ZZ9", false, true, true, "F6", none, true, all},
        {"no check: add", "ZZ9", true, false, true, "F2", none, true, -1},
        {"no check: delete is asked", "ZZ9", true, false, true, "F3", {kDeleteQuestion}, false, -1},
        {"no check: print", "ZZ9", true, false, true, "F6", none, true, -1},
        {"security off: add", "ZZ9", false, false, false, "F2", none, true, -1},
        {"security off: delete is asked",
         "ZZ9",
         false,
         false,
         false,
         "F3",
         {kDeleteQuestion},
         false,
         -1},
        {"security off: print", "ZZ9", false, false, false, "F6", none, true, -1},
        {"nobody signed in: no add", nullptr, false, false, true, "F2", {kNoAdd}, false, 0},
        {"nobody signed in: no print", nullptr, false, false, true, "F6", {kNoPrint}, false, 0},
    };
    return cases;
}

} // namespace

class HotKeyTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> database_;
    std::unique_ptr<db::Connection> connection_;

    db::EditableTable* openSessions() const {
        auto* sessions =
            new db::EditableTable(*connection_, QStringLiteral("TCHSESS"),
                                  {{QStringLiteral("CODE"), db::ColumnKind::Text, 8},
                                   {QStringLiteral("DESCRIPTION"), db::ColumnKind::Text, 35}},
                                  nullptr);
        sessions->Open();
        sessions->Next();
        sessions->Next(); // S3
        return sessions;
    }

    static QString codeOf(const NavigatorWindow& form) {
        return form.data->State() == DataSetState::Insert &&
                       static_cast<db::EditableTable*>(form.data)
                           ->FieldByName(QStringLiteral("CODE"))
                           .IsNull()
                   ? QString()
                   : static_cast<db::EditableTable*>(form.data)
                         ->FieldByName(QStringLiteral("CODE"))
                         .AsString();
    }

    static void keyOn(const QString& action, NavigatorWindow& form) {
        if (action == QLatin1String("click Insert")) {
            QTest::mouseClick(form.bar->Button(NavigateButton::Insert), Qt::LeftButton);
            return;
        }
        const Qt::Key key = action == QLatin1String("F2")   ? Qt::Key_F2
                            : action == QLatin1String("F3") ? Qt::Key_F3
                            : action == QLatin1String("F4") ? Qt::Key_F4
                                                            : Qt::Key_F6;
        QTest::keyClick(QApplication::focusWidget(), key);
    }

private slots:
    void initTestCase() {
        database_ = std::make_unique<TestDatabase>(QString::fromLatin1(kRights));
        connection_ = database_->Connect();
        platform::MessageBoxes::SetCaption(QStringLiteral("Loadtch"));
    }

    void init() {
        platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
        platform::MessageBoxes::ForgetShown();
        database_->Execute(QString::fromLatin1(kSessions));
        signIn(nullptr);
    }

    void cleanup() { signIn(nullptr); }

    void cleanupTestCase() {
        connection_.reset();
        database_.reset();
    }

    void createdWithItsDefaults() {
        QObject owner;
        const TNavHotKey hotKey(&owner);
        QVERIFY(hotKey.Security());
        QVERIFY(hotKey.EnterToTab());
        QVERIFY(hotKey.MoveRecord());
        QCOMPARE(hotKey.FormRights(), -1);
        QVERIFY(hotKey.dbNavigator() == nullptr);
        QVERIFY(hotKey.SearchButton() == nullptr);
        QVERIFY(hotKey.PrintButton() == nullptr);
        QVERIFY(hotKey.SecurityButton() == nullptr);
    }

    void keyTable_data() {
        QTest::addColumn<int>("index");
        for (qsizetype i = 0; i < keyCases().size(); ++i) {
            QTest::newRow(keyCases().at(i).name) << static_cast<int>(i);
        }
    }

    void keyTable() {
        QFETCH(int, index);
        const KeyCase& c = keyCases().at(index);
        NavigatorWindow form(openSessions(), [&](TNavHotKey& hotKey) {
            hotKey.SetSecurity(false);
            hotKey.SetMoveRecord(c.moveRecord);
        });
        if (QLatin1String(c.bar) == QLatin1String("hidden")) {
            form.bar->hide();
        } else if (QLatin1String(c.bar) == QLatin1String("disabled")) {
            form.bar->setEnabled(false);
        } else if (QLatin1String(c.bar) == QLatin1String("no Delete")) {
            platform::NavigateButtons buttons = platform::AllNavigateButtons();
            buttons.erase(NavigateButton::Delete);
            form.bar->SetVisibleButtons(buttons);
        }
        auto* sessions = static_cast<db::EditableTable*>(form.data);
        if (c.state == DataSetState::Edit) {
            sessions->Edit();
            sessions->SetFieldValue(QStringLiteral("DESCRIPTION"), QStringLiteral("changed"));
        } else if (c.state == DataSetState::Insert) {
            sessions->Insert();
            sessions->SetFieldValue(QStringLiteral("CODE"), QStringLiteral("S9"));
        }
        QVERIFY(form.Open());
        QWidget* focused = form.Focus(QString::fromLatin1(c.focus));
        QCOMPARE(form.FocusKind(), QString::fromLatin1(c.focus));
        KeyCounter counter(c.key);
        focused->installEventFilter(&counter);

        QTest::keyClick(focused, c.key, c.modifiers);
        QCoreApplication::processEvents();

        QCOMPARE(form.barSaw, c.pressed);
        QCOMPARE(sessions->State(), c.after);
        QCOMPARE(codeOf(form), QString::fromLatin1(c.code));
        QCOMPARE(counter.count, c.reaches ? 1 : 0);
        QCOMPARE(form.FocusKind(), QString::fromLatin1(c.focusAfter));
    }

    void rightsTable_data() {
        QTest::addColumn<int>("index");
        for (qsizetype i = 0; i < rightsCases().size(); ++i) {
            QTest::newRow(rightsCases().at(i).name) << static_cast<int>(i);
        }
    }

    void rightsTable() {
        QFETCH(int, index);
        const RightsCase& c = rightsCases().at(index);
        signIn(c.user, c.skipRightsCheck, c.fullRights);
        NavigatorWindow form(openSessions(),
                             [&](TNavHotKey& hotKey) { hotKey.SetSecurity(c.security); });
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("edit"));

        keyOn(QString::fromLatin1(c.action), form);

        QCOMPARE(shownTexts(), c.shown);
        const bool printing = QLatin1String(c.action) == QLatin1String("F6");
        QCOMPARE(printing ? form.clicks.value(QStringLiteral("print")) > 0
                          : !form.passedOn.isEmpty(),
                 c.passedOn);
        const DataSetState expected = !c.passedOn || printing ? DataSetState::Browse
                                      : QLatin1String(c.action) == QLatin1String("F4")
                                          ? DataSetState::Edit
                                          : DataSetState::Insert;
        QCOMPARE(form.data->State(), expected);
        QCOMPARE(form.hotKey->FormRights(), c.rights);
        QCOMPARE(static_cast<db::EditableTable*>(form.data)->RecordCount(), 5);
    }

    // The rights are read at the first check and held for the life of the window.
    void rightsAreReadOnceAndHeld() {
        signIn("AB1");
        {
            NavigatorWindow form(openSessions());
            QVERIFY(form.Open());
            form.Focus(QStringLiteral("edit"));
            QTest::keyClick(form.edit, Qt::Key_F2);
            QCOMPARE(form.data->State(), DataSetState::Insert);
            database_->Execute(QStringLiteral(
                "UPDATE USERRIGHTS SET RIGHTS=0 WHERE CODE='AB1' AND FORMNAME='FRMNAVTEST';"));
            QTest::keyClick(form.edit, Qt::Key_U, Qt::ControlModifier);
            QTest::keyClick(form.edit, Qt::Key_F2);
            QCOMPARE(form.data->State(), DataSetState::Insert);
            QVERIFY(shownTexts().isEmpty());
        }
        NavigatorWindow again(openSessions());
        QVERIFY(again.Open());
        again.Focus(QStringLiteral("edit"));
        QTest::keyClick(again.edit, Qt::Key_F2);
        QCOMPARE(again.data->State(), DataSetState::Browse);
        QCOMPARE(shownTexts(), QStringList{kNoAdd});
        database_->Execute(QStringLiteral(
            "UPDATE USERRIGHTS SET RIGHTS=3 WHERE CODE='AB1' AND FORMNAME='FRMNAVTEST';"));
    }

    // Where the rights table cannot be read, a user with full rights or without checks works
    // on regardless (the table is never read for them); anyone else gets the database's error
    // and nothing is done, and the next check tries the table again.
    void unreadableRightsTable_data() {
        QTest::addColumn<bool>("skipRightsCheck");
        QTest::addColumn<bool>("fullRights");
        QTest::addColumn<bool>("works");
        QTest::addColumn<qint32>("rights");
        QTest::newRow("full rights") << false << true << true << TNavHotKey::kAllRights;
        QTest::newRow("no check") << true << false << true << -1;
        QTest::newRow("plain user") << false << false << false << -1;
    }

    void unreadableRightsTable() {
        QFETCH(bool, skipRightsCheck);
        QFETCH(bool, fullRights);
        QFETCH(bool, works);
        QFETCH(qint32, rights);
        const TestDatabase withoutRights(QStringLiteral("DROP TABLE USERRIGHTS;\n") +
                                         QString::fromLatin1(kSessions));
        const std::unique_ptr<db::Connection> connection = withoutRights.Connect();
        auto* sessions =
            new db::EditableTable(*connection, QStringLiteral("TCHSESS"),
                                  {{QStringLiteral("CODE"), db::ColumnKind::Text, 8}}, nullptr);
        sessions->Open();
        signIn("AB1", skipRightsCheck, fullRights);
        NavigatorWindow form(sessions);
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("edit"));
        for (int attempt = 1; attempt <= 2; ++attempt) {
            QTest::keyClick(form.edit, Qt::Key_F2);
            QCOMPARE(form.data->State(), works ? DataSetState::Insert : DataSetState::Browse);
            QCOMPARE(form.hotKey->FormRights(), rights);
            const QList<platform::ShownMessage> shown = platform::MessageBoxes::Shown();
            QCOMPARE(shown.size(), works ? 0 : attempt);
            if (!works) {
                QCOMPARE(shown.last().kind, platform::MessageKind::Error);
                QVERIFY2(shown.last().text.contains(QStringLiteral("USERRIGHTS")),
                         qPrintable(shown.last().text));
            }
            form.data->Cancel();
        }
    }

    // A bar over a dataset kept outside the database has no connection to read rights with:
    // everything is allowed, and the rights stay unknown.
    void dataSetOutsideTheDatabaseAllowsEverything() {
        signIn("ZZ9");
        NavigatorWindow form(new RecordList);
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("edit"));
        QTest::keyClick(form.edit, Qt::Key_F2);
        QCOMPARE(form.data->State(), DataSetState::Insert);
        QCOMPARE(form.hotKey->FormRights(), -1);
        QVERIFY(shownTexts().isEmpty());
    }

    void refusalIsAnInformationBox() {
        platform::MessageBoxes::SetMode(platform::MessageMode::Interactive);
        signIn("CD2");
        NavigatorWindow form(openSessions());
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("edit"));
        const BoxAnswer box(Qt::Key_Return);
        QTest::keyClick(form.edit, Qt::Key_F2);
        QVERIFY(box.answered);
        QCOMPARE(box.caption, QStringLiteral("Loadtch"));
        QCOMPARE(box.text, kNoAdd);
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QStringList{"OK"});
        QCOMPARE(form.data->State(), DataSetState::Browse);
        QVERIFY(form.passedOn.isEmpty());
    }

    // The one question before a deletion, whatever the rights; only OK deletes.
    void deleteQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("No") << int(Qt::Key_N) << false;
        QTest::newRow("closed") << int(Qt::Key_Escape) << false;
        QTest::newRow("OK") << int(Qt::Key_O) << true;
    }

    void deleteQuestion() {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        platform::MessageBoxes::SetMode(platform::MessageMode::Interactive);
        signIn("ZZ9", true);
        NavigatorWindow form(openSessions());
        QCOMPARE(form.bar->ConfirmDelete(), false);
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("grid"));
        const BoxAnswer box(static_cast<Qt::Key>(answer));
        QTest::keyClick(form.grid, Qt::Key_F3);
        QVERIFY(box.answered);
        QCOMPARE(box.caption, QStringLiteral("Loadtch"));
        QCOMPARE(box.text, kDeleteQuestion);
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons, (QStringList{"No", "OK"}));
        QCOMPARE(platform::MessageBoxes::Shown().size(), 1);
        QCOMPARE(form.passedOn,
                 deleted ? QList<NavigateButton>{NavigateButton::Delete} : QList<NavigateButton>{});
        QCOMPARE(
            db::RecordExists(*connection_, QStringLiteral("TCHSESS"), QStringLiteral("CODE='S3'")),
            !deleted);
        QCOMPARE(static_cast<db::EditableTable*>(form.data)->RecordCount(), deleted ? 4 : 5);
    }

    void functionKeysClickTheirButtons_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("clicks");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        QTest::newRow("F5") << int(Qt::Key_F5) << none << "search"
                            << "shown" << 1;
        QTest::newRow("Ctrl+F5") << int(Qt::Key_F5) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                 << "search"
                                 << "shown" << 1;
        QTest::newRow("F5, hidden") << int(Qt::Key_F5) << none << "search"
                                    << "hidden" << 0;
        QTest::newRow("F5, disabled") << int(Qt::Key_F5) << none << "search"
                                      << "disabled" << 0;
        QTest::newRow("Shift+F6") << int(Qt::Key_F6) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                  << "print"
                                  << "shown" << 1;
        QTest::newRow("F6, hidden") << int(Qt::Key_F6) << none << "print"
                                    << "hidden" << 0;
        QTest::newRow("Alt+F7") << int(Qt::Key_F7) << Qt::KeyboardModifiers(Qt::AltModifier)
                                << "security"
                                << "shown" << 1;
        QTest::newRow("F7, disabled") << int(Qt::Key_F7) << none << "security"
                                      << "disabled" << 0;
    }

    void functionKeysClickTheirButtons() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, button);
        QFETCH(QString, condition);
        QFETCH(int, clicks);
        signIn("ZZ9", true); // may print, and sees the security button
        NavigatorWindow form(openSessions());
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("edit"));
        QWidget* target = form.window->findChild<platform::SpeedButton*>();
        for (auto* candidate : form.window->findChildren<platform::SpeedButton*>()) {
            if (candidate->Caption() == button) {
                target = candidate;
            }
        }
        if (condition == QLatin1String("hidden")) {
            target->hide();
        } else if (condition == QLatin1String("disabled")) {
            target->setEnabled(false);
        }
        QTest::keyClick(form.edit, static_cast<Qt::Key>(key), modifiers);
        QCOMPARE(form.clicks.value(button), clicks);
        QCOMPARE(form.clicks.size(), clicks);
    }

    void securityButtonShowsToPrivilegedUsers_data() {
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<bool>("skipRightsCheck");
        QTest::addColumn<bool>("fullRights");
        QTest::addColumn<bool>("shown");
        QTest::newRow("nobody signed in") << false << false << false << false;
        QTest::newRow("plain user") << true << false << false << false;
        QTest::newRow("no check") << true << true << false << true;
        QTest::newRow("full rights") << true << false << true << true;
    }

    void securityButtonShowsToPrivilegedUsers() {
        QFETCH(bool, signedIn);
        QFETCH(bool, skipRightsCheck);
        QFETCH(bool, fullRights);
        QFETCH(bool, shown);
        signIn(signedIn ? "AB1" : nullptr, skipRightsCheck, fullRights);
        const NavigatorWindow form(openSessions());
        QCOMPARE(!form.security->isHidden(), shown);
    }

    void shiftF10OpensTheControlsMenu_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("withMenu");
        QTest::addColumn<bool>("opens");
        QTest::newRow("Shift+F10") << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << true;
        QTest::newRow("F10") << Qt::KeyboardModifiers(Qt::NoModifier) << true << false;
        QTest::newRow("Ctrl+Shift+F10")
            << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier) << true << false;
        QTest::newRow("Shift+F10 without a menu")
            << Qt::KeyboardModifiers(Qt::ShiftModifier) << false << false;
    }

    void shiftF10OpensTheControlsMenu() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, withMenu);
        QFETCH(bool, opens);
        NavigatorWindow form(openSessions());
        QMenu menu(form.window.get());
        menu.addAction(QStringLiteral("Copy"));
        if (withMenu) {
            platform::SetPopupMenu(form.edit, &menu);
        }
        QVERIFY(platform::PopupMenu(form.edit) == (withMenu ? &menu : nullptr));
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("edit"));
        QTest::keyClick(form.edit, Qt::Key_F10, modifiers);
        QCOMPARE(menu.isVisible(), opens);
        if (opens) {
            QCOMPARE(menu.pos(), form.edit->mapToGlobal(QPoint(8, 8)));
            menu.close();
        }
    }

    // The window's handlers that were there run first, and what they leave is what the
    // component sees.
    void handlersThatWereThereRunFirst() {
        auto* sessions = openSessions();
        QList<quint16> keysSeen;
        QString typed;
        auto* form = new NavigatorWindow(sessions, [&](TNavHotKey& hotKey) {
            platform::KeyPreview& keys = platform::KeyPreview::Of(hotKey.dbNavigator()->window());
            keys.SetOnKeyDown([&](QObject*, quint16& key, platform::KeyModifiers) {
                keysSeen.append(key);
                if (key == platform::vk::F2) {
                    key = 0;
                }
            });
            keys.SetOnKeyPress([&](QObject*, QChar& key) { typed.append(key); });
        });
        const std::unique_ptr<NavigatorWindow> owned(form);
        QVERIFY(form->Open());
        form->Focus(QStringLiteral("edit"));
        QTest::keyClick(form->edit, Qt::Key_F2);
        QTest::keyClick(form->edit, Qt::Key_A);
        QTest::keyClick(form->edit, Qt::Key_F4);
        QTest::keyClick(form->edit, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(keysSeen,
                 (QList<quint16>{platform::vk::F2, 'A', platform::vk::F4, platform::vk::Return}));
        QCOMPARE(typed, QStringLiteral("a\r"));
        QCOMPARE(form->edit->text(), QStringLiteral("a"));
        QCOMPARE(form->barSaw, QList<NavigateButton>{NavigateButton::Edit});
        QCOMPARE(form->FocusKind(), QStringLiteral("memo"));
    }

    // Without EnterToTab, Enter stays in a single-line edit, which gets the key but not its
    // character.
    void enterWithoutTabbingStaysInTheEdit() {
        NavigatorWindow form(openSessions(),
                             [](TNavHotKey& hotKey) { hotKey.SetEnterToTab(false); });
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("edit"));
        form.edit->setText(QStringLiteral("x"));
        const QSignalSpy returns(form.edit, &QLineEdit::returnPressed);
        KeyCounter counter(Qt::Key_Return);
        form.edit->installEventFilter(&counter);
        QTest::keyClick(form.edit, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(counter.count, 1);
        QCOMPARE(counter.text, QString());
        QCOMPARE(returns.count(), 1);
        QCOMPARE(form.edit->text(), QStringLiteral("x"));
        QCOMPARE(form.FocusKind(), QStringLiteral("edit"));
    }

    // A control removed from the window is forgotten, and the keys that need it do nothing.
    void removedControlsAreForgotten_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("bar") << "bar" << int(Qt::Key_F2);
        QTest::newRow("search button") << "search" << int(Qt::Key_F5);
        QTest::newRow("print button") << "print" << int(Qt::Key_F6);
        QTest::newRow("security button") << "security" << int(Qt::Key_F7);
    }

    void removedControlsAreForgotten() {
        QFETCH(QString, control);
        QFETCH(int, key);
        signIn("ZZ9", true);
        NavigatorWindow form(openSessions());
        const QMap<QString, QObject*> controls{{"bar", form.bar},
                                               {"search", form.search},
                                               {"print", form.print},
                                               {"security", form.security}};
        delete controls.value(control);
        QCOMPARE(form.hotKey->dbNavigator() == nullptr, control == QLatin1String("bar"));
        QCOMPARE(form.hotKey->SearchButton() == nullptr, control == QLatin1String("search"));
        QCOMPARE(form.hotKey->PrintButton() == nullptr, control == QLatin1String("print"));
        QCOMPARE(form.hotKey->SecurityButton() == nullptr, control == QLatin1String("security"));
        QVERIFY(form.Open());
        form.Focus(QStringLiteral("edit"));
        QTest::keyClick(form.edit, static_cast<Qt::Key>(key));
        QCOMPARE(form.data->State(), DataSetState::Browse);
        QVERIFY(form.clicks.isEmpty());
        QVERIFY(form.barSaw.isEmpty());
    }
};

QTEST_MAIN(HotKeyTest)
#include "tst_hot_key.moc"
