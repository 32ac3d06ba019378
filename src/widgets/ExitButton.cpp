#include "widgets/ExitButton.h"

#include <QMdiSubWindow>
#include <QPushButton>

void closeForm(QWidget* form)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        sub->close();
    else
        form->close();
}

QPushButton* makeExitButton(QWidget* form, const QString& caption)
{
    auto* button = new QPushButton(caption, form);
    button->setObjectName(QStringLiteral("離開"));
    QObject::connect(button, &QPushButton::clicked, form, [form] { closeForm(form); });
    return button;
}
