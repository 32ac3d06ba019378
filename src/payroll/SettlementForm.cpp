#include "payroll/SettlementForm.h"

#include "core/AppContext.h"
#include "data/DataError.h"
#include "data/DataSource.h"
#include "data/TextRules.h"
#include "payroll/Commission.h"
#include "payroll/MonthEndRun.h"
#include "payroll/PayFigures.h"
#include "payroll/PayRowItems.h"
#include "payroll/PayrollMessages.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RunGuarded.h"
#include "widgets/Binder.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "widgets/TabOrder.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
namespace Messages = ErrorMessageBoxes::Settlement;

namespace {

enum Header { Code, Name, Year, Month, NetPay, Salary };
const char* const HeaderLabels[] = {"employees code", "name", "year", "month", "reality collar", "salary"};
const char* const LeaveKinds[] = {"reasons", "sick", "public假", "funeral假", "maternity", "accompany"};

const QString OpenRows = u"SELECT * FROM salary_detailed WHERE balance = 0 ORDER BY e_code, id"_s;
const QString AllRows = u"SELECT * FROM salary_detailed ORDER BY e_code, id"_s;

// The whole number a box holds; 0, which names no employee, year or month, where it holds none.
qint32 wholeNumberOf(const QString& text)
{
    return TextRules::wholeNumberIn(text).value_or(0);
}

QLineEdit* lockedBox(QLineEdit* box)
{
    box->setReadOnly(true);
    return box;
}

QDateEdit* datePicker(const QString& name, QDate date, QWidget* parent)
{
    auto* picker = named(new QDateEdit(date, parent), name);
    picker->setDisplayFormat(u"yyyy/M/d"_s);
    picker->setCalendarPopup(true);
    return picker;
}

} // namespace

SettlementForm::SettlementForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_payRows(new DataSource(app.db, this)), m_fixedItems(new DataSource(app.db, this)),
      m_employee(new DataSource(app.db, this)), m_lastSettlement(new DataSource(app.db, this)),
      m_yearMonth(this, 1479, u"text1(2)"_s, u"text1(3)"_s)
{
    setWindowTitle(u"salary balance"_s);
    WorkDateAtLoad(app);

    createControls();
    bindControls();
    createToolbar();
    createSearch();
    layOutControls();
    orderTabStops();

    runGuarded(m_app.messages, [this] {
        m_lastSettlement->setTable(u"salary_sum_date"_s);
        m_lastSettlement->refresh();
    });
    m_openRows->setChecked(true); // reads the open rows
    showCommission();
}

