#pragma once

#include "platform/errors.h"

#include <QString>
#include <iostream>
#include <sstream>

// Captures what is written to standard error while it lives.
class CapturedStandardError {
public:
    CapturedStandardError() : saved_(std::cerr.rdbuf(captured_.rdbuf())) {}
    CapturedStandardError(const CapturedStandardError&) = delete;
    CapturedStandardError& operator=(const CapturedStandardError&) = delete;
    ~CapturedStandardError() { std::cerr.rdbuf(saved_); }
    QString text() const { return QString::fromStdString(captured_.str()); }

private:
    std::ostringstream captured_;
    std::streambuf* saved_;
};

// Runs a call and gives the text of the DatabaseError it raises, or an empty text.
template <typename Call> QString DatabaseErrorOf(Call call) {
    try {
        call();
    } catch (const platform::DatabaseError& error) {
        return error.text();
    }
    return {};
}
