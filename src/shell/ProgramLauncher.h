#pragma once

#include <QStringList>

// Starts a helper program of the desktop (a text editor, a calculator, a system-information tool)
// without waiting for it: the first of several commands that is found on the PATH.
namespace ProgramLauncher {

// False when none of `commands` is on the PATH, or the one found could not be started.
bool startFirstFound(const QStringList& commands);

} // namespace ProgramLauncher