void SettlementForm::createControls()
{
    const QDate workDate = m_app.values.work_date;
    for (int index = Code; index <= Salary; ++index) {
        QLineEdit* box = index == Year ? m_yearMonth.year
                       : index == Month ? m_yearMonth.month
                                        : named(new QLineEdit(this), u"text1(%1)"_s.arg(index));
        m_text1 << lockedBox(box);
    }
    // The year and the month to settle are set by their spinners, or Up and Down in their locked boxes.
    m_yearMonth.showMonth(workDate);
    m_text1[NetPay]->setText(u"0"_s);
    connect(m_text1[Code], &QLineEdit::textChanged, this, &SettlementForm::followEmployee);

    auto* navigation = new FieldKeyNavigation(this);
    auto itemBoxes = [&](const QString& array, int count, QList<QLineEdit*>& boxes) {
        for (int index = 0; index < count; ++index) {
            auto* box = named(new QLineEdit(this), u"%1(%2)"_s.arg(array).arg(index));
            navigation->add(box);
            boxes << box;
        }
    };
    itemBoxes(u"Text2"_s, int(PayRowItems::Additions.size()), m_additions);
    itemBoxes(u"Text3"_s, int(PayRowItems::Deductions.size()), m_deductions);
    itemBoxes(u"Text4"_s, int(std::size(LeaveKinds)), m_leaveHours);
    // In the year and the month Up and Down step the spinner instead.
    for (QLineEdit* box : m_text1)
        if (box != m_yearMonth.year && box != m_yearMonth.month)
            navigation->add(box);
    for (const QList<QLineEdit*>* boxes : {&m_additions, &m_deductions}) {
        for (QLineEdit* box : *boxes) {
            connect(box, &QLineEdit::textChanged, this, [this] { updateNetPay(NetPayCause::Shown); });
            connect(box, &QLineEdit::textEdited, this, [this] { updateNetPay(NetPayCause::Typed); });
        }
    }
    // The salary comes with the employee's fixed items, after the pay row: it counts in the net pay too.
    connect(m_text1[Salary], &QLineEdit::textChanged, this, [this] { updateNetPay(NetPayCause::Shown); });
    for (int index = 0; index < m_leaveHours.size(); ++index) {
        if (LeaveDeduction::isPriced(index))
            connect(m_leaveHours[index], &QLineEdit::textChanged, this, [this, index] { priceLeave(index); });
    }

    m_searchBox = named(new QLineEdit(this), u"Text5"_s);
    m_jobTitle = lockedBox(named(new QLineEdit(u"職別"_s, this), u"Text6"_s));
    m_oldBottles = named(new QLineEdit(this), u"Text7"_s);
    m_newBottles = named(new QLineEdit(this), u"Text8"_s);
    m_lastSettled = lockedBox(named(new QLineEdit(this), u"Text9"_s));
    m_balanceDate = lockedBox(named(new QLineEdit(u"結算日期"_s, this), u"Text12"_s));
    m_promise = lockedBox(named(new QLineEdit(u"應領"_s, this), u"Text13"_s));

    // It shows whether the row is settled; only the run settles one, so a click puts it back.
    m_settled = named(new QCheckBox(u"yes or no"_s, this), u"Check1"_s);
    m_settled->setFocusPolicy(Qt::NoFocus);
    connect(m_settled, &QCheckBox::clicked, m_settled, [this](bool checked) { m_settled->setChecked(!checked); });

    m_referenceDate = datePicker(u"DTPicker1"_s, workDate, this);
    m_settlementDate = datePicker(u"DTPicker2"_s, workDate, this);
    m_allRows = named(new QRadioButton(u"show"_s, this), u"Option1"_s);
    m_openRows = named(new QRadioButton(u"only show not"_s, this), u"Option2"_s);
    groupOptions({m_allRows, m_openRows});
    for (QRadioButton* option : {m_allRows, m_openRows}) {
        connect(option, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen)
                applyFilter();
        });
    }

    m_progress = named(new QProgressBar(this), u"ProgressBar1"_s);
    m_progress->hide();
    m_searchButton = named(new QPushButton(u" employees scratch"_s, this), u"搜尋"_s);
    m_nextButton = named(new QPushButton(u"scratch2"_s, this), u"再搜尋"_s);
    m_exitButton = makeExitButton(this);
}

void SettlementForm::bindControls()
{
    auto* payRow = new Binder(m_payRows->recordset(), this);
    m_fixedItemsBinder = new Binder(m_fixedItems->recordset(), this);
    auto* employee = new Binder(m_employee->recordset(), this);
    payRow->bind(m_text1[Code], u"e_code"_s);
    employee->bind(m_text1[Name], u"name"_s);
    employee->bind(m_jobTitle, u"job_leave"_s);
    m_fixedItemsBinder->bind(m_text1[Salary], u"salary"_s);
    auto bindItems = [&](const auto& items, const QList<QLineEdit*>& boxes) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            Binder* binder = items[i].source == PayRowItems::Source::PayRow ? payRow : m_fixedItemsBinder;
            binder->bind(boxes[int(i)], QString::fromLatin1(items[i].column), PayFigures::rule());
        }
    };
    bindItems(PayRowItems::Additions, m_additions);
    bindItems(PayRowItems::Deductions, m_deductions);
    payRow->bind(m_balanceDate, u"balance_date"_s);
    payRow->bind(m_promise, u"promise"_s);
    payRow->bind(m_settled, u"balance"_s);
    (new Binder(m_lastSettlement->recordset(), this))->bind(m_lastSettled, u"salary_sum_date"_s);
    connect(&m_payRows->recordset(), &Recordset::currentChanged, this, &SettlementForm::onPayRowShown);
}

