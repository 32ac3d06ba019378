#include "shell/UnlockDialog.h"

#include "core/AppContext.h"
#include "core/MessageService.h"
#include "shell/Passwords.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

UnlockDialog::UnlockDialog(AppContext& app, QWidget* parent)
    : PasswordDialog(u"unlock"_s, u"password(&P):"_s, u"txtPassword"_s, parent), m_app(app)
{
}

void UnlockDialog::checkPassword()
{
    if (Passwords::isAdministrator(passwordBox()->text())) {
        m_unlocked = true;
        hide();
        return;
    }
    m_app.messages.msgBox(u"password Err.!"_s, MessageService::OkOnly, u"login"_s);
    passwordBox()->setFocus();
    passwordBox()->selectAll();
}

void UnlockDialog::reject()
{
    m_unlocked = false;
    hide();
}
