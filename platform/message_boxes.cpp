#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <iostream>

namespace platform {

namespace {

struct MessageState {
    MessageMode mode = MessageMode::Interactive;
    QString caption;
    QList<ShownMessage> shown;
};

MessageState& state() {
    static MessageState instance;
    return instance;
}

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    case MessageKind::Message:
        break;
    }
    return QMessageBox::NoIcon;
}

// Writes the box down; true when a person is there to answer it.
bool record(MessageKind kind, const QString& text) {
    MessageState& s = state();
    s.shown.append({kind, text});
    if (s.mode == MessageMode::Unattended) {
        std::cerr << s.caption.toStdString() << ": " << text.toStdString() << std::endl;
        return false;
    }
    return true;
}

void show(MessageKind kind, const QString& text) {
    if (!record(kind, text)) {
        return;
    }
    QMessageBox box(iconOf(kind), state().caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace

void MessageBoxes::SetMode(MessageMode mode) {
    state().mode = mode;
}
MessageMode MessageBoxes::Mode() {
    return state().mode;
}

void MessageBoxes::SetCaption(const QString& caption) {
    state().caption = caption;
}
QString MessageBoxes::Caption() {
    return state().caption;
}

void MessageBoxes::ShowMessage(const QString& text) {
    show(MessageKind::Message, text);
}

void MessageBoxes::ShowError(const QString& text) {
    show(MessageKind::Error, WithClosingFullStop(text));
}

void MessageBoxes::ShowInformation(const QString& text) {
    show(MessageKind::Information, text);
}

bool MessageBoxes::Confirm(const QString& text, ConfirmButtons buttons) {
    // Nobody can agree to what the question asks (a deletion, say) in an unattended run, so
    // the question is written down and answered No.
    if (!record(MessageKind::Confirmation, text)) {
        return false;
    }
    QMessageBox box(QMessageBox::Question, state().caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    // Both buttons share one role, so the box keeps them in the order added on every desktop's
    // button layout. No is the default, so a stray Enter never agrees.
    const bool yesNo = buttons == ConfirmButtons::YesNo;
    QPushButton* affirmative = nullptr;
    QPushButton* negative = nullptr;
    if (yesNo) {
        affirmative = box.addButton(QStringLiteral("&Yes"), QMessageBox::ActionRole);
        negative = box.addButton(QStringLiteral("&No"), QMessageBox::ActionRole);
    } else {
        negative = box.addButton(QStringLiteral("&No"), QMessageBox::ActionRole);
        affirmative = box.addButton(QStringLiteral("&OK"), QMessageBox::ActionRole);
    }
    box.setDefaultButton(negative);
    box.setEscapeButton(negative);
    box.exec();
    return box.clickedButton() == affirmative;
}

QList<ShownMessage> MessageBoxes::Shown() {
    return state().shown;
}
void MessageBoxes::ForgetShown() {
    state().shown.clear();
}

QString WithClosingFullStop(const QString& text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) {
        return text + QLatin1Char('.');
    }
    return text;
}

} // namespace platform
