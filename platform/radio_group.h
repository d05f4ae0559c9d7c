#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QRadioButton;

namespace platform {

// A framed group of radio buttons made from a list of texts, one button per line.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    QStringList Items() const { return items_; }
    // Gives the group one button per item. Buttons that stay keep their checked state, so
    // renaming the items (a change of language) leaves the choice as it was.
    void SetItems(const QStringList& items);

    // The buttons, in item order.
    const QList<QRadioButton*>& Buttons() const { return buttons_; }

private:
    QStringList items_;
    QList<QRadioButton*> buttons_;
};

} // namespace platform
