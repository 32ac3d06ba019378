#include "widgets/EntryLimit.h"

#include <QLineEdit>
#include <QValidator>

namespace {

// A typed change that makes the text too long is undone; text set by the program is left alone.
class LengthValidator : public QValidator {
public:
    LengthValidator(int maxLength, QObject* parent) : QValidator(parent), m_maxLength(maxLength) {}

    State validate(QString& input, int&) const override
    {
        return input.size() <= m_maxLength ? Acceptable : Invalid;
    }

private:
    int m_maxLength;
};

} // namespace

void limitTyping(QLineEdit* box, int maxLength)
{
    box->setValidator(new LengthValidator(maxLength, box));
}
