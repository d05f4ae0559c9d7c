#include "process_start.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

namespace {

// The navigator's calculator key asks for the Windows calculator by its file name, which names
// nothing here. We start the desktop's own calculator instead, preferring the ones that belong
// to the common desktops over the bare X tools.
constexpr const char* calculatorCandidates[] = {
    "gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc",
};

bool namesWindowsCalculator(const QString& word) {
    return word.compare(QLatin1String("CALC.EXE"), Qt::CaseInsensitive) == 0;
}

QString firstCalculatorOnPath() {
    for (const char* name : calculatorCandidates) {
        QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) {
            return path;
        }
    }
    return {};
}

// The executable a command word stands for, or an empty text when there is none. A word with a
// slash is a path (relative ones to the current directory), as a shell would take it; a bare
// name is looked up on PATH only, never in the current directory.
QString resolveProgram(const QString& word) {
    if (namesWindowsCalculator(word)) {
        return firstCalculatorOnPath();
    }
    if (word.contains(QLatin1Char('/'))) {
        return word;
    }
    return QStandardPaths::findExecutable(word);
}

} // namespace

void StartProgram(const QString& commandLine, bool wait) {
    // Double quotes group words as in a shell command line, so paths with blanks can be given.
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty()) {
        return;
    }
    const QString program = resolveProgram(words.takeFirst());
    if (program.isEmpty()) {
        return;
    }

    if (!wait) {
        // Detached: the program outlives the call (and the loader) and leaves no child to reap.
        QProcess::startDetached(program, words);
        return;
    }

    QProcess process;
    process.setProgram(program);
    process.setArguments(words);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start();
    if (!process.waitForStarted(-1)) {
        return; // not executable, or exec refused: nothing runs, nothing to wait for
    }
    process.waitForFinished(-1);
}

} // namespace platform
