#include "page_control.h"

namespace platform {

QTabWidget* TabSheet::tabs() const {
    // A tab widget keeps its pages in an inner stack; the tab widget is the stack's parent.
    QWidget* stack = parentWidget();
    auto* tabWidget = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabWidget != nullptr && tabWidget->indexOf(this) >= 0 ? tabWidget : nullptr;
}

QString TabSheet::Caption() const {
    QTabWidget* tabWidget = tabs();
    return tabWidget != nullptr ? tabWidget->tabText(tabWidget->indexOf(this)) : caption_;
}

void TabSheet::SetCaption(const QString& caption) {
    caption_ = caption;
    if (QTabWidget* tabWidget = tabs()) {
        tabWidget->setTabText(tabWidget->indexOf(this), caption);
    }
}

} // namespace platform
