#pragma once

#include <QList>
#include <QWidget>

// Puts the controls of a window into the tab order one after another, as listed.
inline void chainTabOrder(const QList<QWidget*>& order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
