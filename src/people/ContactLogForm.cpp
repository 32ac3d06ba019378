#include "people/ContactLogForm.h"

#include "widgets/Binder.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "data/TextRules.h"
#include "records/RunGuarded.h"
#include "records/ErrorMessageBoxes.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordToolbar.h"
#include "records/SearchBoxEnter.h"
#include "core/AppContext.h"
#include "widgets/NamedControls.h"
#include "widgets/ExitButton.h"
#include "widgets/OptionGroup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

ContactLogForm::ContactLogForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_log(app.db, this), m_grid(app.db, this), m_people(app.db, this),
      m_gridPosition(m_grid.recordset())
{
    setWindowTitle(u"contact business"_s);
    WorkDateAtLoad(m_app);
    buildControls();

    runGuarded(m_app.messages, [this] {
        m_people.setQuery(u"select distinct contact_man from business_stay where contact_man is not null "
                          "order by contact_man"_s);
        m_people.refresh();
        m_contactMan->setRowSource(&m_people, u"contact_man"_s);
        m_log.setTable(u"business_stay"_s);
        m_log.refresh();
    });
    m_thisMonth->setChecked(true);
    if (m_app.values.selected_c_code != 0)
        goToLastContactOf(m_app.values.selected_c_code);
}

void ContactLogForm::buildControls()
{
    m_gridView = readOnlyGrid(&m_app.messages, m_grid, this);

    m_allRows = new QRadioButton(u"overview"_s, this);
    m_allRows->setObjectName(u"Option1"_s);
    m_thisMonth = new QRadioButton(u"only month"_s, this);
    m_thisMonth->setObjectName(u"Option2"_s);
    groupOptions({m_allRows, m_thisMonth});
    m_codeText = new QLineEdit(this);
    m_codeText->setObjectName(u"Text2"_s);
    m_search = named(new QPushButton(u"scratch"_s, this), u"搜尋"_s);
    m_searchAgain = named(new QPushButton(u"scratch2"_s, this), u"再搜尋"_s);

    auto* binder = new Binder(m_log.recordset(), this);
    const QStringList columns = {u"serial"_s, u"c_code"_s, u"input_date"_s, u"contact_item"_s};
    auto* navigation = new FieldKeyNavigation(this);
    for (int i = 0; i < int(m_fields.size()); ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(u"text1(%1)"_s.arg(i));
        binder->bind(m_fields[i], columns[i]);
        navigation->add(m_fields[i]);
    }
    // Never locked: the person can be picked whatever the toolbar is doing.
    m_contactMan = new DataCombo(this);
    m_contactMan->setObjectName(u"DataCombo1"_s);
    m_contactMan->setDataSource(&m_log.recordset(), u"contact_man"_s);

    m_toolbar = makeToolbar();
    // A person picked or typed while no contact is being edited changes the contact shown: the log
    // writes it when it moves on to another contact, as it writes any changed row.
    auto personChanged = [this] {
        Recordset& log = m_log.recordset();
        if (m_toolbar->state() != RecordToolbar::State::Idle || !log.hasCurrentRow())
            return;
        try {
            log.setValue(u"contact_man"_s, m_contactMan->text());
        } catch (const std::exception&) {
            // A log that cannot be written keeps the person as shown until the next move.
        }
    };
    connect(m_contactMan, &QComboBox::activated, this, personChanged);
    connect(m_contactMan->lineEdit(), &QLineEdit::textEdited, this, personChanged);

    auto* searchLine = new QHBoxLayout;
    searchLine->addWidget(m_allRows);
    searchLine->addWidget(m_thisMonth);
    searchLine->addStretch();
    searchLine->addWidget(m_codeText);
    searchLine->addWidget(m_search);
    searchLine->addWidget(m_searchAgain);

    auto* fields = new QGridLayout;
    fields->addWidget(named(new QLabel(u"code"_s, this), u"Label4"_s), 0, 0);
    fields->addWidget(m_fields[0], 0, 1);
    fields->addWidget(named(new QLabel(u"subscriber code"_s, this), u"Label1"_s), 0, 2);
    fields->addWidget(m_fields[1], 0, 3);
    fields->addWidget(named(new QLabel(u"contact date"_s, this), u"Label2"_s), 0, 4);
    fields->addWidget(m_fields[2], 0, 5);
    fields->addWidget(named(new QLabel(u"contact business"_s, this), u"Label3"_s), 1, 0);
    fields->addWidget(m_fields[3], 1, 1, 1, 3);
    fields->addWidget(named(new QLabel(u"contact man"_s, this), u"Label5"_s), 1, 4);
    fields->addWidget(m_contactMan, 1, 5);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    fields->setColumnStretch(5, 1);

    auto* exitLine = new QHBoxLayout;
    exitLine->addStretch();
    exitLine->addWidget(makeExitButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_gridView, 1);
    layout->addLayout(searchLine);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(exitLine);

    connect(m_allRows, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            showAllContacts();
    });
    connect(m_thisMonth, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            showThisMonth();
    });
    connect(m_gridView, &DataGrid::clicked, this, [this](const QModelIndex& index) { showInLog(index.row()); });
    connect(m_search, &QPushButton::clicked, this, [this] { searchCustomerCode(true); });
    connect(m_searchAgain, &QPushButton::clicked, this, [this] { searchCustomerCode(false); });
    new SearchBoxEnter(m_codeText, [this] { searchCustomerCode(true); });
}

