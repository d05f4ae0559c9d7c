#pragma once

#include <QString>

namespace terminal {

// What the download shows a person, without knowing how: a status line, the busy cursor,
// and a message box that waits for its answer.
class RunView {
public:
    RunView() = default;
    RunView(const RunView&) = delete;
    RunView& operator=(const RunView&) = delete;
    virtual ~RunView() = default;

    virtual void SetStatusText(const QString& text) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void ShowMessage(const QString& text) = 0;
};

} // namespace terminal
