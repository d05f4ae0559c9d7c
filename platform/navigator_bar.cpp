#include "navigator_bar.h"

#include "event_entry.h"
#include "message_boxes.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace platform {

namespace {

struct ButtonLook {
    const char* name;
    const char* symbol;
    const char* hint;
};

constexpr std::array<ButtonLook, kNavigateButtonCount> kLooks{{
    {"First", "|<", "First record"},
    {"Prior", "<", "Prior record"},
    {"Next", ">", "Next record"},
    {"Last", ">|", "Last record"},
    {"Insert", "+", "Insert record"},
    {"Delete", "-", "Delete record"},
    {"Edit", "^", "Edit record"},
    {"Post", "\u2713", "Post edit"},
    {"Cancel", "x", "Cancel edit"},
    {"Refresh", "\u21bb", "Refresh data"},
}};

int indexOf(NavigateButton button) {
    return static_cast<int>(button);
}

} // namespace

NavigateButtons AllNavigateButtons() {
    NavigateButtons all;
    for (int i = 0; i < kNavigateButtonCount; ++i) {
        all.insert(static_cast<NavigateButton>(i));
    }
    return all;
}

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent), visibleButtons_(AllNavigateButtons()) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kNavigateButtonCount; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(kLooks.at(i).name));
        button->setText(QString::fromUtf8(kLooks.at(i).symbol));
        // Like the bar's buttons everywhere: clicked with the mouse, never focused.
        button->setFocusPolicy(Qt::NoFocus);
        const auto which = static_cast<NavigateButton>(i);
        connect(button, &QToolButton::clicked, this,
                [this, which] { RunEventHandler([this, which] { BtnClick(which); }); });
        layout->addWidget(button);
        buttons_.at(i) = button;
    }
    SetHints({});
}

void DBNavigator::SetVisibleButtons(const NavigateButtons& buttons) {
    visibleButtons_ = buttons;
    for (int i = 0; i < kNavigateButtonCount; ++i) {
        buttons_.at(i)->setVisible(buttons.count(static_cast<NavigateButton>(i)) > 0);
    }
}

void DBNavigator::SetHints(const QStringList& hints) {
    hints_.clear();
    for (int i = 0; i < kNavigateButtonCount; ++i) {
        hints_.append(i < hints.size() ? hints.at(i) : QString::fromUtf8(kLooks.at(i).hint));
        buttons_.at(i)->setToolTip(hints_.at(i));
    }
}

QToolButton* DBNavigator::Button(NavigateButton button) const {
    return buttons_.at(indexOf(button));
}

void DBNavigator::BtnClick(NavigateButton button) {
    if (dataSource_.isNull() || dataSource_->State() == DataSetState::Inactive) {
        return;
    }
    if (beforeAction_) {
        // A copy: the handler may replace itself while it runs.
        const NavigateHandler handler = beforeAction_;
        handler(this, button);
    }
    if (button == NavigateButton::Delete && confirmDelete_ &&
        !MessageBoxes::Confirm(QStringLiteral("Delete record?"), ConfirmButtons::YesNo)) {
        return;
    }
    // While a box waited for its answer, the dataset may have gone.
    if (!dataSource_.isNull()) {
        carryOut(*dataSource_, button);
    }
}

void DBNavigator::carryOut(NavigableDataSet& dataSet, NavigateButton button) {
    switch (button) {
    case NavigateButton::First:
        dataSet.First();
        break;
    case NavigateButton::Prior:
        dataSet.Prior();
        break;
    case NavigateButton::Next:
        dataSet.Next();
        break;
    case NavigateButton::Last:
        dataSet.Last();
        break;
    case NavigateButton::Insert:
        dataSet.Insert();
        break;
    case NavigateButton::Delete:
        dataSet.Delete();
        break;
    case NavigateButton::Edit:
        dataSet.Edit();
        break;
    case NavigateButton::Post:
        dataSet.Post();
        break;
    case NavigateButton::Cancel:
        dataSet.Cancel();
        break;
    case NavigateButton::Refresh:
        dataSet.Refresh();
        break;
    }
}

} // namespace platform
