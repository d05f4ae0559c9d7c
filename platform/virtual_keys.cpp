#include "virtual_keys.h"

namespace platform {

quint16 VirtualKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<quint16>(qtKey); // the toolkit numbers these as their capitals
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<quint16>(vk::F1 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::Return;
    case Qt::Key_Shift:
        return vk::Shift;
    case Qt::Key_Control:
        return vk::Control;
    case Qt::Key_Alt:
        return vk::Alt;
    case Qt::Key_Escape:
        return vk::Escape;
    case Qt::Key_Space:
        return vk::Space;
    case Qt::Key_PageUp:
        return vk::PageUp;
    case Qt::Key_PageDown:
        return vk::PageDown;
    case Qt::Key_End:
        return vk::End;
    case Qt::Key_Home:
        return vk::Home;
    case Qt::Key_Left:
        return vk::Left;
    case Qt::Key_Up:
        return vk::Up;
    case Qt::Key_Right:
        return vk::Right;
    case Qt::Key_Down:
        return vk::Down;
    case Qt::Key_Insert:
        return vk::Insert;
    case Qt::Key_Delete:
        return vk::Delete;
    default:
        return 0;
    }
}

KeyModifiers KeyModifiersOf(Qt::KeyboardModifiers modifiers) {
    KeyModifiers result;
    result.setFlag(KeyModifier::Shift, modifiers.testFlag(Qt::ShiftModifier));
    result.setFlag(KeyModifier::Ctrl, modifiers.testFlag(Qt::ControlModifier));
    result.setFlag(KeyModifier::Alt, modifiers.testFlag(Qt::AltModifier));
    return result;
}

} // namespace platform