RecordToolbar* ContactLogForm::makeToolbar()
{
    using Role = RecordToolbar::Role;
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons(u"first "_s);
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Add, u"add"_s, u"加入新的資料"_s},
        {Role::Delete, u"delete"_s, u"刪除該筆資料"_s},
        {Role::Modify, u"modify"_s, u"修改該筆資料"_s},
        {Role::Cancel, u"cancel"_s, u"取消"_s},
        // Refreshes the grid as well as the log.
        {Role::Other, u"update"_s, u"更新資料庫"_s, [this] { refreshLogAndGrid(); }},
    };
    config.main = &m_log;
    config.keyBoxes = {m_fields[0]};
    config.entryBoxes = {m_fields[1], m_fields[2], m_fields[3]};
    // The grid moves the log to the row clicked; it and the searches wait while a contact is edited.
    config.recordMovers = {m_gridView, m_allRows, m_thisMonth, m_codeText, m_search, m_searchAgain};
    config.numbering.emplace(RecordToolbar::Numbering{
        MaxPlusOneNumbering(m_app.db, u"business_stay"_s, u"serial"_s),
        [this](qint32 serial) { m_fields[0]->setText(QString::number(serial)); }});
    // The customer is the one handed over last, read as the add begins.
    config.addDefaults = [this] {
        m_fields[1]->setText(QString::number(m_app.values.selected_c_code));
        m_fields[2]->setText(TextRules::dateText(m_app.values.work_date));
    };
    config.modifySaveSteps = [this] {
        Recordset& log = m_log.recordset();
        log.setValue(u"contact"_s, m_contactMan->text());
        log.update();
    };
    config.deleteQuestion = ErrorMessageBoxes::ContactLog::deleteQuestion;
    config.messages = ErrorMessageBoxes::ContactLog::toolbar;
    return new RecordToolbar(m_app, std::move(config), this);
}

void ContactLogForm::showThisMonth()
{
    const QDate& workDate = m_app.values.work_date;
    const QDate firstDay(workDate.year(), workDate.month(), 1);
    runGuarded(m_app.messages, [&] {
        AdodcQuery(m_grid,
                   u"select * from business_stay where input_date >= ? and input_date < ? order by c_code"_s,
                   {firstDay, firstDay.addMonths(1)});
    });
}

void ContactLogForm::showAllContacts()
{
    runGuarded(m_app.messages, [this] { AdodcQuery(m_grid, u"select * from business_stay order by c_code"_s); });
}

// The entry fields go to the contact the clerk picked in the grid.
void ContactLogForm::showInLog(int gridRow)
{
    const Recordset& rows = m_grid.recordset();
    const QVariant serial = rows.valueAt(gridRow, rows.fieldIndex(u"serial"_s));
    if (serial.isNull())
        return;
    runGuarded(m_app.messages, [&] {
        Recordset& log = m_log.recordset();
        log.moveFirst();
        log.find(Criterion::equals(u"serial"_s, serial));
    });
}

// The customer's last contact in the log's order; with none, the last contact of all.
void ContactLogForm::goToLastContactOf(qint32 customerCode)
{
    Recordset& log = m_log.recordset();
    const int codeColumn = log.fieldIndex(u"c_code"_s);
    auto isTheCustomers = [&](int row) {
        const QVariant code = log.valueAt(row, codeColumn);
        return !code.isNull() && code.toLongLong() == customerCode;
    };
    int row = log.recordCount() - 1;
    while (row >= 0 && !isTheCustomers(row))
        --row;
    runGuarded(m_app.messages, [&] { row >= 0 ? log.moveTo(row) : log.moveLast(); });
}

void ContactLogForm::refreshLogAndGrid()
{
    runGuarded(m_app.messages, [this] {
        // A person picked while idle waits in the row for the next move to write it; update moves too.
        if (m_log.recordset().editMode() == Recordset::EditMode::Editing)
            m_log.recordset().update();
        m_log.refresh();
        m_grid.refresh();
    });
}

// The first contact of the customer code in the grid, or the next one after the grid's row. A code
// is a number: other text finds nothing. A miss says so and puts the grid back where it was.
void ContactLogForm::searchCustomerCode(bool fromFirst)
{
    Recordset& rows = m_grid.recordset();
    m_gridPosition.remember();
    const QString typed = m_codeText->text();
    if (typed.isEmpty())
        return;
    const std::optional<int> code = TextRules::wholeNumberIn(typed);
    bool found = false;
    try {
        if (fromFirst)
            rows.moveFirst();
        found = code && rows.find(Criterion::equals(u"c_code"_s, *code), fromFirst ? 0 : 1);
    } catch (const std::exception&) {
        found = false;
    }
    if (found) {
        m_searchAgain->setEnabled(true);
        return;
    }
    showMessage(m_app.messages, ErrorMessageBoxes::searchMiss(SearchMissStyle::Spaced, typed));
    m_gridPosition.restore();
    m_codeText->setFocus();
    if (!fromFirst)
        m_searchAgain->setEnabled(false);
}
