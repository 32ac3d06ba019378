#include "shell/DesktopMessageService.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

int DesktopMessageService::msgBox(const QString& text, int flags, const QString& title)
{
    return msgBox(text, flags, title, QString());
}

int DesktopMessageService::msgBox(const QString& text, int flags, const QString& title, const QString& detail)
{
    const int buttons = flags & 7;
    const int icon = flags & 0x70;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setText(text);
    box.setInformativeText(detail);
    switch (icon) {
    case Critical: box.setIcon(QMessageBox::Critical); break;
    case Question: box.setIcon(QMessageBox::Question); break;
    case Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (buttons == YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Yes : No;
    }
    if (buttons == 1) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok ? Ok : Cancel;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Ok;
}

std::optional<QString> DesktopMessageService::inputBox(const QString& prompt, const QString& title,
                                                       const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal,
                                               initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
