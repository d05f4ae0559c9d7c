#include "radio_group.h"

#include "inner_part.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace platform {

void RadioGroup::SetItems(const QStringList& items) {
    items_ = items;
    if (layout() == nullptr) {
        setLayout(new QVBoxLayout);
    }
    while (buttons_.size() > items_.size()) {
        delete buttons_.takeLast();
    }
    while (buttons_.size() < items_.size()) {
        auto* button = new QRadioButton(this);
        MarkAsInnerPart(button);
        layout()->addWidget(button);
        buttons_.append(button);
    }
    for (qsizetype i = 0; i < items_.size(); ++i) {
        buttons_.at(i)->setText(items_.at(i));
    }
}

} // namespace platform
