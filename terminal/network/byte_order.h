#pragma once

#include <QByteArray>
#include <QtEndian>

namespace terminal::network {

// Every number the terminal exchanges is little-endian. The readers expect the caller to have
// checked that the bytes are there.

inline quint16 ReadU16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

inline quint32 ReadU32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

inline void WriteU16(QByteArray& bytes, qsizetype at, quint16 value) {
    qToLittleEndian<quint16>(value, bytes.data() + at);
}

inline void WriteU32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToLittleEndian<quint32>(value, bytes.data() + at);
}

inline void AppendU16(QByteArray& bytes, quint16 value) {
    const qsizetype at = bytes.size();
    bytes.resize(at + 2);
    WriteU16(bytes, at, value);
}

inline void AppendU32(QByteArray& bytes, quint32 value) {
    const qsizetype at = bytes.size();
    bytes.resize(at + 4);
    WriteU32(bytes, at, value);
}

} // namespace terminal::network
