#include "shell/ProgramLauncher.h"

#include <QProcess>
#include <QStandardPaths>

namespace ProgramLauncher {

bool startFirstFound(const QStringList& commands)
{
    for (const QString& command : commands) {
        const QString program = QStandardPaths::findExecutable(command);
        if (program.isEmpty())
            continue;
        // The editor or calculator has no business with the books' address, which may hold a password.
        QProcess process;
        process.setProgram(program);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("HALCYON_DATABASE"));
        process.setProcessEnvironment(environment);
        return process.startDetached();
    }
    return false;
}

} // namespace ProgramLauncher