void SettlementForm::createToolbar()
{
    using Role = RecordToolbar::Role;
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons(u"first     "_s);
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Modify, u"modify"_s, u"修改薪資資料"_s},
        {Role::Cancel, u"cancel"_s, u"取消"_s},
        {Role::Update, u"update"_s, u"更新資料庫"_s},
        {Role::Other, u"balance"_s, u"薪資結算"_s, [this] { settleMonth(); }},
        {Role::ListView, u"overview"_s, u"全灠薪資資料"_s},
    };
    config.main = m_payRows;
    config.entryBoxes = m_additions + m_deductions + m_leaveHours;
    config.keyBoxes = m_text1 + QList<QLineEdit*>{m_jobTitle, m_lastSettled, m_balanceDate, m_promise};
    config.recordMovers = {m_searchButton, m_nextButton, m_allRows, m_openRows};
    // The pay row is written first, then the employee's fixed items, in one transaction; a figure
    // beyond the range of pay is refused before anything is sent.
    config.modifySaveSteps = [this] { m_fixedItems->recordset().update(); };
    config.afterClick = [this](Role role) { afterToolbarClick(role); };
    config.messages = Messages::toolbar;
    config.listForm = u"薪資明細表單"_s;
    config.cancelDisabledAfterSave = true;
    m_toolbar = new RecordToolbar(m_app, std::move(config), this);
}

void SettlementForm::createSearch()
{
    auto* search = new RecordSearch(m_app.messages, m_payRows->recordset(), m_toolbar->rememberedPosition(),
                                    m_searchBox, m_searchButton, m_nextButton, this);
    search->addOption({.button = nullptr,
                       .field = u"e_code"_s,
                       .match = RecordSearch::Match::Number,
                       .missStyle = SearchMissStyle::Spaced,
                       .findsNext = true,
                       .emptyBoxIsZero = true});
    search->setFirstMissLeavesNext(true);
}

void SettlementForm::layOutControls()
{
    // Each box is named by the label before it, which is also the name a screen reader gives it.
    auto labelFor = [](QWidget* box, const QString& caption, QWidget* parent) {
        auto* label = new QLabel(caption, parent);
        label->setBuddy(box);
        return label;
    };
    auto* header = new QGridLayout;
    for (int index = Code; index <= Salary; ++index) {
        header->addWidget(labelFor(m_text1[index], QString::fromLatin1(HeaderLabels[index]), this), index / 2,
                          (index % 2) * 2);
        auto* field = new QHBoxLayout;
        field->addWidget(m_text1[index]);
        if (index == Year || index == Month)
            field->addWidget(index == Year ? m_yearMonth.yearSpinner : m_yearMonth.monthSpinner);
        header->addLayout(field, index / 2, (index % 2) * 2 + 1);
    }
    m_jobTitle->setAccessibleName(u"職別"_s);
    header->addWidget(m_jobTitle, 0, 4);

    auto itemGroup = [this, labelFor](const auto& items, const QList<QLineEdit*>& boxes, int perColumn) {
        auto* group = new QGroupBox(this);
        auto* grid = new QGridLayout(group);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int row = int(i) % perColumn, column = int(i) / perColumn * 2;
            grid->addWidget(labelFor(boxes[int(i)], QString::fromUtf8(items[i].label), group), row, column);
            grid->addWidget(boxes[int(i)], row, column + 1);
        }
        return group;
    };
    auto* leave = named(new QGroupBox(u"leave"_s, this), u"Frame1"_s);
    auto* leaveGrid = new QGridLayout(leave);
    for (int index = 0; index < m_leaveHours.size(); ++index) {
        leaveGrid->addWidget(labelFor(m_leaveHours[index], QString::fromUtf8(LeaveKinds[index]), leave), index, 0);
        leaveGrid->addWidget(m_leaveHours[index], index, 1);
        leaveGrid->addWidget(new QLabel(u"hour"_s, leave), index, 2);
    }
    auto* items = new QHBoxLayout;
    items->addWidget(itemGroup(PayRowItems::Additions, m_additions, 7), 2);
    items->addWidget(itemGroup(PayRowItems::Deductions, m_deductions, 6), 1);
    items->addWidget(leave, 1);

    auto* commission = new QFormLayout;
    commission->addRow(u"old bottle"_s, m_oldBottles);
    commission->addRow(u"new bottle bonus"_s, m_newBottles);
    auto* dates = new QFormLayout;
    auto* pickers = new QHBoxLayout;
    pickers->addWidget(m_referenceDate);
    pickers->addWidget(m_settlementDate);
    dates->addRow(u"balance date"_s, pickers);
    m_referenceDate->setAccessibleName(u"balance date"_s);
    m_settlementDate->setAccessibleName(u"settlement date"_s);
    dates->addRow(u"already balance date"_s, m_lastSettled);
    auto* settledRow = new QFormLayout;
    settledRow->addRow(u"結算日期"_s, m_balanceDate);
    settledRow->addRow(u"應領"_s, m_promise);
    settledRow->addRow(m_settled);
    auto* figures = new QHBoxLayout;
    figures->addLayout(commission);
    figures->addSpacing(16);
    figures->addLayout(dates);
    figures->addSpacing(16);
    figures->addLayout(settledRow);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_allRows);
    bottom->addWidget(m_openRows);
    bottom->addSpacing(16);
    m_searchBox->setAccessibleName(m_searchButton->text().trimmed());
    bottom->addWidget(m_searchBox);
    bottom->addWidget(m_searchButton);
    bottom->addWidget(m_nextButton);
    bottom->addStretch();
    bottom->addWidget(m_exitButton);

    auto* page = new QVBoxLayout(this);
    page->addWidget(m_toolbar);
    page->addLayout(header);
    page->addLayout(items);
    page->addLayout(figures);
    page->addWidget(m_progress);
    page->addStretch();
    page->addLayout(bottom);
}

