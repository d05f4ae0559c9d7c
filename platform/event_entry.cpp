#include "event_entry.h"

#include "message_boxes.h"
#include "silent_abort.h"

#include <QString>
#include <exception>

namespace platform {

void RunEventHandler(const std::function<void()>& work) {
    try {
        work();
    } catch (const SilentAbort&) {
        // Cancelled on purpose; whoever cancelled has already told the user.
    } catch (const std::exception& error) {
        MessageBoxes::ShowError(QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::ShowError(QStringLiteral("Unknown error"));
    }
}

} // namespace platform
