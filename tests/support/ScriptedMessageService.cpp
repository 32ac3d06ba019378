#include "ScriptedMessageService.h"

#include <gtest/gtest.h>

int ScriptedMessageService::msgBox(const QString& text, int flags, const QString& title)
{
    return msgBox(text, flags, title, QString());
}

int ScriptedMessageService::msgBox(const QString& text, int flags, const QString& title, const QString& detail)
{
    m_shown.push_back({text, flags, title, detail});
    const bool asks = (flags & 7) != OkOnly;
    if (m_answers.isEmpty()) {
        if (asks)
            ADD_FAILURE() << "unexpected question: \"" << text.toStdString() << "\" (" << title.toStdString() << ")";
        return asks ? No : Ok;
    }
    return m_answers.dequeue();
}

std::optional<QString> ScriptedMessageService::inputBox(const QString& prompt, const QString& title,
                                                        const QString&)
{
    m_shown.push_back({prompt, -1, title});
    if (m_inputs.isEmpty()) {
        ADD_FAILURE() << "unexpected input prompt: \"" << prompt.toStdString() << "\"";
        return std::nullopt;
    }
    return m_inputs.dequeue();
}