// Tab goes as the form reads: the header row by row, the items, the figures, the filter and the search,
// Exit, and round to the toolbar at the top.
void SettlementForm::orderTabStops()
{
    QList<QWidget*> order{m_text1[Code], m_text1[Name], m_jobTitle,     m_text1[Year],
                          m_text1[Month], m_text1[NetPay], m_text1[Salary]};
    for (const QList<QLineEdit*>* boxes : {&m_additions, &m_deductions, &m_leaveHours})
        for (QLineEdit* box : *boxes)
            order << box;
    order << m_oldBottles << m_newBottles << m_referenceDate << m_settlementDate << m_lastSettled << m_balanceDate
          << m_promise << m_allRows << m_openRows << m_searchBox << m_searchButton << m_nextButton << m_exitButton
          << m_toolbar->tabStops();
    chainTabOrder(order);
}

QString SettlementForm::filterQuery() const
{
    return m_allRows->isChecked() ? AllRows : OpenRows;
}

void SettlementForm::applyFilter()
{
    runGuarded(m_app.messages, [this] { AdodcQuery(*m_payRows, filterQuery()); });
}

// The employee's fixed items, name and title follow the code of the pay row shown.
void SettlementForm::followEmployee()
{
    const qint32 code = wholeNumberOf(m_text1[Code]->text());
    runGuarded(m_app.messages, [&] {
        AdodcQuery(*m_fixedItems, u"SELECT * FROM salary_data WHERE e_code = ?"_s, {code});
        AdodcQuery(*m_employee, u"SELECT name, job_leave FROM employees_data WHERE e_code = ?"_s, {code});
    });
}

// A row shown: its net pay, worked out from all its boxes at once. Another row: the hours of the
// leave boxes were the last row's.
void SettlementForm::onPayRowShown()
{
    updateNetPay(NetPayCause::Shown);
    const Recordset::Bookmark shown = m_payRows->recordset().bookmark();
    if (shown == m_shownRow)
        return;
    m_shownRow = shown;
    resetLeave();
}

void SettlementForm::resetLeave()
{
    for (QLineEdit* box : std::as_const(m_leaveHours)) {
        const QSignalBlocker quiet(box);
        box->clear();
    }
    m_leave.reset();
}

CommissionInputs SettlementForm::commissionInputs() const
{
    return {.name = m_text1[Name]->text(),
            .employeeCode = wholeNumberOf(m_text1[Code]->text()),
            .year = wholeNumberOf(m_text1[Year]->text()),
            .month = wholeNumberOf(m_text1[Month]->text()),
            .referenceDate = m_referenceDate->date(),
            .jobTitle = m_jobTitle->text(),
            .settled = m_settled->isChecked()};
}

void SettlementForm::showCommission()
{
    CommissionFigures figures;
    runGuarded(m_app.messages, [&] { figures = CommissionCalculator(m_app.db).compute(commissionInputs()); });
    m_oldBottles->setText(figures.oldBottles.toString());
    m_newBottles->setText(figures.newBottles.toString());
}

// Salary + additions - deductions; throws DataError, naming the figure and the range, where a box
// holds a figure beyond the range of pay.
Decimal SettlementForm::netPayOfBoxes() const
{
    QStringList additions, deductions;
    for (const QLineEdit* box : m_additions)
        additions << box->text();
    for (const QLineEdit* box : m_deductions)
        deductions << box->text();
    return PayFigures::netPay(m_text1[Salary]->text(), additions, deductions);
}

