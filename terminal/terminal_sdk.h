#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace terminal {

// The terminal library answers with 16-bit booleans: 0 is False, any other value True.
using TerminalBool = qint16;
constexpr TerminalBool TerminalFalse = 0;
constexpr TerminalBool TerminalTrue = -1;
inline bool IsTrue(TerminalBool value) {
    return value != 0;
}

// The ten operations the download uses of an attendance terminal, with the terminal
// library's argument orders and out values. M is the machine number. An operation that fails
// below the level of its answer (the link, the library) throws platform::TerminalError; a
// False answer is no error.
class TerminalSdk {
public:
    TerminalSdk() = default;
    TerminalSdk(const TerminalSdk&) = delete;
    TerminalSdk& operator=(const TerminalSdk&) = delete;
    virtual ~TerminalSdk() = default;

    // Opens the link to the terminal at the address on the port. True: the link is open.
    virtual TerminalBool OpenTerminalLink(const QString& address, qint32 port) = 0;
    // The code of the failed open.
    virtual void QueryErrorCode(qint32& code) = 0;
    // Readies the attendance records for fetching. True: records can be fetched.
    virtual TerminalBool PrepareLogRead(qint32 M) = 0;

    // Each call that answers True delivers the next record; False ends the records.
    virtual TerminalBool NextFaceLogRecord(qint32 M, QString& enrolment, qint32& a, qint32& mode,
                                           qint32& year, qint32& month, qint32& day, qint32& hour,
                                           qint32& minute, qint32& second, qint32& b, qint32& c,
                                           QString& d) = 0;
    virtual TerminalBool NextTextLogRecord(qint32 M, QString& enrolment, qint32& a, qint32& mode,
                                           qint32& year, qint32& month, qint32& day, qint32& hour,
                                           qint32& minute, qint32& second, qint32& b) = 0;
    // The numeric fetch gives no seconds.
    virtual TerminalBool NextNumericLogRecord(qint32 M, qint32& a, qint32& enrolment, qint32& b,
                                              qint32& c, qint32& mode, qint32& year, qint32& month,
                                              qint32& day, qint32& hour, qint32& minute) = 0;

    // Run after the records have been committed.
    virtual TerminalBool AfterReadStep1(qint32 M) = 0;
    virtual TerminalBool AfterReadStep2(qint32 M) = 0;
    virtual TerminalBool SetTerminalActive(qint32 M, TerminalBool flag) = 0;
    virtual void CloseTerminalLink() = 0;
};

// Makes the terminal object of a load window; the program and the tests each choose theirs.
using TerminalFactory = std::function<std::unique_ptr<TerminalSdk>()>;

} // namespace terminal
