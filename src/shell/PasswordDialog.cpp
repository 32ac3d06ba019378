#include "shell/PasswordDialog.h"

#include "shell/WindowPlacement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

PasswordDialog::PasswordDialog(const QString& caption, const QString& labelText, const QString& boxName,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      m_password(new QLineEdit(this))
{
    setWindowTitle(caption);

    auto* label = new QLabel(labelText, this);
    label->setObjectName(u"lblLabels(1)"_s);
    label->setBuddy(m_password);

    m_password->setObjectName(boxName);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(u"lineedit-password-character: 42"_s); // '*'
    m_password->setMinimumWidth(180);

    auto* ok = new QPushButton(u"ok"_s, this);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    auto* cancel = new QPushButton(u"cancel"_s, this);
    cancel->setObjectName(u"cmdCancel"_s);
    connect(ok, &QPushButton::clicked, this, [this] { checkPassword(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* entry = new QHBoxLayout;
    entry->addWidget(label);
    entry->addWidget(m_password, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(18);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_password->setFocus();
    centerOnScreen(this);
}
