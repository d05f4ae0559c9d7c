#pragma once

class QMenu;
class QPoint;
class QWidget;

namespace platform {

// A control's own popup menu: the menu a person gets for that control (by the keyboard, from
// the shared key handling). The control refers to the menu without owning it; a menu that is
// destroyed is no longer the control's menu.
void SetPopupMenu(QWidget* control, QMenu* menu);
// The control's popup menu, or nullptr.
QMenu* PopupMenu(const QWidget* control);

// Opens the menu with its top-left corner at a point on the screen; returns at once.
void PopupAt(QMenu* menu, const QPoint& screenPoint);

} // namespace platform
