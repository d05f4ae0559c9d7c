#include "startup.h"

#include "check_previous.h"
#include "common/translat.h"
#include "frm_autoload.h"
#include "platform/com_apartment.h"
#include "platform/display_mode.h"
#include "platform/errors.h"
#include "platform/executable.h"
#include "platform/message_boxes.h"

#include <QApplication>
#include <QPointer>
#include <iostream>

namespace {
constexpr int kExitNormal = 0;
constexpr int kExitGuardFailed = 1;
constexpr int kExitUnattendedReported = 2;
} // namespace

int RunAttendanceLoader(int argc, char** argv, LoadSteps& steps) {
    // The translator comes first and goes last: it reads the user's language before anything
    // else starts, and stores it again on every way out of this function, a refused start and
    // a failed guard included, once the window and the guard are gone.
    const Translat::TranslatorLifetime translator;
    platform::SelectToolkitPlatform();
    const bool unattended = !platform::DisplayPresent();
    QApplication application(argc, argv);
    // The program ends when its load window is gone, not when the last box of the run closes.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::MessageBoxes::SetCaption(platform::ApplicationTitle());
    platform::MessageBoxes::SetMode(unattended ? platform::MessageMode::Unattended
                                               : platform::MessageMode::Interactive);

    // The window's controls are laid out now, so that its handle exists for the guard; its
    // creation steps run only once this copy has been admitted.
    QPointer<TfrmAutoload> window = new TfrmAutoload(steps);
    const quint32 windowHandle = unattended ? 0U : static_cast<quint32>(window->winId());

    InstanceGuard guard;
    try {
        if (guard.PreviousInstanceRunning(windowHandle, 1)) {
            delete window;
            return kExitNormal;
        }
    } catch (const platform::SystemError& error) {
        std::cerr << platform::MessageBoxes::Caption().toStdString() << ": " << error.what()
                  << std::endl;
        delete window;
        return kExitGuardFailed;
    }

    [[maybe_unused]] const platform::ComApartment com;
    window->FormCreate();
    if (!unattended) {
        QObject::connect(window, &QObject::destroyed, &application, &QCoreApplication::quit);
        window->show();
        QApplication::exec();
    }
    delete window;
    guard.Release();
    if (unattended && !platform::MessageBoxes::Shown().isEmpty()) {
        return kExitUnattendedReported;
    }
    return kExitNormal;
}
