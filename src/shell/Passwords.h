#pragma once

#include <QString>
#include <optional>

// The two fixed passwords of the program, held only as salted, slow digests. An entry matches as typed,
// whole: case and blanks count.
namespace Passwords {

// The user name a password logs in as ("Corvinhale" or "Guest"); nothing for a wrong password.
std::optional<QString> userFor(const QString& entry);

// True for the administrator's password.
bool isAdministrator(const QString& entry);

} // namespace Passwords
