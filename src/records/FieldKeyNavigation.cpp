#include "records/FieldKeyNavigation.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Moves the focus as Tab or Shift+Tab would, by handing the field the key the old program sent.
void moveFocus(QWidget* field, bool forward)
{
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QCoreApplication::sendEvent(field, &tab);
}

} // namespace

void FieldKeyNavigation::add(QWidget* field)
{
    field->installEventFilter(this);
}

bool FieldKeyNavigation::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    auto* field = static_cast<QWidget*>(watched);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        moveFocus(field, true);
        return true;
    case Qt::Key_Up:
        moveFocus(field, false);
        return true;
    default:
        return false;
    }
}
