#include "shell/Passwords.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <array>

namespace Passwords {

namespace {

// Each password is kept as a salted PBKDF2-HMAC-SHA256 digest. The work factor makes one check cost
// about 50 ms: nothing to a clerk, and ten thousand guesses at four digits take minutes, not milliseconds.
constexpr int Iterations = 20000;

struct Account {
    QByteArrayView saltHex;
    QByteArrayView digestHex;
    QStringView userName;
};

const Account administrator{"d2f7aee5a7f58c2622e220ef5edb10aa",
                            "7c117e0f5480f104f0ce89b2662ce2bb6e87e294a58028007b1d234de563fc14", u"Corvinhale"};
const Account guest{"500d45e5ebd02c05f61e2630a770a9cf",
                    "5c7f2a6ae9cadab2b5c182aa056c2596eebb605d407b354b18c871493785a0c8", u"Guest"};
const std::array accounts{administrator, guest};

bool matches(const Account& account, const QString& entry)
{
    const QByteArray digest = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, entry.toUtf8(), QByteArray::fromHex(account.saltHex.toByteArray()), Iterations, 32);
    return digest.toHex() == account.digestHex;
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
