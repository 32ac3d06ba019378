#pragma once

#include "records/ErrorMessageBoxes.h"

#include <QObject>

class MessageService;
class QLineEdit;

// A box that takes digits only: any other key typed into it, Backspace and Enter included, is
// refused with a message and empties the box, so a code is always typed afresh.
class DigitsOnlyBox : public QObject {
    Q_OBJECT
public:
    DigitsOnlyBox(QLineEdit* box, MessageService& messages, MessageBoxText refusal);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MessageService& m_messages;
    MessageBoxText m_refusal;
};
