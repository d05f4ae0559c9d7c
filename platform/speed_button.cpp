#include "speed_button.h"

#include "event_entry.h"

namespace platform {

SpeedButton::SpeedButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this] { RunEventHandler([this] { Click(); }); });
}

void SpeedButton::Click() {
    if (onClick_) {
        // A copy: the handler may replace itself while it runs.
        const ClickHandler handler = onClick_;
        handler(this);
    }
}

} // namespace platform
