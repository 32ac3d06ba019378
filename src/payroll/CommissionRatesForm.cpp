#include "payroll/CommissionRatesForm.h"

#include "core/AppContext.h"
#include "data/DataSource.h"
#include "payroll/PayFigures.h"
#include "payroll/PayrollMessages.h"
#include "payroll/RecordPage.h"
#include "records/RecordSearch.h"
#include "records/RecordToolbar.h"
#include "records/RunGuarded.h"
#include "widgets/Binder.h"
#include "widgets/DataGrid.h"
#include "widgets/NamedControls.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct RateBox {
    const char* column;
    const char* label;
};
constexpr RateBox RateBoxes[] = {
    {"names", "products name"},
    {"n_c", "new bottle commission"},
    {"o_c", "old bottle commission"},
    {"w_c", "enter  bottle commission"},
    {"b_c", "sendgoods commission"},
};

} // namespace

CommissionRatesForm::CommissionRatesForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_rates(new DataSource(app.db, this))
{
    setWindowTitle(u"commission table"_s);
    // The grid's columns in their order; the boxes take theirs by name.
    m_rates->setQuery(u"SELECT id, code, names, n_c, o_c, w_c, b_c FROM complete ORDER BY id"_s);
    runGuarded(app.messages, [this] { m_rates->refresh(); });

    auto* binder = new Binder(m_rates->recordset(), this);
    QList<QLineEdit*> text1;
    auto* boxes = new QFormLayout;
    for (int index = 0; index < int(std::size(RateBoxes)); ++index) {
        auto* box = named(new QLineEdit(this), u"text1(%1)"_s.arg(index));
        const QString column = QString::fromLatin1(RateBoxes[index].column);
        if (index == 0)
            binder->bind(box, column);
        else
            binder->bind(box, column, PayFigures::rule()); // rates of pay: the commissions multiply them
        boxes->addRow(QString::fromLatin1(RateBoxes[index].label), box);
        text1 << box;
    }

    DataGrid* grid = readOnlyGrid(&app.messages, *m_rates, this);
    grid->setCaption(u"commission table"_s);
    auto* counter = named(new QLabel(this), u"計數"_s);
    auto* searchBox = named(new QLineEdit(this), u"Text2"_s);
    auto* searchButton = named(new QPushButton(u"search"_s, this), u"搜尋"_s);

    using Role = RecordToolbar::Role;
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons(u"first      "_s);
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Modify, u"modify"_s, u"修改一瓶的錢"_s},
        {Role::Cancel, u"cancel"_s, u"取消"_s},
        {Role::Update, u"update"_s, u"更新資料庫"_s},
    };
    config.main = m_rates;
    config.keyBoxes = {text1[0]};
    config.entryBoxes = text1.mid(1);
    config.recordMovers = {grid, searchButton};
    config.messages = ErrorMessageBoxes::Commission::toolbar;
    config.counter = counter;
    config.counterStart = m_rates->recordset().recordCount();
    config.cancelDisabledAfterSave = true;
    auto* toolbar = new RecordToolbar(app, std::move(config), this);
    // Counted by walking the rows, which leaves none current until a move or a pick.
    m_rates->recordset().moveTo(m_rates->recordset().recordCount());

    auto* search = new RecordSearch(app.messages, m_rates->recordset(), toolbar->rememberedPosition(), searchBox,
                                    searchButton, nullptr, this);
    search->addOption({.button = nullptr,
                       .field = u"names"_s,
                       .match = RecordSearch::Match::Whole,
                       .missStyle = SearchMissStyle::Search});

    auto* countLine = new QHBoxLayout;
    countLine->addWidget(new QLabel(u"total"_s, this));
    countLine->addWidget(counter);
    countLine->addWidget(new QLabel(u"pen data"_s, this));
    countLine->addStretch();
    countLine->addWidget(searchBox);
    countLine->addWidget(searchButton);
    layOutRecordPage(this, toolbar, countLine, boxes, grid, GridPlacement::BelowRecord);
}
