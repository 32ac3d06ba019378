#include "people/EmployeeForm.h"

#include "widgets/Binder.h"
#include "widgets/DataCombo.h"
#include "data/DataSource.h"
#include "data/TextRules.h"
#include "records/ErrorMessageBoxes.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RecordToolbar.h"
#include "core/AppContext.h"
#include "widgets/NamedControls.h"
#include "widgets/EntryLimit.h"
#include "widgets/ExitButton.h"
#include "widgets/OptionGroup.h"
#include "widgets/TabOrder.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

const QString FormName = u"員工基本資料表"_s;
const QString ActiveEmployees = u"SELECT * FROM employees_data WHERE cancel = 0 ORDER BY e_code"_s;
const QString AllEmployees = u"SELECT * FROM employees_data ORDER BY e_code"_s;

// The entry boxes of text1, in tab order, which is also the order Enter and the arrows move in:
// the index of the box, the column it shows, its caption and its entry limit.
struct EntryBox {
    int index;
    const char* column;
    const char* caption;
    int maxLength; // 0: none
};
constexpr std::array<EntryBox, 17> EntryBoxes{{
    {0, "e_code", "employees code", 0},
    {1, "name", "employees", 5},
    {3, "tel", "telephone", 15},
    {2, "id", "id", 15},
    {4, "cell_phone", "m_ call", 15},
    {5, "birthday", "birthday", 0},
    {6, "record", "educational", 20},
    {7, "addr", "addr.", 20},
    {8, "skill", "specialty", 50},
    {9, "input_date", "date", 0},
    {11, "reach_date", "reach date", 0},
    {10, "dep_code", "department code", 0},
    {12, "leave_date", "leave date", 0},
    {15, "contact", "urgent human", 5},
    {16, "contact_tel", "telephone", 15},
    {17, "account", "suffix", 0},
    {18, "mark", "remarks", 0},
}};
enum Entry { Code = 0, InputDate = 9, ReachDate = 11 };

const EntryBox& entryBox(int index)
{
    return *std::find_if(EntryBoxes.begin(), EntryBoxes.end(), [index](const EntryBox& box) { return box.index == index; });
}

const QStringList JobTitles = {u"送奶員"_s, u"業務"_s, u"內勤"_s, u"主任"_s, u"經理"_s, u"電訪員"_s, u"展示員"_s, u"其它"_s};

QStringList ranks()
{
    QStringList list;
    for (int rank = 1; rank <= 12; ++rank)
        list << QString::number(rank);
    return list;
}

// A list or a companion source that cannot be read stays empty: the form opens all the same, and
// the add save reports what cannot be written.
void refreshIfPossible(DataSource& source)
{
    try {
        source.refresh();
    } catch (const std::exception&) {
    }
}

} // namespace

EmployeeForm::EmployeeForm(AppContext& app, std::shared_ptr<int> counter, QWidget* parent)
    : QWidget(parent), m_app(app), m_counterStore(std::move(counter)), m_employees(new DataSource(app.db, this)),
      m_salary(new DataSource(app.db, this)), m_salaryDetail(new DataSource(app.db, this)),
      m_expenseAreas(new DataSource(app.db, this)), m_milkAreas(new DataSource(app.db, this))
{
    setWindowTitle(u" 員工基本資料"_s);
    WorkDateAtLoad(app);

    // The companion sources only add rows: they read none.
    m_salary->setQuery(u"SELECT e_code, name FROM salary_data WHERE 1 = 0"_s);
    m_salaryDetail->setQuery(u"SELECT e_code FROM salary_detailed WHERE 1 = 0"_s);
    m_expenseAreas->setQuery(u"SELECT expense_area FROM expense_area ORDER BY expense_area"_s);
    m_milkAreas->setQuery(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s);
    for (DataSource* source : {m_salary, m_salaryDetail, m_expenseAreas, m_milkAreas})
        refreshIfPossible(*source);

    createControls();
    bindControls();
    createToolbar();
    createSearch();
    layOutControls();
    arrangeTabOrder();

    m_hideCancelled->setChecked(true); // runs the filter: the form opens on the first active employee
}

EmployeeForm::~EmployeeForm()
{
    *m_counterStore = m_toolbar->counter();
}

