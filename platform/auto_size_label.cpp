#include "auto_size_label.h"

#include <QEvent>

namespace platform {

void AutoSizeLabel::SetCaption(const QString& text) {
    setText(text);
    resize(sizeHint());
}

void AutoSizeLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        resize(sizeHint());
    }
}

} // namespace platform
