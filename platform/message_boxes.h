#pragma once

#include <QList>
#include <QString>

namespace platform {

enum class MessageKind { Message, Error };

// How boxes reach a person. Interactive: modal boxes that wait for an answer.
// Unattended: each message is written to standard error and answered OK at once, so a
// run started by a scheduler never hangs on a box nobody can see.
enum class MessageMode { Interactive, Unattended };

struct ShownMessage {
    MessageKind kind;
    QString text;
};

// The one way the program shows a message box. Every box is captioned with the application
// title and has a single OK button.
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

    // Every box shown so far in this process, in order.
    static QList<ShownMessage> Shown();
    static void ForgetShown();
};

// The error box's punctuation rule: a full stop is added when the last character's code is
// above that of "." (so a text ending in a letter, a digit or "/" gets one; one ending in
// ".", "!", ")" or a blank does not).
QString WithClosingFullStop(const QString& text);

} // namespace platform
