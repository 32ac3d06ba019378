#pragma once

#include <QString>
#include <functional>

// Opens a file with the desktop's program for its kind, without waiting for it. `notOpened` runs where
// nothing opens it: at once when the desktop has no opener, or when its opener (xdg-open) ends with a
// failure, which it does only after it found no program or the program could not start.
void openOnDesktop(const QString& file, const std::function<void()>& notOpened);
