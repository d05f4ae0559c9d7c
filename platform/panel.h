#pragma once

#include <QFrame>
#include <QString>

namespace platform {

// A raised area that groups controls and shows a caption in its middle.
class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

} // namespace platform
