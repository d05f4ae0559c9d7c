#include "popup_menu.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

// Carries a control's reference to its menu; it dies with the control.
class PopupMenuLink : public QObject {
public:
    explicit PopupMenuLink(QWidget* control) : QObject(control) { setObjectName(name()); }
    static QString name() { return QStringLiteral("PopupMenuLink"); }
    QPointer<QMenu> menu;
};

PopupMenuLink* linkOf(const QWidget* control) {
    for (QObject* child : control->children()) {
        if (auto* link = dynamic_cast<PopupMenuLink*>(child)) {
            return link;
        }
    }
    return nullptr;
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
