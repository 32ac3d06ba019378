#include "payroll/LeaveForm.h"

#include "core/AppContext.h"
#include "data/DataSource.h"
#include "data/TextRules.h"
#include "payroll/DigitsOnlyBox.h"
#include "payroll/PayrollMessages.h"
#include "payroll/RecordPage.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RecordToolbar.h"
#include "records/RunGuarded.h"
#include "widgets/Binder.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "widgets/EntryLimit.h"
#include "widgets/NamedControls.h"
#include "widgets/TabOrder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

// In key order, the order the leaves were entered in, on either database.
const QString Leaves = u"SELECT * FROM vacation_type ORDER BY id"_s;

// The leave's boxes text1(1) to text1(7): column, label before the box, word after it.
struct LeaveBox {
    const char* column;
    const char* label;
    const char* after;
};
constexpr LeaveBox LeaveBoxes[] = {
    {"reason", "reason", ""},       {"ask_leave_s", "leavevdate", "start"}, {"ask_leave_e", "to", "stop"},
    {"days", "total", "day"},       {"hours", "", "hour"},                  {"apply_date", "petition date", ""},
    {"other", "other", ""},
};
enum Box { Name = 0, Reason = 1, ApplyDate = 6 };
constexpr int ReasonLength = 30;

void refreshIfPossible(DataSource& source)
{
    try {
        source.refresh();
    } catch (const std::exception&) {
    }
}

} // namespace

