#include "general_window.h"

#include "general_text.h"
#include "platform/dataset.h"
#include "platform/executable.h"

#include <QObject>

namespace General {

namespace {
// Only the letters a to z are raised, as everywhere in this module.
QString asciiUpper(QString text) {
    for (QChar& c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - 'a' + 'A');
        }
    }
    return text;
}
} // namespace

QString TitleWithoutVersion(const QString& title) {
    const int p = LastPos(QStringLiteral("VERSION"), asciiUpper(title));
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
