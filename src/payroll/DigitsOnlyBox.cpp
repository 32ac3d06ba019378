#include "payroll/DigitsOnlyBox.h"

#include <QKeyEvent>
#include <QLineEdit>

DigitsOnlyBox::DigitsOnlyBox(QLineEdit* box, MessageService& messages, MessageBoxText refusal)
    : QObject(box), m_messages(messages), m_refusal(std::move(refusal))
{
    box->installEventFilter(this);
}

bool DigitsOnlyBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Keys that type nothing (arrows, Shift, Home) move or select; the rest must be a digit.
    const bool typesSomething = !text.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    if (!typesSomething || (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9'))
        return false;
    showMessage(m_messages, m_refusal);
    static_cast<QLineEdit*>(watched)->clear();
    return true;
}