LeaveForm::LeaveForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_leaves(new DataSource(app.db, this)), m_codes(new DataSource(app.db, this)),
      m_name(new DataSource(app.db, this)), m_gridLeaves(new DataSource(app.db, this))
{
    setWindowTitle(u"leave"_s);
    WorkDateAtLoad(app);
    m_leaves->setQuery(Leaves);
    m_gridLeaves->setQuery(Leaves);
    m_codes->setQuery(u"SELECT e_code FROM employees_data ORDER BY e_code"_s);
    m_name->setQuery(u"SELECT name FROM employees_data WHERE 1 = 0"_s);
    for (DataSource* source : {m_leaves, m_gridLeaves, m_codes, m_name})
        refreshIfPossible(*source);

    Recordset& leave = m_leaves->recordset();
    auto* navigation = new FieldKeyNavigation(this);
    m_employee = named(new DataCombo(this), u"DataCombo1"_s);
    m_employee->setRowSource(m_codes, u"e_code"_s);
    m_employee->setDataSource(&leave, u"e_code"_s);
    auto* holiday = named(new DataCombo(this), u"Combo1"_s);
    holiday->addItems({u"事假"_s, u"病假"_s, u"公假"_s});
    holiday->setDataSource(&leave, u"holiday"_s);

    auto* nameBox = named(new QLineEdit(this), u"text1(0)"_s);
    auto* nameBinder = new Binder(m_name->recordset(), this);
    nameBinder->bind(nameBox, u"name"_s);
    QPalette keyPalette = nameBox->palette();
    keyPalette.setColor(QPalette::Base, QColor(0xC0, 0xFF, 0xFF));
    nameBox->setPalette(keyPalette);

    auto* binder = new Binder(leave, this);
    QList<QLineEdit*> text1{nameBox};
    for (int index = 1; index <= int(std::size(LeaveBoxes)); ++index) {
        auto* box = named(new QLineEdit(this), u"text1(%1)"_s.arg(index));
        binder->bind(box, QString::fromLatin1(LeaveBoxes[index - 1].column));
        text1 << box;
    }
    limitTyping(text1[Reason], ReasonLength);
    // The fields in the order of the table; the name, never unlocked, stays in the sequence.
    QList<QWidget*> fieldOrder{m_employee, nameBox, holiday};
    for (QLineEdit* box : text1.mid(1))
        fieldOrder << box;
    for (QWidget* field : std::as_const(fieldOrder))
        navigation->add(field);
    chainTabOrder(fieldOrder);

    // The name follows the employee of the row shown and the code being chosen.
    connect(&leave, &Recordset::currentChanged, this, &LeaveForm::lookUpName);
    connect(m_employee, &QComboBox::currentTextChanged, this, &LeaveForm::lookUpName);
    lookUpName();

    DataGrid* grid = readOnlyGrid(&app.messages, *m_gridLeaves, this);
    grid->setCaption(u"leave view"_s);
    auto* counter = named(new QLabel(this), u"計數"_s);
    auto* searchBox = named(new QLineEdit(this), u"Text2"_s);
    auto* searchButton = named(new QPushButton(u"worker search"_s, this), u"搜尋"_s);

    using Role = RecordToolbar::Role;
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons(u"first    "_s);
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Add, u"add"_s, u"新增差假表單"_s},
        {Role::Delete, u"del"_s, u"刪除差假表單"_s},
        {Role::Modify, u"modify"_s, u"修改差假表單"_s},
        {Role::Cancel, u"cancel"_s, u"取消"_s},
        {Role::Update, u"update"_s, u"更新資料庫"_s},
    };
    config.main = m_leaves;
    config.keyBoxes = {nameBox};
    config.entryBoxes = text1.mid(1);
    config.combos = {m_employee, holiday};
    config.recordMovers = {grid, searchButton};
    config.addDefaults = [this, applyDate = text1[ApplyDate]] {
        applyDate->setText(TextRules::dateText(m_app.values.work_date));
    };
    config.afterClick = [this](Role role) { afterToolbarClick(int(role)); };
    config.deleteQuestion = ErrorMessageBoxes::Leave::deleteQuestion;
    config.messages = ErrorMessageBoxes::Leave::toolbar;
    config.counter = counter;
    config.counterStart = leave.recordCount();
    m_toolbar = new RecordToolbar(app, std::move(config), this);

    auto* search = new RecordSearch(app.messages, leave, m_toolbar->rememberedPosition(), searchBox, searchButton,
                                    nullptr, this);
    search->addOption({.button = nullptr,
                       .field = u"e_code"_s,
                       .match = RecordSearch::Match::Number,
                       .missStyle = SearchMissStyle::Spaced,
                       .missNumberWithSignPlace = true,
                       .emptyBoxIsZero = true});
    // Installed after the search's own Enter key, so that Enter is refused too: only the button searches.
    new DigitsOnlyBox(searchBox, app.messages, ErrorMessageBoxes::Leave::digitsOnly);

    auto* fields = new QGridLayout;
    auto addRow = [this, fields](const QString& label, QWidget* field, const QString& after = {}) {
        const int row = fields->rowCount();
        if (!label.isEmpty())
            fields->addWidget(new QLabel(label, this), row, 0);
        fields->addWidget(field, row, 1);
        if (!after.isEmpty())
            fields->addWidget(new QLabel(after, this), row, 2);
    };
    addRow(u"employees code"_s, m_employee);
    addRow(u"name"_s, nameBox);
    addRow(u"leave"_s, holiday);
    for (int index = 1; index <= int(std::size(LeaveBoxes)); ++index) {
        const LeaveBox& box = LeaveBoxes[index - 1];
        addRow(QString::fromUtf8(box.label), text1[index], QString::fromUtf8(box.after));
    }
    fields->setColumnStretch(1, 1);

    auto* countLine = new QHBoxLayout;
    countLine->addWidget(new QLabel(u"total"_s, this));
    countLine->addWidget(counter);
    countLine->addWidget(new QLabel(u"pen data"_s, this));
    countLine->addStretch();
    countLine->addWidget(searchBox);
    countLine->addWidget(searchButton);
    layOutRecordPage(this, m_toolbar, countLine, fields, grid, GridPlacement::BesideRecord);
}

void LeaveForm::afterToolbarClick(int role)
{
    using Role = RecordToolbar::Role;
    // A leave stays with its employee: only a new leave chooses one.
    if (Role(role) == Role::Modify && m_toolbar->state() == RecordToolbar::State::Modifying)
        m_employee->setLocked(true);
    // The grid is a reading of its own, brought up to date by "update" alone.
    if (Role(role) == Role::Update)
        runGuarded(m_app.messages, [this] { m_gridLeaves->refresh(); });
}

void LeaveForm::lookUpName()
{
    const std::optional<int> code = TextRules::wholeNumberIn(m_employee->text());
    try {
        AdodcQuery(*m_name, u"SELECT name FROM employees_data WHERE e_code = ?"_s,
                   {code ? QVariant(*code) : QVariant(QMetaType::fromType<int>())});
    } catch (const std::exception&) {
        // The name box keeps what it showed.
    }
}
