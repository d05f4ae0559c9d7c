#include "comm_key.h"

namespace terminal::network {

namespace {

quint32 reversedBits(quint32 value) {
    quint32 reversed = 0;
    for (int bit = 0; bit < 32; ++bit) {
        reversed = (reversed << 1U) | (value & 1U);
        value >>= 1U;
    }
    return reversed;
}

} // namespace

QByteArray AuthenticationData(quint32 key, quint16 session, quint8 chosenByte) {
    const quint32 mixed = reversedBits(key) + session;
    constexpr unsigned char Mask[4] = {'Z', 'K', 'S', 'O'};
    unsigned char bytes[4];
    for (unsigned index = 0; index < 4; ++index) {
        bytes[index] = static_cast<unsigned char>(((mixed >> (8U * index)) & 0xFFU) ^ Mask[index]);
    }
    QByteArray data(4, '\0');
    data[0] = static_cast<char>(bytes[2] ^ chosenByte);
    data[1] = static_cast<char>(bytes[3] ^ chosenByte);
    data[2] = static_cast<char>(chosenByte);
    data[3] = static_cast<char>(bytes[1] ^ chosenByte);
    return data;
}

bool AuthenticationMatches(const QByteArray& data, quint32 key, quint16 session) {
    if (data.size() != 4) {
        return false;
    }
    const QByteArray expected = AuthenticationData(key, session, static_cast<quint8>(data.at(2)));
    return data.at(0) == expected.at(0) && data.at(1) == expected.at(1) &&
           data.at(3) == expected.at(3);
}

} // namespace terminal::network
