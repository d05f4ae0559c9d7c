#include "popup_menu.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

// Carries a control's reference to its menu; it dies with the control.
class PopupMenuLink : public QObject {
public:
    using QObject::QObject;
    QPointer<QMenu> menu;
};

PopupMenuLink* linkOf(const QWidget* control) {
    return control->findChild<PopupMenuLink*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void SetPopupMenu(QWidget* control, QMenu* menu) {
    PopupMenuLink* link = linkOf(control);
    if (link == nullptr) {
        link = new PopupMenuLink(control);
    }
    link->menu = menu;
}

QMenu* PopupMenu(const QWidget* control) {
    const PopupMenuLink* link = linkOf(control);
    return link == nullptr ? nullptr : link->menu.data();
}

void PopupAt(QMenu* menu, const QPoint& screenPoint) {
    menu->popup(screenPoint);
}

} // namespace platform
