#include "widgets/EntryLimit.h"

#include "data/TextRules.h"

#include <QLineEdit>
#include <QStringView>
#include <QValidator>
#include <limits>

namespace {

// A typed or pasted change that makes the text too long, or brings in a control character, is undone;
// text set by the program is left alone.
class EntryValidator : public QValidator {
public:
    explicit EntryValidator(QObject* parent) : QValidator(parent) {}

    void setMaxLength(int maxLength) { m_maxLength = maxLength; }

    State validate(QString& input, int&) const override
    {
        if (TextRules::hasControlCharacter(input))
            return Invalid;
        return QStringView(input).toUcs4().size() <= m_maxLength ? Acceptable : Invalid;
    }

private:
    int m_maxLength = std::numeric_limits<int>::max();
};

EntryValidator* entryValidator(QLineEdit* box)
{
    if (auto* existing = dynamic_cast<EntryValidator*>(const_cast<QValidator*>(box->validator())))
        return existing;
    auto* validator = new EntryValidator(box);
    box->setValidator(validator);
    return validator;
}

} // namespace

void limitTyping(QLineEdit* box, int maxLength)
{
    entryValidator(box)->setMaxLength(maxLength);
    // Room for the whole entry in the widest characters the books hold (CJK), up to a long line.
    const int shown = qMin(maxLength, 40);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("中")) * shown + 12);
}

void refuseControlCharacters(QLineEdit* box)
{
    // A box with a validator of its own (digits only) keeps it: that one takes no control character either.
    if (!box->validator())
        entryValidator(box);
}
