#include "payroll/YearMonthBoxes.h"

#include "data/TextRules.h"
#include "widgets/NamedControls.h"
#include "widgets/UpDown.h"

#include <QLineEdit>
#include <cmath>

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
    const double y = TextRules::numberFromText(year->text());
    const double m = TextRules::numberFromText(month->text());
    if (y != std::trunc(y) || m != std::trunc(m) || y < 1 || y > 9999 || m < 1 || m > 12)
        return std::nullopt;
    return QDate(int(y), int(m), 1);
}
