#include "payroll/YearMonthBoxes.h"

#include "data/TextRules.h"
#include "widgets/NamedControls.h"
#include "widgets/UpDown.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

UpDown* spinnerFor(QLineEdit* box, const QString& name, int minimum, int maximum)
{
    auto* spinner = named(new UpDown(box->parentWidget()), name);
    spinner->setRange(minimum, maximum);
    QObject::connect(spinner, &UpDown::changed, box, [box](int value) { box->setText(QString::number(value)); });
    return spinner;
}

} // namespace

YearMonthBoxes::YearMonthBoxes(QWidget* form, int firstYear)
    : year(named(new QLineEdit(form), u"text1"_s)),
      yearSpinner(spinnerFor(year, u"UpDown1"_s, firstYear, 9999)),
      month(named(new QLineEdit(form), u"Text2"_s)),
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
