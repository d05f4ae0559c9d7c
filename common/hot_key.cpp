#include "hot_key.h"

#include "current_user.h"
#include "general_program.h"
#include "general_text.h"
#include "platform/focus_next.h"
#include "platform/message_boxes.h"
#include "platform/popup_menu.h"
#include "platform/row_lookup.h"
#include "platform/silent_abort.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace HotKey {

namespace {

using platform::DataSetState;
using platform::KeyModifier;
using platform::KeyModifiers;
using platform::NavigateButton;

constexpr KeyModifiers kNone;
constexpr KeyModifiers kShift(KeyModifier::Shift);
constexpr KeyModifiers kCtrl(KeyModifier::Ctrl);
constexpr KeyModifiers kAlt(KeyModifier::Alt);
constexpr KeyModifiers kShiftCtrl = kShift | kCtrl;

constexpr quint16 kKeyR = 'R';
constexpr quint16 kKeyU = 'U';
constexpr QChar kCarriageReturn(13);
// The offset of a popup menu opened from the keyboard, from the control's top-left corner.
constexpr QPoint kPopupOffset(8, 8);

constexpr int kAddBit = 0;
constexpr int kEditBit = 1;
constexpr int kDeleteBit = 2;
constexpr int kPrintBit = 3;

// The signed-in user's flags. Without a signed-in user (this program has no sign-in) the
// checks treat the user as one with neither flag and an empty user code: no privileges.
struct UserFlags {
    QString code;
    bool skipRightsCheck = false;
    bool fullRights = false;
};

UserFlags signedInUser() {
    const std::optional<General::UserRecord>& user = General::CurrentUser();
    if (!user) {
        return {};
    }
    return {user->UserCode, user->SkipRightsCheck, user->FullRights};
}

// A text value for a condition: in single quotes, every quote inside doubled.
QString quoted(const QString& text) {
    return QLatin1Char('\'') +
           General::ReplaceAllText(text, QStringLiteral("'"), QStringLiteral("''")) +
           QLatin1Char('\'');
}

bool isGrid(const QWidget* control) {
    return qobject_cast<const QAbstractItemView*>(control) != nullptr;
}

bool isMultiLineEdit(const QWidget* control) {
    return qobject_cast<const QPlainTextEdit*>(control) != nullptr ||
           qobject_cast<const QTextEdit*>(control) != nullptr;
}

// A grid's in-place editor: the toolkit puts it on the grid's viewport, inside the grid.
bool parentIsGrid(const QWidget* control) {
    const QWidget* parent = control->parentWidget();
    if (parent == nullptr) {
        return false;
    }
    if (isGrid(parent)) {
        return true;
    }
    const auto* view = qobject_cast<const QAbstractItemView*>(parent->parentWidget());
    return view != nullptr && view->viewport() == parent;
}

bool isMovement(NavigateButton button) {
    return button == NavigateButton::First || button == NavigateButton::Prior ||
           button == NavigateButton::Next || button == NavigateButton::Last;
}

void clickIfUsable(platform::SpeedButton* button) {
    if (button != nullptr && !button->isHidden() && button->isEnabled()) {
        button->Click();
    }
}

} // namespace

TNavHotKey::TNavHotKey(QObject* owner) : QObject(owner) {}

QWidget* TNavHotKey::ownerWindow() const {
    auto* window = qobject_cast<QWidget*>(parent());
    return window != nullptr && window->isWindow() ? window : nullptr;
}

void TNavHotKey::Loaded() {
    QWidget* window = ownerWindow();
    if (window == nullptr) {
        return;
    }
    // The hooks outlive nothing: should the component go before its window, they do nothing.
    const QPointer<TNavHotKey> self(this);
    platform::KeyPreview& keys = platform::KeyPreview::Of(window);
    keys.SetEnabled(true);
    savedKeyDown_ = keys.OnKeyDown();
    keys.SetOnKeyDown([self](QObject* sender, quint16& key, KeyModifiers shift) {
        if (!self.isNull()) {
            self->HandleKeyDown(sender, key, shift);
        }
    });
    savedKeyPress_ = keys.OnKeyPress();
    keys.SetOnKeyPress([self](QObject* sender, QChar& key) {
        if (!self.isNull()) {
            self->HandleKeyPress(sender, key);
        }
    });
    if (!dbNavigator_.isNull()) {
        // The component asks its own question before a deletion; one is enough.
        dbNavigator_->SetConfirmDelete(false);
        savedBeforeAction_ = dbNavigator_->BeforeAction();
        dbNavigator_->SetBeforeAction([self](QObject* sender, NavigateButton button) {
            if (!self.isNull()) {
                self->HandleBeforeAction(sender, button);
            }
        });
    }
    if (!printButton_.isNull()) {
        savedPrintClick_ = printButton_->OnClick();
        printButton_->SetOnClick([self](QObject* sender) {
            if (!self.isNull()) {
                self->HandlePrintClick(sender);
            }
        });
    }
    if (!securityButton_.isNull()) {
        const UserFlags user = signedInUser();
        securityButton_->setVisible(user.fullRights || user.skipRightsCheck);
    }
}

