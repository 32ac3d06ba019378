#include "records/SearchBoxEnter.h"

#include "widgets/EntryLimit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

SearchBoxEnter::SearchBoxEnter(QWidget* box, std::function<void()> search)
    : QObject(box), m_search(std::move(search))
{
    box->installEventFilter(this);
    if (auto* line = qobject_cast<QLineEdit*>(box))
        refuseControlCharacters(line);
}

bool SearchBoxEnter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    m_search();
    return true;
}
