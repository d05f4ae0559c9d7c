#include "open_windows.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>

namespace platform {

bool IsFormWindow(const QWidget* widget) {
    if (widget == nullptr || !widget->isWindow()) {
        return false;
    }
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Sheet || type == Qt::Tool;
}

namespace {

// The windows in the order they were first seen, kept for the life of the program.
QList<QPointer<QWidget>>& seenWindows() {
    static QList<QPointer<QWidget>> windows;
    return windows;
}

// Where the toolkit made a native window for it, its place in the toolkit's list of native
// windows, which grows in creation order; windows without one after all others.
qsizetype nativeOrder(const QWidget* widget) {
    const QWindowList natives = QGuiApplication::allWindows();
    const QWindow* native = widget->windowHandle();
    const qsizetype place = native != nullptr ? natives.indexOf(native) : -1;
    return place >= 0 ? place : natives.size();
}

} // namespace

QList<QWidget*> OpenWindows() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return {};
    }
    QList<QPointer<QWidget>>& seen = seenWindows();
    seen.removeIf([](const QPointer<QWidget>& window) { return window.isNull(); });

    QList<QWidget*> fresh;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (IsFormWindow(widget) && !seen.contains(widget)) {
            fresh.append(widget);
        }
    }
    std::stable_sort(fresh.begin(), fresh.end(), [](const QWidget* a, const QWidget* b) {
        const qsizetype orderA = nativeOrder(a);
        const qsizetype orderB = nativeOrder(b);
        return orderA != orderB ? orderA < orderB : std::less<>()(a, b);
    });
    for (QWidget* widget : fresh) {
        seen.append(widget);
    }

    QList<QWidget*> windows;
    for (const QPointer<QWidget>& window : seen) {
        if (IsFormWindow(window)) {
            windows.append(window);
        }
    }
    return windows;
}

} // namespace platform
