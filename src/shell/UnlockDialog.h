#pragma once

#include "shell/PasswordDialog.h"

struct AppContext;

// 解鎖: asks for the administrator's password, as many times as the clerk likes. It hides rather
// than closes, so whoever opened it can read unlocked() afterwards.
class UnlockDialog : public PasswordDialog {
    Q_OBJECT
public:
    explicit UnlockDialog(AppContext& app, QWidget* parent = nullptr);

    // True after the administrator's password was accepted, false after cancel.
    bool unlocked() const { return m_unlocked; }

    void reject() override;

private:
    void checkPassword() override;

    AppContext& m_app;
    bool m_unlocked = false;
};
