#pragma once

#include <QString>
#include <functional>

class QObject;

// Opens a file with the desktop's program for its kind, without waiting for it. `notOpened` runs where
// nothing opens it: at once when the desktop has no opener, or when its opener (xdg-open) ends with a
// failure, which it does only after it found no program or the program could not start. It runs only
// while `context` lives: an opener that ends after the context is gone, the program's end among such
// times, calls nothing.
void openOnDesktop(const QString& file, const QObject* context, const std::function<void()>& notOpened);
