#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
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

void show(MessageKind kind, const QString& text) {
    MessageState& s = state();
    s.shown.append({kind, text});
    if (s.mode == MessageMode::Unattended) {
        std::cerr << s.caption.toStdString() << ": " << text.toStdString() << std::endl;
        return;
    }
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    s.caption, text, QMessageBox::Ok, QApplication::activeWindow());
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