DataSetState TNavHotKey::barState() const {
    if (dbNavigator_.isNull() || dbNavigator_->DataSource() == nullptr) {
        return DataSetState::Inactive;
    }
    return dbNavigator_->DataSource()->State();
}

void TNavHotKey::HandleKeyDown(QObject* sender, quint16& key, KeyModifiers shift) {
    if (savedKeyDown_) {
        savedKeyDown_(sender, key, shift);
    }
    // Only Enter is ever consumed; every other key goes on to the focused control.
    switch (key) {
    case platform::vk::Return:
        handleEnter(key, shift);
        break;
    case platform::vk::PageUp:
    case platform::vk::PageDown:
        handlePageKey(key == platform::vk::PageUp, shift);
        break;
    case platform::vk::F2:
    case platform::vk::F3:
    case platform::vk::F4:
        if (shift == kNone) {
            PressButton(key == platform::vk::F2   ? NavigateButton::Insert
                        : key == platform::vk::F3 ? NavigateButton::Delete
                                                  : NavigateButton::Edit);
        }
        break;
    case platform::vk::F5:
        clickIfUsable(searchButton_);
        break;
    case platform::vk::F6:
        clickIfUsable(printButton_);
        break;
    case platform::vk::F7:
        clickIfUsable(securityButton_);
        break;
    case platform::vk::F10:
        if (shift == kShift) {
            QWidget* focused = QApplication::focusWidget();
            QMenu* menu = focused == nullptr ? nullptr : platform::PopupMenu(focused);
            if (menu != nullptr) {
                platform::PopupAt(menu, focused->mapToGlobal(kPopupOffset));
            }
        }
        break;
    case platform::vk::F12:
        if (shift == kNone) {
            General::RunProgram(QStringLiteral("CALC.EXE"), false);
        }
        break;
    case kKeyU:
    case kKeyR:
        if (shift == kCtrl) {
            PressButton(key == kKeyU ? NavigateButton::Cancel : NavigateButton::Refresh);
        }
        break;
    default:
        break;
    }
}

void TNavHotKey::handleEnter(quint16& key, KeyModifiers shift) {
    if (shift != kNone) {
        key = 0;
        if (shift == kShift) {
            PressButton(NavigateButton::Edit);
        } else if (shift == kCtrl) {
            PressButton(NavigateButton::Post);
        } else if (shift == kAlt && !dbNavigator_.isNull()) {
            const DataSetState state = barState();
            if (state == DataSetState::Edit || state == DataSetState::Insert ||
                state == DataSetState::SetKey) {
                PressButton(NavigateButton::Post);
            }
            if (barState() == DataSetState::Browse) {
                PressButton(NavigateButton::Insert);
            }
        }
        return;
    }
    // Grids and multi-line edits, and a grid's in-place editor, take Enter themselves.
    const QWidget* focused = QApplication::focusWidget();
    if (enterToTab_ && focused != nullptr && !isGrid(focused) && !isMultiLineEdit(focused) &&
        !parentIsGrid(focused)) {
        key = 0;
        platform::PostFocusNextControl();
    }
}

void TNavHotKey::handlePageKey(bool up, KeyModifiers shift) {
    if (dbNavigator_.isNull() || barState() != DataSetState::Browse) {
        return;
    }
    // A grid or a multi-line edit pages by itself; with Shift the keys move the record there.
    const QWidget* focused = QApplication::focusWidget();
    const bool pagesItself = focused != nullptr && (isGrid(focused) || isMultiLineEdit(focused));
    const KeyModifiers step = pagesItself ? kShift : kNone;
    const KeyModifiers jump = pagesItself ? kShiftCtrl : kCtrl;
    if (shift == step) {
        PressButton(up ? NavigateButton::Prior : NavigateButton::Next);
    } else if (shift == jump) {
        PressButton(up ? NavigateButton::First : NavigateButton::Last);
    }
}

