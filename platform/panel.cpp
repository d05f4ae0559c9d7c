#include "panel.h"

#include <QPainter>

namespace platform {

Panel::Panel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
}

void Panel::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void Panel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
}

} // namespace platform
