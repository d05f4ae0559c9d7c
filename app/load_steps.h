#pragma once

#include <QString>

class QWidget;
namespace terminal {
class RunView;
}

// The steps of the load window's creation that work on the database and the terminal, in
// the order the window runs them. Any step may raise an error; the window then reports it
// and skips the steps after it.
class LoadSteps {
public:
    LoadSteps() = default;
    LoadSteps(const LoadSteps&) = delete;
    LoadSteps& operator=(const LoadSteps&) = delete;
    virtual ~LoadSteps() = default;

    // Creates the window's data components (connection, datasets, statement) owned by the
    // window, in their fixed order. Called once, when the window lays out its controls.
    virtual void CreateComponents(QWidget& window) = 0;

    // Connects to the school database. A failed connection is reported here and is no error
    // of the window's creation: the next steps run and meet the closed connection.
    virtual void ConnectDatabase() = 0;
    // Opens the system configuration and stays on its first row.
    virtual void OpenSystemConfig() = 0;
    // The terminal's address from the configuration row.
    virtual QString TerminalAddress() = 0;
    // Builds the teacher log insert statement from the table's own columns.
    virtual void PrepareInsertStatement() = 0;
    virtual void OpenTeachers() = 0;
    virtual void OpenSessions() = 0;
    // Creates the empty set of first sign-ins of this run.
    virtual void CreateSignSet() = 0;
    // The download from the terminal at the given address, shown through the window's view.
    virtual void Download(const QString& terminalAddress, terminal::RunView& view) = 0;
    // Closes the teachers, the sessions and the sign-in set when the window is closed.
    virtual void CloseRunDataSets() = 0;
};
