#pragma once

#include <QString>
#include <iostream>
#include <sstream>

// What the code under test writes on standard error while one of these lives.
class CapturedErrors {
public:
    CapturedErrors() : previous_(std::cerr.rdbuf(captured_.rdbuf())) {}
    CapturedErrors(const CapturedErrors&) = delete;
    CapturedErrors& operator=(const CapturedErrors&) = delete;
    ~CapturedErrors() { std::cerr.rdbuf(previous_); }

    QString Text() const { return QString::fromStdString(captured_.str()); }
    qsizetype Lines() const { return Text().count(QLatin1Char('\n')); }

private:
    std::ostringstream captured_;
    std::streambuf* previous_;
};
