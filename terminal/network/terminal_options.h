#pragma once

#include <QString>
#include <chrono>
#include <optional>

namespace terminal {

enum class TerminalTransport {
    Auto, // TCP, and UDP when TCP brings no real connect reply
    Tcp,
    Udp,
};

// How the loader talks to its terminal.
struct TerminalOptions {
    // The terminal's communication key, when one is set on it.
    std::optional<quint32> commKey;
    TerminalTransport transport = TerminalTransport::Auto;
    // Clear the terminal's attendance log once its records are committed.
    bool clearAfterLoad = false;

    // Waits: a TCP connection, the connect reply, any other reply (or the next packet of a
    // transfer); over UDP each request goes out up to udpTries times.
    std::chrono::milliseconds connectTimeout{2000};
    std::chrono::milliseconds replyTimeout{3000};
    int udpTries = 3;
    // The exit request of the close waits no longer.
    std::chrono::milliseconds closeTimeout{1000};

    // The terminal is paused (disabled) while its log is read, with a time after which it
    // enables itself, so a loader that dies mid-read leaves it paused only that long. Without
    // clearing it is enabled again right after the download; with clearing it stays paused
    // until the records are committed and the log cleared, which takes longer.
    quint32 readPauseSeconds = 60;
    quint32 clearPauseSeconds = 600;

    // Bytes asked for in one read of the prepared data.
    quint32 tcpChunkSize = 65472;
    quint32 udpChunkSize = 16384;
};

// The options of the optional section "Terminal" of the settings file:
//   CommKey=<number from 0 to 4294967295>   (none: the terminal has no key)
//   Transport=auto|tcp|udp                  (default auto)
//   ClearAfterLoad=0|1                      (default 0)
// A missing file, section or key gives the default; a malformed value is an InputError naming
// the file, the key and the value.
TerminalOptions ReadTerminalOptions(const QString& settingsFile);

} // namespace terminal