void TNavHotKey::HandleKeyPress(QObject* sender, QChar& key) {
    if (savedKeyPress_) {
        savedKeyPress_(sender, key);
    }
    // A single-line edit has no use for a line break.
    if (key == kCarriageReturn &&
        qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr) {
        key = QChar();
    }
}

void TNavHotKey::PressButton(NavigateButton button) {
    platform::DBNavigator* bar = dbNavigator_;
    if (bar == nullptr) {
        return;
    }
    const DataSetState state = barState();
    if (state == DataSetState::Browse &&
        (button == NavigateButton::Post || button == NavigateButton::Cancel)) {
        return;
    }
    if ((state == DataSetState::Edit || state == DataSetState::Insert) &&
        (button == NavigateButton::Insert || button == NavigateButton::Edit)) {
        return;
    }
    if (isMovement(button)) {
        // Moving goes by MoveRecord alone, whatever the bar shows.
        if (!moveRecord_) {
            return;
        }
    } else if (!bar->isEnabled() || bar->isHidden() || bar->VisibleButtons().count(button) == 0) {
        return;
    }
    bar->BtnClick(button);
}

bool TNavHotKey::hasRight(int bit) {
    return General::BitIsSet(formRights_, static_cast<quint8>(bit));
}

void TNavHotKey::HandleBeforeAction(QObject* sender, NavigateButton button) {
    if (security_ && !signedInUser().skipRightsCheck) {
        if (formRights_ == -1) {
            LoadRights();
        }
        struct Refusal {
            NavigateButton button;
            int bit;
            const char* message;
        };
        static constexpr Refusal refusals[] = {
            {NavigateButton::Insert, kAddBit, "You have no rights to add record !"},
            {NavigateButton::Edit, kEditBit, "You have no rights to edit record !"},
            {NavigateButton::Delete, kDeleteBit, "You have no rights to delete record !"},
        };
        for (const Refusal& refusal : refusals) {
            if (refusal.button == button && !hasRight(refusal.bit)) {
                platform::MessageBoxes::ShowInformation(QString::fromLatin1(refusal.message));
                throw platform::SilentAbort();
            }
        }
    }
    // Asked whatever the rights; the bar's own question is off, so this is the only one.
    if (button == NavigateButton::Delete &&
        !platform::MessageBoxes::Confirm(QStringLiteral("Delete Record ?"))) {
        throw platform::SilentAbort();
    }
    if (savedBeforeAction_) {
        savedBeforeAction_(sender, button);
    }
}

void TNavHotKey::HandlePrintClick(QObject* sender) {
    if (security_ && !signedInUser().skipRightsCheck) {
        if (formRights_ == -1) {
            LoadRights();
        }
        if (!hasRight(kPrintBit)) {
            platform::MessageBoxes::ShowInformation(
                QStringLiteral("You have no rights to print record !"));
            return;
        }
    }
    if (savedPrintClick_) {
        savedPrintClick_(sender);
    }
}

void TNavHotKey::LoadRights(platform::RowLookup* connection) {
    if (connection == nullptr && !dbNavigator_.isNull() && dbNavigator_->DataSource() != nullptr) {
        connection = dbNavigator_->DataSource()->DatabaseConnection();
    }
    if (connection == nullptr) {
        return; // -1 allows everything; the next check tries again
    }
    const QString windowName = parent() == nullptr ? QString() : parent()->objectName();
    formRights_ = LookupFormRights(*connection, General::UpperCaseAscii(windowName));
}

qint32 TNavHotKey::LookupFormRights(platform::RowLookup& connection,
                                    const QString& windowName) const {
    const UserFlags user = signedInUser();
    if (user.fullRights) {
        return kAllRights;
    }
    const QString condition = QStringLiteral("Code=") + quoted(user.code) +
                              QStringLiteral(" AND FormName=") +
                              quoted(General::UpperCaseAscii(windowName));
    const QVariant row = connection.SqlLookup(QStringLiteral("UserRights"), condition,
                                              QStringLiteral("Code,FormName,Rights"));
    // No row, or a row whose Rights are empty: no rights.
    const QVariant rights = row.toList().value(2);
    return rights.isNull() ? 0 : rights.toInt();
}

} // namespace HotKey
