#pragma once

#include <optional>

// The Num Lock and Scroll Lock lights of the keyboard, as the display server reports them.
struct KeyboardLights {
    bool numLock = false;
    bool scrollLock = false;
};

// Nothing where the platform does not tell (Wayland, the offscreen platform).
std::optional<KeyboardLights> keyboardLights();
