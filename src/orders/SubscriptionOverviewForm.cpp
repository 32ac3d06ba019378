#include "orders/SubscriptionOverviewForm.h"

#include "core/AppContext.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "records/RunGuarded.h"
#include "records/SearchBoxEnter.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// Days that tie on the order stay in the order they were written.
const QString ByTypeAndDay = u"subscribe_type, date_d, id"_s;
} // namespace

SubscriptionOverviewForm::SubscriptionOverviewForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_days(app.db, this)
{
    setWindowTitle(u"setting overview"_s);
    WorkDateAtLoad(m_app);

    m_allRows = named(new QRadioButton(u"all view"_s, this), u"Option1"_s);
    m_range = named(new QRadioButton(u"fingers date"_s, this), u"Option2"_s);
    groupOptions({m_allRows, m_range});
    auto picker = [this](const QString& name) {
        auto* edit = named(new QDateEdit(m_app.values.work_date, this), name);
        edit->setDisplayFormat(u"yyyy/M/d"_s);
        edit->setCalendarPopup(true);
        return edit;
    };
    m_first = picker(u"DTPicker1"_s);
    m_last = picker(u"DTPicker2"_s);
    m_title = named(new QLabel(this), u"Label2"_s);
    DataGrid* grid = readOnlyGrid(&m_app.messages, m_days, this);

    auto sortButton = [this](const QString& name, const QString& caption, const QString& order) {
        auto* button = named(new QPushButton(caption, this), name);
        connect(button, &QPushButton::clicked, this, [this, order] { showRows(order); });
        return button;
    };
    auto* range = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_allRows, m_range, m_first, new QLabel(u"to"_s, this), m_last})
        range->addWidget(widget);
    range->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sortButton(u"日期排序"_s, u"date sort"_s, u"date_d, id"_s));
    buttons->addWidget(sortButton(u"訂法排序"_s, u"subscribe sort"_s, u"subscribe_type, id"_s));
    buttons->addWidget(sortButton(u"訂法日期排序"_s, u"date sort"_s, ByTypeAndDay));
    buttons->addStretch();
    buttons->addWidget(makeExitButton(this));
    auto* page = new QVBoxLayout(this);
    page->addLayout(range);
    page->addWidget(m_title);
    page->addWidget(grid, 1);
    page->addLayout(buttons);

    connect(m_allRows, &QRadioButton::toggled, this, [this](bool selected) {
        if (!selected)
            return;
        m_title->setText(u"all_view"_s);
        showRows(ByTypeAndDay);
    });
    connect(m_range, &QRadioButton::toggled, this, [this](bool selected) {
        if (!selected)
            return;
        m_title->setText(u"date_view"_s);
        showRows(ByTypeAndDay);
    });
    // Picking the last day in its calendar reads the rows again; the first day waits for the next read.
    connect(m_last->calendarWidget(), &QCalendarWidget::clicked, this, [this] { showRows(ByTypeAndDay); },
            Qt::QueuedConnection);
    new SearchBoxEnter(m_last, [this] { showRows(ByTypeAndDay); });

    m_allRows->setChecked(true);
}

// The range includes both of its days. A query the database refuses keeps the rows on show.
void SubscriptionOverviewForm::showRows(const QString& order)
{
    runGuarded(m_app.messages, [&] {
        if (m_range->isChecked())
            AdodcQuery(m_days, u"select * from subscribe_type where date_d >= ? and date_d <= ? order by "_s + order,
                       {m_first->date(), m_last->date()});
        else
            AdodcQuery(m_days, u"select * from subscribe_type order by "_s + order);
    });
}
