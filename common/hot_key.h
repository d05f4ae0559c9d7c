#pragma once

#include "platform/key_preview.h"
#include "platform/navigator_bar.h"
#include "platform/speed_button.h"

#include <QObject>
#include <QPointer>

namespace platform {
class RowLookup;
}

namespace HotKey {

// Keyboard shortcuts for a window's navigator bar, Enter that moves between fields, and the
// signed-in user's rights to add, edit, delete and print records on the window.
//
// The component belongs to its window. Once the window's controls exist, Loaded takes over the
// window's key events, the bar's before-action event and the print button's click, each time
// keeping the handler that was there and calling it first (key events) or last (the others).
// The rights come from table UserRights, one bit mask per user and window: bit 0 add, 1 edit,
// 2 delete, 3 print.
class TNavHotKey : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Security READ Security WRITE SetSecurity)
    Q_PROPERTY(bool EnterToTab READ EnterToTab WRITE SetEnterToTab)
    Q_PROPERTY(bool MoveRecord READ MoveRecord WRITE SetMoveRecord)
public:
    // The rights mask of a user with every right.
    static constexpr qint32 kAllRights = 2147483647;

    explicit TNavHotKey(QObject* owner);

    // Installs the hooks; to be called once, when the window's controls exist and before the
    // window's own creation steps run. Does nothing when the owner is not a window.
    void Loaded();

    // Rights checks are made.
    bool Security() const { return security_; }
    void SetSecurity(bool on) { security_ = on; }
    // The bar the keys drive (not owned).
    platform::DBNavigator* dbNavigator() const { return dbNavigator_; }
    void SetDbNavigator(platform::DBNavigator* bar) { dbNavigator_ = bar; }
    // Clicked by F5, F6 and F7 (not owned). The print button's clicks test the print right;
    // the security button is shown only to privileged users.
    platform::SpeedButton* SearchButton() const { return searchButton_; }
    void SetSearchButton(platform::SpeedButton* button) { searchButton_ = button; }
    platform::SpeedButton* PrintButton() const { return printButton_; }
    void SetPrintButton(platform::SpeedButton* button) { printButton_ = button; }
    platform::SpeedButton* SecurityButton() const { return securityButton_; }
    void SetSecurityButton(platform::SpeedButton* button) { securityButton_ = button; }
    // Enter without modifiers moves the focus to the next control.
    bool EnterToTab() const { return enterToTab_; }
    void SetEnterToTab(bool on) { enterToTab_ = on; }
    // Keys may move the current record.
    bool MoveRecord() const { return moveRecord_; }
    void SetMoveRecord(bool on) { moveRecord_ = on; }
    // The rights of the signed-in user on the owning window; -1 until looked up.
    qint32 FormRights() const { return formRights_; }

    void HandleKeyDown(QObject* sender, quint16& key, platform::KeyModifiers shift);
    void HandleKeyPress(QObject* sender, QChar& key);
    // Cancels the action with a SilentAbort when it is refused.
    void HandleBeforeAction(QObject* sender, platform::NavigateButton button);
    void HandlePrintClick(QObject* sender);
    // The bar's own click of the button, when the dataset's state and the bar allow it.
    void PressButton(platform::NavigateButton button);
    // Looks the window's rights up through the connection, or through the bar's dataset's
    // when none is given; with no connection at all the rights stay -1 (everything allowed)
    // and are looked up again at the next check.
    void LoadRights(platform::RowLookup* connection = nullptr);
    qint32 LookupFormRights(platform::RowLookup& connection, const QString& windowName) const;

private:
    QWidget* ownerWindow() const;
    platform::DataSetState barState() const;
    void handleEnter(quint16& key, platform::KeyModifiers shift);
    void handlePageKey(bool up, platform::KeyModifiers shift);
    // Loads the rights when not yet known; true when the right's bit is set.
    bool hasRight(int bit);

    bool security_ = true;
    // The bar and buttons belong to the window; a reference clears itself when the control
    // is destroyed, and later keys that need it do nothing.
    QPointer<platform::DBNavigator> dbNavigator_;
    QPointer<platform::SpeedButton> searchButton_;
    QPointer<platform::SpeedButton> printButton_;
    QPointer<platform::SpeedButton> securityButton_;
    bool enterToTab_ = true;
    bool moveRecord_ = true;
    platform::KeyDownHandler savedKeyDown_;
    platform::KeyPressHandler savedKeyPress_;
    platform::NavigateHandler savedBeforeAction_;
    platform::ClickHandler savedPrintClick_;
    qint32 formRights_ = -1;
};

} // namespace HotKey
