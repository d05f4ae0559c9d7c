#include "key_preview.h"

#include "event_entry.h"

#include <QApplication>
#include <QKeyEvent>

namespace platform {

namespace {

// The event being passed on with a changed character: the previews let it through.
const QKeyEvent* passingOn = nullptr;

} // namespace

KeyPreview::KeyPreview(QWidget* window) : QObject(window), window_(window) {
    setObjectName(QStringLiteral("KeyPreview"));
    QCoreApplication::instance()->installEventFilter(this);
}

KeyPreview& KeyPreview::Of(QWidget* window) {
    if (auto* existing = window->findChild<KeyPreview*>(QString(), Qt::FindDirectChildrenOnly)) {
        return *existing;
    }
    return *new KeyPreview(window);
}

bool KeyPreview::aimedAtThisWindow(QObject* receiver) const {
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr || window_.isNull() || widget->window() != window_) {
        return false;
    }
    QWidget* focused = window_->focusWidget();
    if (!enabled_) {
        return widget == window_ && focused == nullptr;
    }
    // The first delivery only: a key the control ignores travels on to its parents.
    return widget == focused || (widget == window_ && focused == nullptr);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || event == passingOn || !aimedAtThisWindow(watched)) {
        return false;
    }
    auto& keyEvent = static_cast<QKeyEvent&>(*event);
    bool consumed = true; // also when a handler fails
    RunEventHandler([&] { consumed = handle(watched, keyEvent); });
    if (consumed) {
        event->accept();
    }
    return consumed;
}

bool KeyPreview::handle(QObject* receiver, QKeyEvent& event) {
    // Copies: a handler may replace the window's handlers while it runs.
    const KeyDownHandler onKeyDown = onKeyDown_;
    const KeyPressHandler onKeyPress = onKeyPress_;
    QWidget* sender = window_;
    bool keyConsumed = false;
    quint16 key = VirtualKeyCode(event.key());
    if (key != 0 && onKeyDown) {
        onKeyDown(sender, key, KeyModifiersOf(event.modifiers()));
        keyConsumed = key == 0;
    }
    const QString text = event.text();
    if (text.isEmpty() || !onKeyPress) {
        return keyConsumed;
    }
    const QChar typed = text.front();
    QChar character = typed;
    onKeyPress(sender, character);
    if (keyConsumed || character == typed) {
        return keyConsumed;
    }
    // The key still reaches the control, with the character the handler left (none for 0).
    QKeyEvent changed(QEvent::KeyPress, event.key(), event.modifiers(), event.nativeScanCode(),
                      event.nativeVirtualKey(), event.nativeModifiers(),
                      character.isNull() ? QString() : QString(character), event.isAutoRepeat(),
                      event.count());
    const QKeyEvent* outer = std::exchange(passingOn, &changed);
    QCoreApplication::sendEvent(receiver, &changed);
    passingOn = outer;
    return true;
}

} // namespace platform
