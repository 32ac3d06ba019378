#include "stock/ProductOverviews.h"

#include "core/AppContext.h"
#include "records/RunGuarded.h"
#include "widgets/DataGrid.h"
#include "widgets/NamedControls.h"
#include "widgets/SortButton.h"

#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString Products = u"products_data"_s;

// Hides a form's window, its sub-window where it lives in the frame, without closing the form.
void hideForm(QWidget* form)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        sub->hide();
    else
        form->hide();
}

} // namespace

ProductFullList::ProductFullList(AppContext& app, QWidget* parent) : QWidget(parent), m_products(app.db, this)
{
    setWindowTitle(u"products overview"_s);

    // "print" does nothing: the overview is only for looking the products over on screen.
    auto* print = named(new QPushButton(u"print"_s, this), u"列印"_s);
    auto* exit = named(new QPushButton(u"Exit"_s, this), u"離開"_s);
    connect(exit, &QPushButton::clicked, this, [this] { hideForm(this); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeSortButton(this, u"編號排序"_s, u"serial sort"_s, m_products, u"code ASC"_s));
    buttons->addWidget(makeSortButton(this, u"單價排序"_s, u"price sort"_s, m_products, u"price ASC"_s));
    buttons->addWidget(print);
    buttons->addWidget(exit);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(readOnlyGrid(&app.messages, m_products, this), 1);

    runGuarded(app.messages, [this] {
        m_products.setTable(Products);
        m_products.refresh();
    });
}

ProductBriefList::ProductBriefList(AppContext& app, QWidget* parent) : QWidget(parent), m_products(app.db, this)
{
    setWindowTitle(u"products overview"_s);
    resize(760, 420);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(readOnlyGrid(&app.messages, m_products, this));
    runGuarded(app.messages, [this] {
        m_products.setTable(Products);
        m_products.refresh();
    });
}

void registerProductOverviews(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    app.forms.add(u"產品全灠"_s, u"products overview"_s, Placement::Child,
                  [](AppContext& context) { return new ProductFullList(context); });
    app.forms.add(u"產品一灠"_s, u"products overview"_s, Placement::TopLevel,
                  [](AppContext& context) { return new ProductBriefList(context); });
}