void EmployeeForm::createControls()
{
    // Wide enough for a whole address of twenty Chinese characters.
    const int boxWidth = fontMetrics().horizontalAdvance(u"中"_s) * 20 + 12;
    auto* navigation = new FieldKeyNavigation(this);
    for (const EntryBox& entry : EntryBoxes) {
        auto* box = named(new QLineEdit(this), u"text1(%1)"_s.arg(entry.index));
        box->setMinimumWidth(boxWidth);
        if (entry.maxLength > 0)
            limitTyping(box, entry.maxLength);
        navigation->add(box);
        m_text1.insert(entry.index, box);
    }

    m_cancelled = named(new QCheckBox(u"cancel"_s, this), u"Check1"_s);
    m_hideCancelled = named(new QCheckBox(u"no show"_s, this), u"Check2"_s);
    connect(m_hideCancelled, &QCheckBox::toggled, this, &EmployeeForm::applyCancelledFilter);

    m_jobTitle = named(new DataCombo(this), u"Combo1"_s);
    m_jobTitle->addItems(JobTitles);
    m_rank = named(new DataCombo(this), u"Combo2"_s);
    m_rank->addItems(ranks());
    m_expenseArea = named(new DataCombo(this), u"DataCombo1"_s);
    m_expenseArea->setRowSource(m_expenseAreas, u"expense_area"_s);
    m_milkArea = named(new DataCombo(this), u"DataCombo2"_s);
    m_milkArea->setRowSource(m_milkAreas, u"milk_area"_s);
    m_milkArea->setMinimumWidth(m_milkArea->fontMetrics().horizontalAdvance(u"0000000000"_s) + 30);

    m_counter = named(new QLabel(this), u"計數"_s);
    m_counter->setMinimumWidth(40);
    m_counter->setAlignment(Qt::AlignCenter);
    m_byTel = named(new QRadioButton(u"tel"_s, this), u"Option1"_s);
    m_byName = named(new QRadioButton(u"name"_s, this), u"Option2"_s);
    groupOptions({m_byTel, m_byName});
    m_searchBox = named(new QLineEdit(this), u"Text2"_s);
    m_searchButton = named(new QPushButton(u"search"_s, this), u"搜尋"_s);
    m_salaryButton = named(new QPushButton(u"salary setting"_s, this), u"薪資設定"_s);
    // The salary items open on their own first row: nothing of this employee is handed over.
    connect(m_salaryButton, &QPushButton::clicked, this, [this] { OpenFormCommand{m_app}(u"薪資資料"_s); });
    m_exitButton = makeExitButton(this);
}

void EmployeeForm::layOutControls()
{
    auto* counterLine = new QHBoxLayout;
    counterLine->addWidget(new QLabel(u"total"_s, this));
    counterLine->addWidget(m_counter);
    counterLine->addWidget(new QLabel(u"pen data"_s, this));
    counterLine->addStretch();
    auto* status = new QVBoxLayout;
    status->addLayout(counterLine);
    status->addWidget(m_cancelled);

    auto* searchLine = new QHBoxLayout;
    searchLine->addWidget(m_byTel);
    searchLine->addWidget(m_byName);
    searchLine->addWidget(m_searchBox);
    searchLine->addWidget(m_searchButton);
    auto* salaryLine = new QHBoxLayout;
    salaryLine->addStretch();
    salaryLine->addWidget(m_salaryButton);
    auto* searchGroup = new QVBoxLayout;
    searchGroup->addLayout(searchLine);
    searchGroup->addLayout(salaryLine);

    auto* top = new QHBoxLayout;
    top->addLayout(status);
    top->addStretch();
    top->addLayout(searchGroup);

    auto entryRow = [this](QFormLayout* column, int index) {
        column->addRow(QString::fromLatin1(entryBox(index).caption), m_text1[index]);
    };
    auto* left = new QFormLayout;
    for (int index : {0, 1, 3, 2, 4, 5, 6, 7, 8})
        entryRow(left, index);
    left->addRow(u"expenses area"_s, m_expenseArea);
    auto* right = new QFormLayout;
    for (int index : {9, 11, 10, 12})
        entryRow(right, index);
    right->addRow(u"official rank"_s, m_jobTitle);
    right->addRow(u"rank"_s, m_rank);
    for (int index : {15, 16, 17, 18})
        entryRow(right, index);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(24);
    columns->addLayout(right, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(new QLabel(u"milk area"_s, this));
    bottom->addWidget(m_milkArea);
    bottom->addStretch();
    bottom->addWidget(m_hideCancelled);
    bottom->addSpacing(16);
    bottom->addWidget(m_exitButton);

    auto* page = new QVBoxLayout(this);
    page->addWidget(m_toolbar);
    page->addLayout(top);
    page->addLayout(columns);
    page->addStretch();
    page->addLayout(bottom);
}

void EmployeeForm::arrangeTabOrder()
{
    QList<QWidget*> order;
    for (const EntryBox& entry : EntryBoxes)
        order << m_text1[entry.index];
    order << m_searchBox << m_searchButton << m_exitButton << m_toolbar->tabStops() << m_byTel << m_byName
          << m_salaryButton << m_expenseArea << m_milkArea << m_jobTitle << m_rank << m_cancelled << m_hideCancelled;
    chainTabOrder(order);
}

void EmployeeForm::bindControls()
{
    Recordset& employee = m_employees->recordset();
    auto* binder = new Binder(employee, this);
    for (const EntryBox& entry : EntryBoxes)
        binder->bind(m_text1[entry.index], QString::fromLatin1(entry.column));
    binder->bind(m_cancelled, u"cancel"_s);
    m_jobTitle->setDataSource(&employee, u"job_leave"_s);
    m_rank->setDataSource(&employee, u"job_level"_s);
    m_expenseArea->setDataSource(&employee, u"expense_area"_s);
    m_milkArea->setDataSource(&employee, u"milk_area"_s);
}

void EmployeeForm::createToolbar()
{
    using Role = RecordToolbar::Role;
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons(u"first      "_s);
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Add, u"add"_s, u"新增員工基本資料"_s},
        {Role::Delete, u"del"_s, u"刪除員工基本資料"_s},
        {Role::Modify, u"modify"_s, u"修改員工基本資料"_s},
        {Role::Cancel, u"cancel"_s, u"取消"_s},
        {Role::Update, u"update"_s, u"更新資料庫"_s},
        {Role::ListView, u"view"_s, u"員工基本資料全灠"_s},
    };
    config.main = m_employees;
    // Saved in this order after the employee: the salary items, then the first pay row.
    config.companions = {m_salary, m_salaryDetail};
    config.keyBoxes = {m_text1[Code]};
    for (const EntryBox& entry : EntryBoxes)
        if (entry.index != Code)
            config.entryBoxes << m_text1[entry.index];
    config.combos = {m_expenseArea, m_milkArea, m_jobTitle, m_rank};
    config.checkBoxes = {m_cancelled};
    config.handOverButtons = {m_salaryButton};
    config.recordMovers = {m_searchBox, m_searchButton, m_hideCancelled};
    config.numbering = RecordToolbar::Numbering{MaxPlusOneNumbering(m_app.db, u"employees_data"_s, u"e_code"_s)
                                                    .alsoUsedIn({u"salary_data"_s, u"salary_detailed"_s}),
                                                [this](qint32 code) { assignNewCode(code); }};
    config.addDefaults = [this] {
        const QString workDate = TextRules::dateText(m_app.values.work_date);
        m_text1[InputDate]->setText(workDate);
        m_text1[ReachDate]->setText(workDate);
    };
    // The salary items carry the employee's name as it was saved.
    config.addSaveSteps = [this] {
        m_salary->recordset().setValue(u"name"_s, m_employees->recordset().value(u"name"_s));
    };
    config.modifySaveSteps = [this] { writeAreasAsNumbers(); };
    config.deleteQuestion = ErrorMessageBoxes::Employees::deleteQuestion;
    config.messages = ErrorMessageBoxes::Employees::toolbar;
    config.deleteRefused = ErrorMessageBoxes::critical(u"Err.!!!"_s, u"Err."_s);
    config.counter = m_counter;
    config.counterStart = *m_counterStore;
    config.listForm = u"員工全灠"_s;

    m_toolbar = new RecordToolbar(m_app, std::move(config), this);
}

