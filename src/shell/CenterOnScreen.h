#pragma once

#include <QScreen>
#include <QWidget>

// Places a top-level window in the middle of its screen, at the size its layout asks for.
inline void centerOnScreen(QWidget* window)
{
    window->adjustSize();
    const QRect available = window->screen()->availableGeometry();
    window->move(available.center() - window->rect().center());
}
