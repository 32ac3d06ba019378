#include "orders/DeliveryDaysForm.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "data/TextRules.h"
#include "core/AppContext.h"
#include "widgets/FetchingGrid.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "records/RunGuarded.h"
#include "orders/OrdersMessages.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>

using namespace Qt::StringLiterals;

DeliveryDaysForm::DeliveryDaysForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app)
{
    setWindowTitle(u"France view"_s);
    WorkDateAtLoad(m_app);

    m_title = named(new QLabel(u"France view"_s, this), u"Label1"_s);
    QFont titleFont = m_title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_allRows = named(new QRadioButton(u"all view"_s, this), u"Option1"_s);
    m_month = named(new QRadioButton(u"month view"_s, this), u"Option2"_s);
    groupOptions({m_allRows, m_month});
    m_day = named(new QDateEdit(m_app.values.work_date, this), u"DTPicker1"_s);
    m_day->setDisplayFormat(u"yyyy/M/d"_s);
    m_day->setCalendarPopup(true);
    auto* suspend = named(new QPushButton(u"all customer suspend"_s, this), u"所有客戶暫停"_s);
    auto* resume = named(new QPushButton(u"all customercancel"_s, this), u"所有客戶取消暫停"_s);
    m_grid = named(new FetchingGrid(m_app.db, u"order_date"_s, this), u"DataGrid1"_s);
    m_dayShown = named(new QLineEdit(this), u"Text2"_s);
    m_suspendShown = named(new QLineEdit(this), u"Text1"_s);
    for (QLineEdit* box : {m_dayShown, m_suspendShown})
        box->setReadOnly(true);

    auto* controls = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_allRows, m_month, named(new QLabel(u"date"_s, this), u"Label2"_s),
                                                          m_day, suspend, resume})
        controls->addWidget(widget);
    controls->addStretch();
    auto* current = new QHBoxLayout;
    current->addWidget(m_dayShown);
    current->addWidget(m_suspendShown);
    current->addStretch();
    current->addWidget(makeExitButton(this));
    auto* page = new QVBoxLayout(this);
    page->addWidget(m_title);
    page->addLayout(controls);
    page->addWidget(m_grid, 1);
    page->addLayout(current);

    for (QRadioButton* option : {m_allRows, m_month})
        connect(option, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                showRows();
        });
    connect(m_grid, &FetchingGrid::currentRowChanged, this, &DeliveryDaysForm::showCurrentRow);
    connect(m_grid, &FetchingGrid::pageRefused, this,
            [this](const QString& message, const QString& detail) { m_app.messages.reportFailure(message, detail); });
    connect(suspend, &QPushButton::clicked, this,
            [this] { setDaySuspended(true, ErrorMessageBoxes::DeliveryDays::suspendTitle); });
    connect(resume, &QPushButton::clicked, this,
            [this] { setDaySuspended(false, ErrorMessageBoxes::DeliveryDays::resumeTitle); });

    m_month->setChecked(true);
}

// Rows in the order of customer and day; rows that tie stay in the order they were written. Every page
// reads along the index of that order, the month's too: SQLite's planner, which knows nothing of how many
// rows a month holds, would take the date index and sort the month for every page, so there a unary
// plus keeps the month's bounds off it. PostgreSQL weighs the month by its statistics.
void DeliveryDaysForm::showRows()
{
    FetchingGrid::Query query;
    query.select = u"select * from order_date"_s;
    query.order = {u"c_code"_s, u"date_d"_s, u"id"_s};
    if (m_month->isChecked()) {
        const QDate& workDate = m_app.values.work_date;
        const QDate firstDay(workDate.year(), workDate.month(), 1);
        query.filter = m_app.db.kind() == Database::Kind::SQLite ? u"+date_d >= ? and +date_d < ?"_s
                                                                 : u"date_d >= ? and date_d < ?"_s;
        query.values = {firstDay, firstDay.addMonths(1)};
    }
    runGuarded(m_app.messages, [&] { m_grid->setQuery(query); });
    m_title->setText(u"order_view"_s);
}

void DeliveryDaysForm::showCurrentRow()
{
    const QVariant day = m_grid->currentValue(u"date_d"_s);
    const QVariant suspended = m_grid->currentValue(u"suspend"_s);
    m_dayShown->setText(day.isNull() ? QString() : TextRules::dateText(day.toDate()));
    m_suspendShown->setText(suspended.isNull() ? QString() : suspended.toInt() != 0 ? u"True"_s : u"False"_s);
}

// Every row of the picked day, whichever rows the grid shows: all of them or none. The day-row writer
// suspends the day for rows written onto it later too, until it is resumed; so a day from today on
// without rows yet is suspended all the same, and only a day that no row will ever reach says so.
void DeliveryDaysForm::setDaySuspended(bool suspended, const QString& title)
{
    using namespace ErrorMessageBoxes;
    const QDate day = m_day->date();
    if (showMessage(m_app.messages, DeliveryDays::question(TextRules::dateText(day), title)) != MessageService::Yes)
        return;
    const QDate today = m_app.clock.today();
    qint64 written = 0;
    try {
        written = suspended ? DayRows::suspendDay(m_app.db, day) : DayRows::resumeDay(m_app.db, day, today);
    } catch (const std::exception& error) {
        showMessage(m_app.messages, DeliveryDays::writeRefused, refusalDetail(error));
        return;
    }
    if (written == 0 && !(suspended && day >= today)) {
        showMessage(m_app.messages, DeliveryDays::noRows(title), u"No delivery row falls on %1."_s.arg(TextRules::dateText(day)));
        return;
    }
    runGuarded(m_app.messages, [this] { m_grid->refresh(); });
}
