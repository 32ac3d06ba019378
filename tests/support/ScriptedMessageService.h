#pragma once

#include "core/MessageService.h"

#include <QList>
#include <QQueue>
#include <QString>

// The message service of the tests: records every box shown and answers from a queue. A box the
// test did not expect (the queue is empty for a box that asks) fails the running test.
class ScriptedMessageService : public MessageService {
public:
    struct Box {
        QString text;
        int flags = 0;
        QString title;
        QString detail = {}; // the refusal's reason, where the box has one
    };

    // Answers for the next boxes, in order (6 Yes, 7 No, 1 OK); an input prompt takes a text answer.
    void answer(int reply) { m_answers.enqueue(reply); }
    void answerInput(const std::optional<QString>& text) { m_inputs.enqueue(text); }

    int msgBox(const QString& text, int flags = OkOnly, const QString& title = {}) override;
    int msgBox(const QString& text, int flags, const QString& title, const QString& detail) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                    const QString& initial = {}) override;

    const QList<Box>& shown() const { return m_shown; }
    // The last box shown; empty where none was.
    Box last() const { return m_shown.isEmpty() ? Box{} : m_shown.last(); }
    int count() const { return int(m_shown.size()); }
    void clear() { m_shown.clear(); }
    bool allAnswersUsed() const { return m_answers.isEmpty() && m_inputs.isEmpty(); }

private:
    QList<Box> m_shown;
    QQueue<int> m_answers;
    QQueue<std::optional<QString>> m_inputs;
};
