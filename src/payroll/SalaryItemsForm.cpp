#include "payroll/SalaryItemsForm.h"

#include "core/AppContext.h"
#include "data/DataSource.h"
#include "payroll/PayFigures.h"
#include "payroll/PayrollMessages.h"
#include "payroll/RecordPage.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RecordToolbar.h"
#include "records/RunGuarded.h"
#include "widgets/Binder.h"
#include "widgets/DataGrid.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The boxes of text1 in index order, which is also their tab order.
struct ItemBox {
    const char* column;
    const char* label;
};
constexpr ItemBox ItemBoxes[] = {
    {"e_code", "employees code"}, {"salary", "salary"},         {"boss", "boss increase"},
    {"work", "labor"},            {"health", "maintain"},       {"post", "post add"},
    {"food", "mess"},             {"oil", "oil subsidies"},     {"loss", "loss subsidies"},
    {"traff", "traffic subsidies"}, {"other", "other"},         {"input_date", "import date"},
};
enum Item { Code = 0, Boss = 2, InputDate = 11 };

} // namespace

SalaryItemsForm::SalaryItemsForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_items(new DataSource(app.db, this))
{
    setWindowTitle(u" salary data"_s);
    WorkDateAtLoad(app);
    // By code, so both databases list the employees alike.
    m_items->setQuery(u"SELECT * FROM salary_data ORDER BY e_code"_s);
    runGuarded(app.messages, [this] { m_items->refresh(); });

    auto* binder = new Binder(m_items->recordset(), this);
    auto* navigation = new FieldKeyNavigation(this);
    QList<QLineEdit*> text1;
    auto* boxes = new QFormLayout;
    for (int index = 0; index < int(std::size(ItemBoxes)); ++index) {
        auto* box = named(new QLineEdit(this), u"text1(%1)"_s.arg(index));
        const QString column = QString::fromLatin1(ItemBoxes[index].column);
        if (index > Code && index < InputDate)
            binder->bind(box, column, PayFigures::rule()); // figures of pay: the month-end run adds them up
        else
            binder->bind(box, column);
        navigation->add(box);
        boxes->addRow(QString::fromLatin1(ItemBoxes[index].label), box);
        text1 << box;
    }
    // The code is the row's key: pale cyan, so it reads as a box nobody types in.
    QPalette keyPalette = text1[Code]->palette();
    keyPalette.setColor(QPalette::Base, QColor(0xC0, 0xFF, 0xFF));
    text1[Code]->setPalette(keyPalette);

    DataGrid* grid = readOnlyGrid(&app.messages, *m_items, this);
    auto* byCode = named(new QRadioButton(u"employees code"_s, this), u"Option1"_s);
    auto* byName = named(new QRadioButton(u"name"_s, this), u"Option2"_s);
    groupOptions({byCode, byName});
    auto* searchBox = named(new QLineEdit(this), u"Text2"_s);
    auto* searchButton = named(new QPushButton(u"scratch"_s, this), u"搜尋"_s);

    using Role = RecordToolbar::Role;
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons(u"first       "_s);
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Modify, u"modify"_s, u"修改薪資基本資料"_s},
        {Role::Cancel, u"cancel"_s, u"取消"_s},
        {Role::Update, u"update"_s, u"更新資料庫"_s},
    };
    config.main = m_items;
    config.keyBoxes = {text1[Code]};
    config.entryBoxes = text1.mid(1);
    config.recordMovers = {grid, byCode, byName, searchButton};
    config.messages = ErrorMessageBoxes::SalaryItems::toolbar;
    config.cancelDisabledAfterSave = true;
    // The boss increase is the item changed most often: a modify starts there.
    config.afterClick = [text1](Role role) {
        if (role == Role::Modify && !text1[Boss]->isReadOnly())
            text1[Boss]->setFocus();
    };
    auto* toolbar = new RecordToolbar(app, std::move(config), this);

    using Match = RecordSearch::Match;
    auto* search = new RecordSearch(app.messages, m_items->recordset(), toolbar->rememberedPosition(), searchBox,
                                    searchButton, nullptr, this);
    search->addOption({.button = byName, .field = u"name"_s, .match = Match::Whole, .missStyle = SearchMissStyle::Tight});
    search->addOption({.button = byCode,
                       .field = u"e_code"_s,
                       .match = Match::Number,
                       .missStyle = SearchMissStyle::Spaced,
                       .missNumberWithSignPlace = true,
                       .emptyBoxIsZero = true});
    byName->setChecked(true);

    auto* searchLine = new QHBoxLayout;
    searchLine->addStretch();
    searchLine->addWidget(byName);
    searchLine->addWidget(byCode);
    searchLine->addWidget(searchBox);
    searchLine->addWidget(searchButton);
    layOutRecordPage(this, toolbar, searchLine, boxes, grid, GridPlacement::BesideRecord);
}
