#include "shell/LoginDialog.h"

#include "core/AppContext.h"
#include "core/MessageService.h"
#include "data/DataError.h"
#include "data/DayRows.h"
#include "shell/Passwords.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {
constexpr qint16 triesAllowed = 3;
}

LoginDialog::LoginDialog(AppContext& app, QWidget* parent)
    : PasswordDialog(u"enter"_s, u"Password(&P):"_s, u"text1"_s, parent), m_app(app)
{
}

void LoginDialog::checkPassword()
{
    if (const std::optional<QString> user = Passwords::userFor(passwordBox()->text())) {
        m_app.values.user_name = *user;
        writeComingDayRows();
        // The main menu page (and the frame with it) is up before the login goes, so the process
        // never finds itself without a window.
        OpenFormCommand{m_app}(u"主選單"_s);
        accept();
        return;
    }

    if (m_failures == triesAllowed - 1) {
        m_app.messages.msgBox(u"Exit Login ?"_s, MessageService::Exclamation, u"Login"_s);
        reject();
        return;
    }
    m_app.messages.msgBox(u"Password Err,Try again!"_s, MessageService::Exclamation, u"Login"_s);
    passwordBox()->clear();
    passwordBox()->setFocus();
    ++m_failures;
}

// The delivery rows of today and the next two days, brought up to date with the orders. A failure is shown and
// the login goes on: the day rows can be written by halcyon-dayrows as well.
void LoginDialog::writeComingDayRows()
{
    try {
        DayRows::writeComingDays(m_app.db, m_app.clock.today());
    } catch (const DataError& error) {
        m_app.messages.reportFailure(error.message(), error.detail());
    }
}

void LoginDialog::done(int result)
{
    QDialog::done(result);
    if (result == Rejected)
        m_app.endProcess(0);
}
