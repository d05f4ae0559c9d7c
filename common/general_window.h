#pragma once

#include <QString>

class QObject;

namespace General {

// The window caption a program shows: its title cut before the last "VERSION" (in any
// letter case), without the one character in front of it, normally a blank.
QString TitleWithoutVersion(const QString& title);
// The same for this program's own application title.
QString TitleWithoutVersion();

// Closes every dataset that the window owns, in the order the window owns them.
void CloseAllDataSets(QObject* window);

} // namespace General
