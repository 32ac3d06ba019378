#include "shell/DeleteWindows.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void deleteAllWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (!window->parentWidget())
            windows << window;
    for (const QPointer<QWidget>& window : std::as_const(windows))
        delete window.data();
}
