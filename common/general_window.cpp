#include "general_window.h"

#include "general_text.h"
#include "platform/dataset.h"
#include "platform/executable.h"

#include <QObject>

namespace General {

QString TitleWithoutVersion(const QString& title) {
    const int p = LastPos(QStringLiteral("VERSION"), UpperCaseAscii(title));
    if (p > 0) {
        return TakeLeft(title, p - 2);
    }
    return title;
}

QString TitleWithoutVersion() {
    return TitleWithoutVersion(platform::ApplicationTitle());
}

void CloseAllDataSets(QObject* window) {
    // children() keeps the order in which the window took ownership.
    for (QObject* component : window->children()) {
        if (auto* dataSet = qobject_cast<platform::DataSet*>(component)) {
            dataSet->Close();
        }
    }
}

} // namespace General
