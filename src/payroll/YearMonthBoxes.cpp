#include "payroll/YearMonthBoxes.h"

#include "data/TextRules.h"
#include "widgets/NamedControls.h"
#include "widgets/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

// Up and Down in a box step its spinner; every other key is the box's own.
class SpinnerKeys : public QObject {
public:
    SpinnerKeys(QLineEdit* box, UpDown* spinner) : QObject(box), m_spinner(spinner) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (key->key() == Qt::Key_Up)
            m_spinner->stepUp();
        else if (key->key() == Qt::Key_Down)
            m_spinner->stepDown();
        else
            return false;
        return true;
    }

private:
    UpDown* m_spinner;
};

QLineEdit* namedBox(QWidget* form, const QString& name, const QString& caption)
{
    auto* box = named(new QLineEdit(form), name);
    box->setAccessibleName(caption);
    return box;
}

UpDown* spinnerFor(QLineEdit* box, const QString& name, int minimum, int maximum)
{
    auto* spinner = named(new UpDown(box->parentWidget()), name);
    spinner->setRange(minimum, maximum);
    spinner->setFocusPolicy(Qt::NoFocus);
    spinner->setAccessibleName(box->accessibleName());
    QObject::connect(spinner, &UpDown::changed, box, [box](int value) { box->setText(QString::number(value)); });
    new SpinnerKeys(box, spinner);
    return spinner;
}

} // namespace

YearMonthBoxes::YearMonthBoxes(QWidget* form, int firstYear, const QString& yearName, const QString& monthName)
    : year(namedBox(form, yearName, u"year"_s)),
      yearSpinner(spinnerFor(year, u"UpDown1"_s, firstYear, 9999)),
      month(namedBox(form, monthName, u"month"_s)),
      monthSpinner(spinnerFor(month, u"UpDown2"_s, 1, 12))
{
    const int boxWidth = year->fontMetrics().horizontalAdvance(u"000000"_s) + 12;
    year->setMaximumWidth(boxWidth);
    month->setMaximumWidth(boxWidth);
}

void YearMonthBoxes::showMonth(const QDate& day)
{
    yearSpinner->setValue(day.year());
    monthSpinner->setValue(day.month());
    // A spinner already standing on the value does not report it.
    year->setText(QString::number(yearSpinner->value()));
    month->setText(QString::number(monthSpinner->value()));
}

std::optional<QDate> YearMonthBoxes::firstDay() const
{
    const std::optional<int> y = TextRules::wholeNumberIn(year->text(), 1, 9999);
    const std::optional<int> m = TextRules::wholeNumberIn(month->text(), 1, 12);
    if (!y || !m)
        return std::nullopt;
    return QDate(*y, *m, 1);
}
