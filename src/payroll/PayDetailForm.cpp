#include "payroll/PayDetailForm.h"

#include "core/AppContext.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "records/RecordSearch.h"
#include "records/RunGuarded.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"
#include "widgets/GridUnlockCheck.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString OpenRows = u"SELECT * FROM salary_detailed WHERE balance = 0 ORDER BY e_code, id"_s;
// Each employee's periods in turn, a row not yet dated before the dated ones on either database.
const QString AllRows = u"SELECT * FROM salary_detailed ORDER BY e_code, balance, balance_date NULLS FIRST, id"_s;

} // namespace

PayDetailForm::PayDetailForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_rows(new DataSource(app.db, this)), m_remembered(m_rows->recordset())
{
    setWindowTitle(u"salary view"_s);
    WorkDateAtLoad(app);

    m_grid = new DataGrid(&app.messages, this);
    m_grid->setObjectName(u"DataGrid1"_s);
    m_grid->setDataSource(m_rows);
    m_countBox = named(new QLineEdit(this), u"text1"_s);
    m_countBox->setReadOnly(true);
    m_count = named(new QLabel(this), u"計數"_s);
    m_allRows = named(new QRadioButton(u"overview"_s, this), u"Option1"_s);
    m_openRows = named(new QRadioButton(u"only show not"_s, this), u"Option2"_s);
    groupOptions({m_allRows, m_openRows});
    m_unlock = named(new QCheckBox(u"Unlock"_s, this), u"Check1"_s);
    GridUnlockCheck(m_unlock, {m_grid}, GridUnlock::ChangeOnly);
    m_searchBox = named(new QLineEdit(this), u"Text2"_s);
    m_searchButton = named(new QPushButton(u"employees code scratch"_s, this), u"搜尋"_s);
    m_nextButton = named(new QPushButton(u"scratch2"_s, this), u"再搜尋"_s);

    // The count is taken once: the table's pay rows as the form opened, settled ones too. The box
    // holds it; the caption shows the box's text.
    runGuarded(app.messages, [this] {
        m_countBox->setText(m_app.db.scalar(u"SELECT count(*) FROM salary_detailed"_s).toString());
    });
    m_count->setText(m_countBox->text());
    connect(m_allRows, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            showList(AllRows);
    });
    connect(m_openRows, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            showList(OpenRows);
    });
    m_openRows->setChecked(true);

    auto* search = new RecordSearch(app.messages, m_rows->recordset(), m_remembered, m_searchBox, m_searchButton,
                                    m_nextButton, this);
    search->addOption({.button = nullptr,
                       .field = u"e_code"_s,
                       .match = RecordSearch::Match::Number,
                       .missStyle = SearchMissStyle::Spaced,
                       .missNumberWithSignPlace = true,
                       .findsNext = true,
                       .emptyBoxIsZero = true});
    search->setFirstMissLeavesNext(true);

    auto* title = new QLabel(u"salary detailed"_s, this);
    QFont large = title->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    title->setFont(large);
    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch();
    top->addWidget(new QLabel(u"total"_s, this));
    top->addWidget(m_count);
    top->addWidget(new QLabel(u"pendata"_s, this));
    top->addWidget(m_countBox);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_openRows);
    bottom->addWidget(m_allRows);
    bottom->addWidget(m_unlock);
    bottom->addSpacing(16);
    bottom->addWidget(m_searchBox);
    bottom->addWidget(m_searchButton);
    bottom->addWidget(m_nextButton);
    bottom->addStretch();
    bottom->addWidget(makeExitButton(this));

    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(m_grid, 1);
    page->addLayout(bottom);
}

void PayDetailForm::showList(const QString& query)
{
    // A row changed in the grid is written before the list is read again; a refusal keeps the list.
    if (!m_grid->commitRow())
        return;
    runGuarded(m_app.messages, [&] { AdodcQuery(*m_rows, query); });
}