void EmployeeForm::createSearch()
{
    using Match = RecordSearch::Match;
    auto* search = new RecordSearch(m_app.messages, m_employees->recordset(), m_toolbar->rememberedPosition(),
                                     m_searchBox, m_searchButton, nullptr, this);
    search->addOption({.button = m_byTel,
                       .field = u"tel"_s,
                       .match = Match::Number,
                       .missStyle = SearchMissStyle::Spaced,
                       .missNumberWithSignPlace = true});
    search->addOption({.button = m_byName, .field = u"name"_s, .match = Match::Whole, .missStyle = SearchMissStyle::Tight});
    m_byTel->setChecked(true);
}

void EmployeeForm::applyCancelledFilter()
{
    try {
        AdodcQuery(*m_employees, m_hideCancelled->isChecked() ? ActiveEmployees : AllEmployees);
    } catch (const std::exception&) {
        // The form keeps the rows it had.
    }
}

// The code taken as the add begins goes to the employee and to both payroll rows.
void EmployeeForm::assignNewCode(qint32 code)
{
    m_app.values.next_e_code = code;
    m_text1[Code]->setText(QString::number(code));
    m_salary->recordset().setValue(u"e_code"_s, code);
    m_salaryDetail->recordset().setValue(u"e_code"_s, code);
}

// A modified employee's areas are the numbers their boxes begin with; an empty box gives area 0. A
// fraction or a number beyond the column's is refused, never rounded or cut to fit.
void EmployeeForm::writeAreasAsNumbers()
{
    Recordset& employee = m_employees->recordset();
    for (const auto& [box, column] : {std::pair{m_expenseArea, u"expense_area"_s}, std::pair{m_milkArea, u"milk_area"_s}})
        employee.setValue(column, TextRules::numberOrRefuse(TextRules::numberFromText(box->text()),
                                                            TextRules::NumberRule::wholeNumber(), column));
    employee.update();
}

void registerEmployeeForm(AppContext& app)
{
    auto counter = std::make_shared<int>(0);
    app.forms.add(FormName, u" 員工基本資料"_s, FormRegistry::Placement::Child,
                  [counter](AppContext& context) { return new EmployeeForm(context, counter); });
}
