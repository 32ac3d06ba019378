#pragma once

#include <QString>

class QPushButton;
class QWidget;

// Closes a form's window: its sub-window when it lives in the frame, the form itself otherwise.
// The form is deleted with it, so the next open loads it afresh.
void closeForm(QWidget* form);

// The button `離開` of a form: closes the form without asking anything; pending edits are dropped.
QPushButton* makeExitButton(QWidget* form, const QString& caption = QStringLiteral("Exit"));
