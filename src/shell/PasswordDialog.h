#pragma once

#include <QDialog>

class QLineEdit;

// What the login and the unlock dialog share: one password box ('*' for each character), an "ok"
// button that Enter presses and a "cancel" button that Esc presses.
class PasswordDialog : public QDialog {
    Q_OBJECT
protected:
    PasswordDialog(const QString& caption, const QString& labelText, const QString& boxName,
                   QWidget* parent);

    QLineEdit* passwordBox() const { return m_password; }

    // "ok" was pressed.
    virtual void checkPassword() = 0;

private:
    QLineEdit* m_password;
};
