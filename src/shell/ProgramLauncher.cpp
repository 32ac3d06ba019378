#include "shell/ProgramLauncher.h"

#include <QProcess>
#include <QStandardPaths>

namespace ProgramLauncher {

bool startFirstFound(const QStringList& commands)
{
    for (const QString& command : commands) {
        const QString program = QStandardPaths::findExecutable(command);
        if (!program.isEmpty())
            return QProcess::startDetached(program, {});
    }
    return false;
}

} // namespace ProgramLauncher
