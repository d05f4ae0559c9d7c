#pragma once

#include "app/load_steps.h"
#include "platform/errors.h"
#include "platform/message_boxes.h"

#include <QStringList>

// Load steps that write down the order in which the window runs them, and can fail one of
// them the way a database error would.
class RecordingSteps : public LoadSteps {
public:
    QStringList calls;
    QString failAt;
    QString failure = QStringLiteral("Dynamic SQL Error");
    QString address = QStringLiteral("192.0.2.15");
    QString connectMessage;

    void CreateComponents(QWidget& /*window*/) override {}
    void ConnectDatabase() override {
        step(QStringLiteral("ConnectDatabase"));
        if (!connectMessage.isEmpty()) {
            platform::MessageBoxes::ShowMessage(connectMessage);
        }
    }
    void OpenSystemConfig() override { step(QStringLiteral("OpenSystemConfig")); }
    QString TerminalAddress() override {
        step(QStringLiteral("TerminalAddress"));
        return address;
    }
    void PrepareInsertStatement() override { step(QStringLiteral("PrepareInsertStatement")); }
    void OpenTeachers() override { step(QStringLiteral("OpenTeachers")); }
    void OpenSessions() override { step(QStringLiteral("OpenSessions")); }
    void CreateSignSet() override { step(QStringLiteral("CreateSignSet")); }
    void Download(const QString& terminalAddress, terminal::RunView& /*view*/) override {
        step(QStringLiteral("Download ") + terminalAddress);
    }
    void CloseRunDataSets() override { step(QStringLiteral("CloseRunDataSets")); }

private:
    void step(const QString& name) {
        calls.append(name);
        if (name.startsWith(failAt) && !failAt.isEmpty()) {
            throw platform::DatabaseError(failure);
        }
    }
};
