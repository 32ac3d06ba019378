#include "stock/MovementListForm.h"

#include "core/AppContext.h"
#include "records/RunGuarded.h"
#include "stock/StockControls.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

MovementListForm::MovementListForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_rows(app.db, this)
{
    setWindowTitle(u"in & out goods view"_s);
    WorkDateAtLoad(m_app);

    m_title = makeTitleLabel(this, u"Label2"_s, u"in & out goods view"_s);
    m_from = makeDatePicker(this, u"DTPicker1"_s, m_app.values.work_date);
    m_to = makeDatePicker(this, u"DTPicker2"_s, m_app.values.work_date);
    auto* dateView = named(new QPushButton(u"date view"_s, this), u"日期全灠"_s);
    auto* overview = named(new QPushButton(u"overview"_s, this), u"全灠"_s);
    DataGrid* grid = readOnlyGrid(&m_app.messages, m_rows, this);
    grid->setCaption(u"incoming & outting"_s);

    auto* controls = new QHBoxLayout;
    controls->addWidget(m_from);
    controls->addWidget(new QLabel(u"至"_s, this));
    controls->addWidget(m_to);
    controls->addWidget(dateView);
    controls->addWidget(overview);
    controls->addStretch();
    controls->addWidget(named(new QLabel(u"status"_s, this), u"Label3"_s));
    controls->addWidget(makeExitButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addLayout(controls);
    layout->addWidget(grid, 1);

    // The title names the view only once its rows are shown.
    connect(dateView, &QPushButton::clicked, this, [this] {
        if (listDateRange())
            m_title->setText(u"date view"_s);
    });
    connect(overview, &QPushButton::clicked, this, [this] {
        if (listAll())
            m_title->setText(u"overview"_s);
    });
    listDateRange();
}

// Rows of one product come in serial order on both databases.
bool MovementListForm::listDateRange()
{
    return list(u"select pass_goods.* from pass_goods where pass_goods.date_d >= ? and pass_goods.date_d <= ? "
                "order by pass_goods.code, pass_goods.serial"_s,
                {m_from->date(), m_to->date()});
}

bool MovementListForm::listAll()
{
    return list(u"select pass_goods.* from pass_goods order by pass_goods.code, pass_goods.date_d, pass_goods.serial"_s);
}

bool MovementListForm::list(const QString& sql, const QVariantList& values)
{
    bool listed = false;
    runGuarded(m_app.messages, [&] {
        AdodcQuery(m_rows, sql, values);
        listed = true;
    });
    return listed;
}
