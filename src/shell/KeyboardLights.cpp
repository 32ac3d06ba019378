#include "shell/KeyboardLights.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

std::optional<bool> namedIndicator(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    Bool on = False;
    if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on != False;
}

} // namespace

std::optional<KeyboardLights> keyboardLights()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    const std::optional<bool> num = namedIndicator(display, "Num Lock");
    const std::optional<bool> scroll = namedIndicator(display, "Scroll Lock");
    if (!num && !scroll)
        return std::nullopt;
    return KeyboardLights{num.value_or(false), scroll.value_or(false)};
}
