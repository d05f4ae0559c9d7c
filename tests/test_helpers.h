#pragma once

#include "platform/errors.h"

#include <QByteArray>
#include <QFile>
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

// Writes a test's input file, replacing it; the test cannot go on without it.
inline QString WriteTestFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}
