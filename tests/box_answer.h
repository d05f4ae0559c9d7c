#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimerEvent>
#include <algorithm>

// Answers the next modal box with one key, as a person would, once it is up (the box's call
// does not return before that), and keeps what the box showed. Made just before the action
// that opens the box.
class BoxAnswer : public QObject {
public:
    explicit BoxAnswer(Qt::Key key) : key_(key) { startTimer(100); }

    bool answered = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons; // captions from left to right, without their mnemonic marks

protected:
    void timerEvent(QTimerEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return; // not up yet
        }
        killTimer(event->timerId());
        answered = true;
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QList<QAbstractButton*> shown = box->buttons();
        std::sort(shown.begin(), shown.end(), [](QAbstractButton* a, QAbstractButton* b) {
            return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
        });
        for (QAbstractButton* button : shown) {
            buttons.append(button->text().remove(QLatin1Char('&')));
        }
        QTest::keyClick(box, key_);
    }

private:
    Qt::Key key_;
};
