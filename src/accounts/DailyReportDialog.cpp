#include "accounts/DailyReportDialog.h"

#include "accounts/AccountsMessages.h"
#include "accounts/DailyReport.h"
#include "widgets/DatePicker.h"
#include "data/TextRules.h"
#include "core/AppContext.h"
#include "records/RunGuarded.h"
#include "sheets/SpreadsheetWriter.h"
#include "widgets/DataCombo.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <climits>

using namespace Qt::StringLiterals;

DailyReportDialog::DailyReportDialog(AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_areas(app.db, this),
      m_oneArea(named(new QRadioButton(u"milk area"_s, this), u"Option1"_s)),
      m_allAreas(named(new QRadioButton(u"total milk area print"_s, this), u"Option2"_s)),
      m_areaCombo(named(new DataCombo(this), u"DataCombo1"_s))
{
    groupOptions({m_oneArea, m_allAreas});
    setWindowTitle(u"daily count form"_s);
    WorkDateAtLoad(app);
    m_day = makeDatePicker(this, u"DTPicker1"_s, app.values.work_date);
    m_oneArea->setChecked(true);
    m_areaCombo->setMinimumContentsLength(8);

    auto* ok = named(new QPushButton(u"ok"_s, this), u"OKButton"_s);
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(u"cancel"_s, this), u"CancelButton"_s);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(u"date"_s, this), 0, 0);
    layout->addWidget(m_day, 0, 1);
    layout->addWidget(m_oneArea, 1, 0);
    layout->addWidget(m_areaCombo, 1, 1);
    layout->addWidget(m_allAreas, 2, 0, 1, 2);
    layout->addWidget(ok, 0, 2);
    layout->addWidget(cancel, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(ok, &QPushButton::clicked, this, &DailyReportDialog::print);
    connect(cancel, &QPushButton::clicked, this, [this] { closeForm(this); });

    runGuarded(app.messages, [this] {
        m_areas.setQuery(u"select * from milk_area order by milk_area"_s);
        m_areas.refresh();
        m_areaCombo->setRowSource(&m_areas, u"milk_area"_s);
    });
}

void DailyReportDialog::print()
{
    const auto& inputError = ErrorMessageBoxes::Reports::inputError;
    std::optional<int> area;
    if (m_oneArea->isChecked()) {
        area = TextRules::wholeNumberIn(m_areaCombo->text(), INT_MIN, INT_MAX);
        if (!area) {
            showMessage(m_app.messages, inputError);
            return;
        }
    }
    std::optional<DailyReport> report;
    runGuarded(m_app.messages, [&] { report.emplace(m_app.db, m_day->date(), area); });
    if (!report)
        return;
    if (report->isEmpty()) {
        showMessage(m_app.messages, inputError);
        return;
    }
    SpreadsheetWriter sheet(m_app, windowTitle(), this);
    const bool printed = sheet.run([&] {
        report->write(sheet);
        sheet.fitColumns();
    });
    if (printed)
        closeForm(this);
    else
        showMessage(m_app.messages, inputError);
}
