#include "check_previous.h"

#include "platform/errors.h"
#include "platform/executable.h"
#include "platform/window_activation.h"

QString InstanceBlockName(const QString& executablePath) {
    QString name = executablePath;
    name.remove(QLatin1Char('/'));
    return name;
}

bool InstanceGuard::PreviousInstanceRunning(quint32 WindowHandle, qint32 MaxInstances) {
    name_ = InstanceBlockName(platform::ExecutablePath());
    block_.emplace(name_);
    switch (block_->Open()) {
    case platform::InstanceBlock::OpenResult::Unavailable:
        // The block is there but closed to us: stay out without touching the running copy.
        block_.reset();
        return true;
    case platform::InstanceBlock::OpenResult::Created:
        block_->SetWindowHandle(WindowHandle);
        block_->SetInstanceCount(1);
        holdsSlot_ = true;
        block_->EndUpdate();
        return false;
    case platform::InstanceBlock::OpenResult::Opened:
        break;
    }
    if (MaxInstances > block_->InstanceCount()) {
        block_->SetWindowHandle(WindowHandle);
        block_->SetInstanceCount(block_->InstanceCount() + 1);
        holdsSlot_ = true;
        block_->EndUpdate();
        return false;
    }
    const quint32 runningWindow = block_->WindowHandle();
    block_->EndUpdate();
    platform::RestoreAndActivateWindow(runningWindow);
    return true;
}

void InstanceGuard::Release() {
    if (block_) {
        try {
            block_->BeginUpdate();
            if (holdsSlot_) {
                block_->SetInstanceCount(block_->InstanceCount() - 1);
            }
        } catch (const platform::SystemError&) {
            // The program is ending either way; when the block cannot be locked for the
            // update, closing it still drops this copy's hold, and once no copy holds the
            // block the next start finds it new.
        }
        holdsSlot_ = false;
        block_->Close();
        block_.reset();
    }
    name_.clear();
}
