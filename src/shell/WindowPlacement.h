#pragma once

#include <QScreen>
#include <QWidget>
#include <algorithm>

// Places a top-level window in the middle of its screen, at the size its layout asks for.
inline void centerOnScreen(QWidget* window)
{
    window->adjustSize();
    const QRect available = window->screen()->availableGeometry();
    window->move(available.center() - window->rect().center());
}

// Places a top-level window that has not been placed over the middle of `area` (the frame's workspace),
// kept on the screen's free area as far as its size allows; a window the form did not size takes the
// size its layout asks for.
inline void centerOverArea(QWidget* window, const QWidget* area)
{
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QRect available = area->screen()->availableGeometry();
    const QPoint areaCenter = area->mapToGlobal(area->rect().center());
    QPoint topLeft = areaCenter - window->rect().center();
    topLeft.setX(std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - window->width())));
    topLeft.setY(std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - window->height())));
    window->move(topLeft);
}
