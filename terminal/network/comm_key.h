#pragma once

#include <QByteArray>

namespace terminal::network {

// The byte a client usually chooses as the varying part of its authentication data.
constexpr quint8 DefaultAuthenticationByte = 0x32;

// The 4 data bytes of the authenticate request that prove knowledge of the communication key
// for one session: the key's 32 bits reversed, the session id added, XORed with "ZKSO", the
// two 16-bit halves swapped, then bytes 0, 1 and 3 XORed with the chosen byte, which goes into
// byte 2.
QByteArray AuthenticationData(quint32 key, quint16 session,
                              quint8 chosenByte = DefaultAuthenticationByte);

// The device's side: whether the data were built from this key for this session (the chosen
// byte is read from byte 2).
bool AuthenticationMatches(const QByteArray& data, quint32 key, quint16 session);

} // namespace terminal::network
