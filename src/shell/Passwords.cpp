#include "shell/Passwords.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <array>

namespace Passwords {

namespace {

// Each password is kept as a salted PBKDF2-HMAC-SHA256 digest. The work factor makes one check cost
// about 50 ms: nothing to a clerk, and ten thousand guesses at four digits take minutes, not milliseconds.
constexpr int Iterations = 28000;

struct Account {
    QByteArrayView saltHex;
    QByteArrayView digestHex;
    QStringView userName;
};

const Account administrator{"d2f7aee5a7f58c2622e220ef5edb10aa",
                            "ff4634e1c21acc1c2f6748c6dd21a47b2d299eb42e9c4b16158586718204512c", u"Corvinhale"};
const Account guest{"500d45e5ebd02c05f61e2630a770a9cf",
                    "09f08767cfe3dcb75804ed2a4102e7269f83e6c8619ae5bdb233400b0b5fdd21", u"Guest"};
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
