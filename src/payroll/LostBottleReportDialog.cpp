#include "payroll/LostBottleReportDialog.h"

#include "core/AppContext.h"
#include "data/Recordset.h"
#include "data/TextRules.h"
#include "payroll/PayrollMessages.h"
#include "records/RunGuarded.h"
#include "sheets/SpreadsheetWriter.h"
#include "widgets/DataCombo.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "widgets/UpDown.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <climits>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Identical rows of one customer, day, product, area, count and employee come once. Rows with no
// employee charged come first on every database.
const QString reportSelect =
    u"select customer_data.c_code, customer_data.name, order_date.date_d, order_date.names,"
    " order_date.milk_area, order_date.not_bottle, order_date.loss_duty"
    " from customer_data, order_date"
    " where customer_data.c_code = order_date.c_code and order_date.not_bottle <> 0"
    " and order_date.date_d >= ? and order_date.date_d <= ?"_s;
const QString reportGrouping =
    u" group by customer_data.c_code, order_date.date_d, customer_data.name, order_date.names,"
    " order_date.milk_area, order_date.not_bottle, order_date.loss_duty"
    " order by order_date.loss_duty is not null, order_date.loss_duty, customer_data.c_code, order_date.date_d"_s;

} // namespace

LostBottleReportDialog::LostBottleReportDialog(AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_areas(app.db, this),
      m_employees(app.db, this),
      m_boxes(this, 1573),
      m_oneArea(named(new QRadioButton(u"milk area"_s, this), u"Option1"_s)),
      m_everyArea(named(new QRadioButton(u"not duty area"_s, this), u"Option2"_s)),
      m_oneEmployee(named(new QRadioButton(u"employees code"_s, this), u"Option3"_s)),
      m_areaCombo(named(new DataCombo(this), u"DataCombo1"_s)),
      m_employeeCombo(named(new DataCombo(this), u"DataCombo2"_s))
{
    groupOptions({m_oneArea, m_everyArea, m_oneEmployee});
    setWindowTitle(u"promise detailed"_s);
    WorkDateAtLoad(app);
    m_boxes.showMonth(app.values.work_date);
    m_oneArea->setChecked(true);
    m_areaCombo->setMinimumContentsLength(8);
    m_employeeCombo->setMinimumContentsLength(8);

    auto* ok = named(new QPushButton(u"ok"_s, this), u"OKButton"_s);
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(u"cancel"_s, this), u"CancelButton"_s);

    auto* year = new QHBoxLayout;
    year->setSpacing(0);
    year->addWidget(m_boxes.year);
    year->addWidget(m_boxes.yearSpinner);
    auto* month = new QHBoxLayout;
    month->setSpacing(0);
    month->addWidget(m_boxes.month);
    month->addWidget(m_boxes.monthSpinner);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(u"year"_s, this), 0, 0);
    layout->addLayout(year, 0, 1, Qt::AlignLeft);
    layout->addWidget(new QLabel(u"monthly"_s, this), 1, 0);
    layout->addLayout(month, 1, 1, Qt::AlignLeft);
    layout->addWidget(m_oneArea, 2, 0);
    layout->addWidget(m_areaCombo, 2, 1);
    layout->addWidget(m_everyArea, 3, 0);
    layout->addWidget(m_oneEmployee, 4, 0);
    layout->addWidget(m_employeeCombo, 4, 1);
    layout->addWidget(ok, 0, 2);
    layout->addWidget(cancel, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(ok, &QPushButton::clicked, this, &LostBottleReportDialog::print);
    connect(cancel, &QPushButton::clicked, this, [this] { closeForm(this); });

    runGuarded(app.messages, [this] {
        m_areas.setQuery(u"select * from milk_area order by milk_area"_s);
        m_areas.refresh();
        m_areaCombo->setRowSource(&m_areas, u"milk_area"_s);
        // The codes that loss_duty holds.
        m_employees.setQuery(u"select e_code as 員工代號 from employees_data order by e_code"_s);
        m_employees.refresh();
        m_employeeCombo->setRowSource(&m_employees, u"員工代號"_s);
    });
}

std::optional<LostBottleReportDialog::Scope> LostBottleReportDialog::scope() const
{
    if (m_everyArea->isChecked())
        return Scope{};
    const bool byArea = m_oneArea->isChecked();
    const QString text = (byArea ? m_areaCombo : m_employeeCombo)->text();
    const std::optional<int> key = byArea && text.trimmed().isEmpty() ? 0 : TextRules::wholeNumberIn(text);
    if (!key)
        return std::nullopt;
    return Scope{byArea ? u" and order_date.milk_area = ?"_s : u" and order_date.loss_duty = ?"_s, {*key}};
}

void LostBottleReportDialog::print()
{
    const auto& inputError = ErrorMessageBoxes::LostBottleReport::inputError;
    const std::optional<Scope> chosen = scope();
    if (!chosen) {
        const QString what = m_oneArea->isChecked() ? u"The milk area"_s : u"The employee code"_s;
        showMessage(m_app.messages, inputError, TextRules::NumberRule::wholeNumber().refusal(what));
        return;
    }
    // A year and month that name no month have no rows.
    const std::optional<QDate> firstDay = m_boxes.firstDay();
    Recordset rows(m_app.db);
    if (firstDay) {
        try {
            // The last day rather than the next month's first: 9999/12 has no next month.
            rows.load(reportSelect + chosen->condition + reportGrouping,
                      QVariantList{*firstDay, firstDay->addDays(firstDay->daysInMonth() - 1)} + chosen->values);
        } catch (const std::exception& error) {
            showMessage(m_app.messages, inputError, refusalDetail(error));
            return;
        }
    }
    if (rows.recordCount() == 0) {
        closeForm(this);
        return;
    }

    SpreadsheetWriter sheet(m_app, windowTitle(), this);
    if (sheet.run([&] {
            sheet.copyRecords(rows, 4);
            sheet.fitColumns();
        }))
        closeForm(this);
    else
        showMessage(m_app.messages, inputError, sheet.failure());
}