// A net pay that cannot be worked out shows empty, never an earlier figure; a figure the clerk types
// beyond range is reported too.
void SettlementForm::updateNetPay(NetPayCause cause)
{
    try {
        m_text1[NetPay]->setText(netPayOfBoxes().toString());
    } catch (const DataError& error) {
        m_text1[NetPay]->clear();
        if (cause == NetPayCause::Typed)
            showMessage(m_app.messages, Messages::inputError, error.detail());
    }
}

void SettlementForm::priceLeave(int box)
{
    try {
        const qint64 total = m_leave.price(box, m_leaveHours[box]->text(), m_text1[Salary]->text());
        m_deductions[PayRowItems::LeaveDeduction]->setText(QString::number(total));
    } catch (const DataError& error) {
        const QString item = u"%1 leave"_s.arg(QString::fromUtf8(LeaveKinds[box]));
        showMessage(m_app.messages, Messages::inputError,
                    PayFigures::namingEmployee(error, wholeNumberOf(m_text1[Code]->text()), item).detail());
    }
}

void SettlementForm::afterToolbarClick(RecordToolbar::Role role)
{
    using Role = RecordToolbar::Role;
    switch (role) {
    case Role::First:
    case Role::Previous:
    case Role::Next:
    case Role::Last:
        showCommission();
        break;
    case Role::Modify:
        if (m_toolbar->state() == RecordToolbar::State::Modifying)
            m_toolbar->button(5)->setText(u"sure mod"_s);
        break;
    case Role::Cancel:
        if (m_toolbar->state() == RecordToolbar::State::Idle) {
            m_fixedItems->recordset().cancelUpdate();
            m_fixedItemsBinder->show();
            resetLeave();
        }
        break;
    case Role::Update:
        followEmployee();
        break;
    default:
        break;
    }
}

void SettlementForm::settleMonth()
{
    const QString year = m_text1[Year]->text();
    const QString month = m_text1[Month]->text();
    if (showMessage(m_app.messages, Messages::monthEndQuestion(year, month)) != MessageService::Yes)
        return;
    const MonthEndRun::Request request{wholeNumberOf(year), wholeNumberOf(month), m_referenceDate->date(),
                                       m_settlementDate->date()};
    MonthEndRun::Result result;
    m_progress->setValue(0);
    m_progress->show();
    try {
        result = MonthEndRun(m_app.db).run(request, [this](int done, int total) {
            m_progress->setMaximum(qMax(total, 1));
            m_progress->setValue(done);
        });
    } catch (const std::exception& error) {
        m_progress->hide();
        showMessage(m_app.messages, Messages::inputError, refusalDetail(error));
        return;
    }
    m_progress->hide();
    if (result.outcome == MonthEndRun::Outcome::AlreadySettled) {
        showMessage(m_app.messages, Messages::monthAlreadySettled(year, month));
        return;
    }
    if (result.outcome == MonthEndRun::Outcome::BeingSettled) {
        const QString settlingYear = QString::number(result.settlingMonth.year());
        const QString settlingMonth = QString::number(result.settlingMonth.month());
        showMessage(m_app.messages, Messages::monthBeingSettled(settlingYear, settlingMonth),
                    Messages::monthBeingSettledDetail(settlingYear, settlingMonth));
        return;
    }
    runGuarded(m_app.messages, [this] { m_lastSettlement->refresh(); });
    showSettledRows(result.settledRows);
    showMessage(m_app.messages, Messages::monthSettled);
}

// The list keeps the rows just settled, as they now stand, until a filter or "update" reads it again.
void SettlementForm::showSettledRows(const QList<qint64>& ids)
{
    QStringList marks;
    QVariantList values;
    for (qint64 id : ids) {
        marks << u"?"_s;
        values << id;
    }
    const QString settled = ids.isEmpty()
        ? u"SELECT * FROM salary_detailed WHERE 1 = 0"_s
        : u"SELECT * FROM salary_detailed WHERE id IN (%1) ORDER BY e_code, id"_s.arg(marks.join(u", "_s));
    runGuarded(m_app.messages, [&] { AdodcQuery(*m_payRows, settled, values); });
    m_payRows->setQuery(filterQuery());
}
