#pragma once

#include "virtual_keys.h"

#include <QChar>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class QKeyEvent;

namespace platform {

// A window's key-down handler: the key's code and the modifiers held. Setting the key to 0
// consumes it, so the focused control does not get it; any other change is not passed on.
using KeyDownHandler = std::function<void(QObject* sender, quint16& key, KeyModifiers modifiers)>;
// A window's key-press handler: the character the key types. Setting it to 0 keeps the
// character from the focused control; another character is typed in its place.
using KeyPressHandler = std::function<void(QObject* sender, QChar& key)>;

// The key events of a window. With key preview on, the window's handlers see every key meant
// for any of its controls before that control does; with it off, only keys sent to the window
// itself. A component that takes a handler over keeps the one that was there and calls it.
//
// The toolkit delivers a key and the character it types as one event, to the focused control
// first and to its parents only when the control ignores it, so a filter on the window widget
// alone would see keys too late. The preview therefore watches the application's key events
// and takes those aimed at one of this window's controls. For each, the key-down handler runs
// first, then, when the key types a character, the key-press handler; the control gets the
// event only when neither consumed it. Errors leaving a handler are shown as for any user
// event, and the key is then consumed.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    // The window's key events, set up (owned by the window) on first use.
    static KeyPreview& Of(QWidget* window);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }

    KeyDownHandler OnKeyDown() const { return onKeyDown_; }
    void SetOnKeyDown(KeyDownHandler handler) { onKeyDown_ = std::move(handler); }
    KeyPressHandler OnKeyPress() const { return onKeyPress_; }
    void SetOnKeyPress(KeyPressHandler handler) { onKeyPress_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeyPreview(QWidget* window);
    bool aimedAtThisWindow(QObject* receiver) const;
    // Runs the handlers; true when the event is not to reach the control.
    bool handle(QObject* receiver, QKeyEvent& event);

    QPointer<QWidget> window_;
    bool enabled_ = false;
    KeyDownHandler onKeyDown_;
    KeyPressHandler onKeyPress_;
};

} // namespace platform
