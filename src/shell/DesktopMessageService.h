#pragma once

#include "core/MessageService.h"

#include <QPointer>
#include <QWidget>

// Message boxes and prompts on the desktop, over the active window.
class DesktopMessageService : public MessageService {
public:
    int msgBox(const QString& text, int flags = OkOnly, const QString& title = {}) override;
    // The detail shows as the box's informative text, under the message.
    int msgBox(const QString& text, int flags, const QString& title, const QString& detail) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                    const QString& initial = {}) override;
};
