#include "focus_next.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

// The toolkit keeps the tab-order step to the widget itself; this opens it to the request.
class TabOrderStep : public QWidget {
public:
    static void Next(QWidget* window) {
        const auto step = &TabOrderStep::focusNextChild;
        (window->*step)();
    }
};

} // namespace

void PostFocusNextControl() {
    QPointer<QWidget> window = QApplication::activeWindow();
    if (window.isNull()) {
        return;
    }
    QMetaObject::invokeMethod(
        window,
        [window] {
            if (!window.isNull()) {
                TabOrderStep::Next(window);
            }
        },
        Qt::QueuedConnection);
}

} // namespace platform
