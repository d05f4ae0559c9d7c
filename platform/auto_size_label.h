#pragma once

#include <QLabel>

namespace platform {

// A label that keeps its size fitted to its text and font, so a status line that grows is
// never cut off.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void SetCaption(const QString& text);

protected:
    void changeEvent(QEvent* event) override;
};

} // namespace platform
