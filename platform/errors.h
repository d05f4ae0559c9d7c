#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

// The one family of errors the loader raises. Each entry point (window creation, a key
// handler, a tool's main) decides how to show them; nothing below it catches them.
class LoaderError : public std::runtime_error {
public:
    explicit LoaderError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// The database or the data-access layer refused a statement or a connection.
class DatabaseError : public LoaderError {
public:
    using LoaderError::LoaderError;
};

// The attendance terminal, or the link to it, failed.
class TerminalError : public LoaderError {
public:
    using LoaderError::LoaderError;
};

// Input from outside (a file, a record, the environment) is not what it must be.
class InputError : public LoaderError {
public:
    using LoaderError::LoaderError;
};

// An operating-system call failed; carries the system's error number and its text.
class SystemError : public LoaderError {
public:
    SystemError(int code, const QString& call);
    int code() const { return code_; }

private:
    int code_;
};

} // namespace platform
