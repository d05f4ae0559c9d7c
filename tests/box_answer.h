#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>

// What a modal box showed when a person answered it.
struct AnsweredBox {
    bool answered = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons; // captions from left to right, without their mnemonic marks
};

// Answers the next modal box with one key, as a person would, once it is up; the box's call
// does not return before that.
inline void AnswerNextBox(QObject* context, AnsweredBox& seen, Qt::Key key) {
    // The toolkit owns the timer's slot object; the analyzer cannot see that.
    QTimer::singleShot(
        100, context, [&seen, key] { // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen.answered = true;
            seen.caption = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            QList<QAbstractButton*> buttons = box->buttons();
            std::sort(buttons.begin(), buttons.end(), [](QAbstractButton* a, QAbstractButton* b) {
                return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
            });
            seen.buttons.clear();
            for (QAbstractButton* button : buttons) {
                seen.buttons.append(button->text().remove(QLatin1Char('&')));
            }
            QTest::keyClick(box, key);
        });
}
