#pragma once

#include <QToolButton>
#include <functional>

namespace platform {

using ClickHandler = std::function<void(QObject* sender)>;

// A flat tool-bar button whose caption is its text. Its click handler can be read and
// replaced, so a component can take it over and call the one that was there.
class SpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit SpeedButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    ClickHandler OnClick() const { return onClick_; }
    void SetOnClick(ClickHandler handler) { onClick_ = std::move(handler); }

    // Runs the click handler, as a mouse click does. Errors pass to the caller; those of a
    // mouse click are shown (nothing for a SilentAbort).
    void Click();

private:
    ClickHandler onClick_;
};

} // namespace platform
