#include "shell/DesktopMessageService.h"

#include <QApplication>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>

namespace {

// The window a box belongs to: the form that has the focus (a child window of the frame is a form
// of its own), else the active window. The box is shown over it.
QWidget* ownerOfBox()
{
    QWidget* focused = QApplication::focusWidget();
    for (QWidget* widget = focused; widget; widget = widget->parentWidget()) {
        if (qobject_cast<QMdiSubWindow*>(widget) || widget->isWindow())
            return widget;
    }
    return QApplication::activeWindow();
}

QMessageBox::Icon iconOf(int flags)
{
    switch (flags & 0x70) {
    case MessageService::Critical: return QMessageBox::Critical;
    case MessageService::Question: return QMessageBox::Question;
    case MessageService::Exclamation: return QMessageBox::Warning;
    case MessageService::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

int DesktopMessageService::msgBox(const QString& text, int flags, const QString& title)
{
    return msgBox(text, flags, title, QString());
}

int DesktopMessageService::msgBox(const QString& text, int flags, const QString& title, const QString& detail)
{
    const int buttons = flags & 7;
    // The box lives on the heap, watched: a window closed while its box is open takes the box with it,
    // and the question then counts as unanswered.
    QPointer<QMessageBox> box = new QMessageBox(ownerOfBox());
    box->setWindowTitle(title.isEmpty() ? ProgramTitle : title);
    box->setText(text);
    box->setInformativeText(detail);
    box->setIcon(iconOf(flags));
    int answer = Ok;
    if (buttons == YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        const int result = box->exec();
        answer = box && result == QMessageBox::Yes ? Yes : No;
    } else if (buttons == 1) {
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        const int result = box->exec();
        answer = box && result == QMessageBox::Ok ? Ok : Cancel;
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->exec();
    }
    delete box.data();
    return answer;
}

std::optional<QString> DesktopMessageService::inputBox(const QString& prompt, const QString& title,
                                                       const QString& initial)
{
    QPointer<QInputDialog> dialog = new QInputDialog(ownerOfBox());
    dialog->setWindowTitle(title);
    dialog->setLabelText(prompt);
    dialog->setTextValue(initial);
    const int result = dialog->exec();
    if (!dialog || result != QDialog::Accepted) {
        delete dialog.data();
        return std::nullopt;
    }
    const QString text = dialog->textValue();
    delete dialog.data();
    return text;
}
