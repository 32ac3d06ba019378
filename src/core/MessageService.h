#pragma once

#include <QString>
#include <optional>

class QWidget;

// Every message box and input prompt of the program goes through this service, with the flags and
// answers clerks know from the old program, so tests can answer them and see what was shown.
class MessageService {
public:
    // Buttons and icon, added together as the old program did (52 = YesNo + Exclamation).
    enum Flags {
        OkOnly = 0,
        YesNo = 4,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64,
    };
    enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    virtual ~MessageService() = default;

    // Shows `text` under `title` and returns the answer (Ok for a box with one button).
    virtual int msgBox(const QString& text, int flags = OkOnly, const QString& title = {}) = 0;
    // The same box with a detail line: why a refusal happened, below the form's own text. A service
    // without a place of its own for it shows it under the text.
    virtual int msgBox(const QString& text, int flags, const QString& title, const QString& detail)
    {
        return msgBox(detail.isEmpty() ? text : text + QStringLiteral("\n\n") + detail, flags, title);
    }
    // An input prompt; nothing when the clerk cancels.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                            const QString& initial = {}) = 0;

    // The box every list, grid and report shows when the database refuses its work: the reason,
    // critical, titled "Err.", with a detail line where there is one.
    void reportFailure(const QString& reason, const QString& detail = {})
    {
        msgBox(reason, Critical, QStringLiteral("Err."), detail == reason ? QString() : detail);
    }
};
