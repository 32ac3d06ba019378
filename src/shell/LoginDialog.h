#pragma once

#include "shell/PasswordDialog.h"

struct AppContext;

// 登入: the password dialog. A right password names the user and opens the main menu page; the
// third wrong one, like cancel, ends the process.
class LoginDialog : public PasswordDialog {
    Q_OBJECT
public:
    explicit LoginDialog(AppContext& app, QWidget* parent = nullptr);

    // Left with cancel, Esc, the close box or the third wrong password: nothing is left to run.
    void done(int result) override;

private:
    void checkPassword() override;
    void writeComingDayRows();

    AppContext& m_app;
    qint16 m_failures = 0;
};
