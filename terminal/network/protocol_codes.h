#pragma once

#include <QtGlobal>

// The numbers of the terminal's network protocol: what a request asks, what a reply answers.
namespace terminal::network::code {

// Requests.
constexpr quint16 Connect = 1000;
constexpr quint16 Exit = 1001;
constexpr quint16 EnableDevice = 1002;
constexpr quint16 DisableDevice = 1003; // optional 4-byte seconds: the device enables itself then
constexpr quint16 RefreshData = 1013;
constexpr quint16 GetVersion = 1100;
constexpr quint16 Authenticate = 1102;
constexpr quint16 FreeData = 1502;
constexpr quint16 PrepareBufferedRead = 1503;
constexpr quint16 ReadBufferChunk = 1504;
constexpr quint16 ReadOption = 11;
constexpr quint16 ReadAllUsers = 9;
constexpr quint16 ReadAttendanceLog = 13;
constexpr quint16 ClearData = 14;
constexpr quint16 ClearAttendanceLog = 15;
constexpr quint16 GetFreeSizes = 50;
constexpr quint16 GetTime = 201;
constexpr quint16 SetTime = 202;

// Sent by the device during a transfer: the size of what follows, then the bytes themselves.
constexpr quint16 PrepareData = 1500;
constexpr quint16 Data = 1501;

// Replies.
constexpr quint16 Ok = 2000;
constexpr quint16 Error = 2001;
constexpr quint16 DataReply = 2002;
constexpr quint16 Retry = 2003;
constexpr quint16 Repeat = 2004;
constexpr quint16 Unauthorised = 2005;
constexpr quint16 UnknownCommand = 0xFFFF;
constexpr quint16 CommandError = 0xFFFD;
constexpr quint16 InitialisationError = 0xFFFC;
constexpr quint16 DataError = 0xFFFB;

// Whether a code is one of the replies that end an exchange (as opposed to transfer packets and
// requests).
constexpr bool IsReplyCode(quint16 value) {
    return (value >= Ok && value <= Unauthorised) || value == UnknownCommand ||
           value == CommandError || value == InitialisationError || value == DataError;
}

// Data types of the buffered read.
constexpr quint8 AttendanceData = 1;
constexpr quint8 FingerprintData = 2;
constexpr quint8 OperationLogData = 4;
constexpr quint8 UserData = 5;

// The port the terminals listen on.
constexpr quint16 DefaultPort = 4370;

// Over UDP a request carries at most this many data bytes, and a transfer packet as many.
constexpr qsizetype UdpPacketDataLimit = 1024;

} // namespace terminal::network::code
