#pragma once

#include <QFlags>
#include <QtGlobal>
#include <qnamespace.h>

namespace platform {

// Key codes as key handlers of the shared components name keys: the number a key has on the
// keyboard regardless of modifiers (letters by their capital, digits by the digit).
namespace vk {
inline constexpr quint16 Back = 8;
inline constexpr quint16 Tab = 9;
inline constexpr quint16 Return = 13;
inline constexpr quint16 Shift = 16;
inline constexpr quint16 Control = 17;
inline constexpr quint16 Alt = 18;
inline constexpr quint16 Escape = 27;
inline constexpr quint16 Space = 32;
inline constexpr quint16 PageUp = 33;
inline constexpr quint16 PageDown = 34;
inline constexpr quint16 End = 35;
inline constexpr quint16 Home = 36;
inline constexpr quint16 Left = 37;
inline constexpr quint16 Up = 38;
inline constexpr quint16 Right = 39;
inline constexpr quint16 Down = 40;
inline constexpr quint16 Insert = 45;
inline constexpr quint16 Delete = 46;
inline constexpr quint16 F1 = 112; // F2 to F24 follow in order
inline constexpr quint16 F2 = F1 + 1;
inline constexpr quint16 F3 = F1 + 2;
inline constexpr quint16 F4 = F1 + 3;
inline constexpr quint16 F5 = F1 + 4;
inline constexpr quint16 F6 = F1 + 5;
inline constexpr quint16 F7 = F1 + 6;
inline constexpr quint16 F10 = F1 + 9;
inline constexpr quint16 F12 = F1 + 11;
} // namespace vk

// The modifier keys a key handler is told about.
enum class KeyModifier { Shift = 0x1, Ctrl = 0x2, Alt = 0x4 };
Q_DECLARE_FLAGS(KeyModifiers, KeyModifier)

// The code of a toolkit key, or 0 for a key that has none here.
quint16 VirtualKeyCode(int qtKey);

// Shift, Ctrl and Alt out of the toolkit's modifiers; the others (keypad, meta) do not count.
KeyModifiers KeyModifiersOf(Qt::KeyboardModifiers modifiers);

} // namespace platform

Q_DECLARE_OPERATORS_FOR_FLAGS(platform::KeyModifiers)
