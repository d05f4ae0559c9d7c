#pragma once

#include <QList>
#include <QString>

namespace platform {

enum class MessageKind { Message, Error, Information, Confirmation };

// How boxes reach a person. Interactive: modal boxes that wait for an answer.
// Unattended: each message is written to standard error and answered at once (OK, or No for a
// question), so a run started by a scheduler never hangs on a box nobody can see.
enum class MessageMode { Interactive, Unattended };

struct ShownMessage {
    MessageKind kind;
    QString text;
};

// The buttons of a question, in the order the box shows them.
enum class ConfirmButtons { NoOk, YesNo };

// The one way the program shows a message box. Every box is captioned with the application
// title; all but the questions have a single OK button.
class MessageBoxes {
public:
    static void SetMode(MessageMode mode);
    static MessageMode Mode();

    static void SetCaption(const QString& caption);
    static QString Caption();

    // A plain message with an OK button.
    static void ShowMessage(const QString& text);
    // The box for an error that ended an operation: its text, with a closing full stop.
    static void ShowError(const QString& text);
    // A notice with the information sign and an OK button.
    static void ShowInformation(const QString& text);
    // A question with the question sign; true only when the affirmative button (OK or Yes) is
    // chosen. Closing the box, or Escape, answers No.
    static bool Confirm(const QString& text, ConfirmButtons buttons = ConfirmButtons::NoOk);

    // Every box shown so far in this process, in order.
    static QList<ShownMessage> Shown();
    static void ForgetShown();
};

// The error box's punctuation rule: a full stop is added when the last character's code is
// above that of "." (so a text ending in a letter, a digit or "/" gets one; one ending in
// ".", "!", ")" or a blank does not).
QString WithClosingFullStop(const QString& text);

} // namespace platform
