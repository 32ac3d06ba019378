#include "shell/Passwords.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <array>

namespace Passwords {

namespace {

struct Account {
    QByteArrayView sha256Hex;
    QStringView userName;
};

const Account administrator{"f9fb7b7f889b733ae0a3465f363237db4ff6febef0adc7d71539af93e4041c73", u"Corvinhale"};
const Account guest{"f0fed4506f7273edf89425f9256b6691401a0fd14cb6a7f61754581cb9039533", u"Guest"};
const std::array accounts{administrator, guest};

bool matches(const Account& account, const QString& entry)
{
    return QCryptographicHash::hash(entry.toUtf8(), QCryptographicHash::Sha256).toHex() == account.sha256Hex;
}

} // namespace

std::optional<QString> userFor(const QString& entry)
{
    for (const Account& account : accounts) {
        if (matches(account, entry))
            return account.userName.toString();
    }
    return std::nullopt;
}

bool isAdministrator(const QString& entry)
{
    return matches(administrator, entry);
}

} // namespace Passwords
