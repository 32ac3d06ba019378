#include "people/CustomerBriefList.h"

#include "widgets/DataGrid.h"
#include "data/TextRules.h"
#include "records/RunGuarded.h"
#include "records/ErrorMessageBoxes.h"
#include "records/RememberedPosition.h"
#include "records/SearchBoxEnter.h"
#include "core/AppContext.h"
#include "widgets/ExitButton.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CustomerBriefList::CustomerBriefList(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_customers(app.db, this)
{
    setWindowTitle(u"customer"_s);
    resize(760, 500);

    m_grid = readOnlyGrid(&m_app.messages, m_customers, this);
    m_codeText = new QLineEdit(this);
    m_codeText->setObjectName(u"text1"_s);
    auto* search = new QPushButton(u"search"_s, this);
    search->setObjectName(u"訂戶代號搜尋"_s);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_codeText);
    bottom->addWidget(search);
    bottom->addStretch();
    bottom->addWidget(makeExitButton(this));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);

    connect(search, &QPushButton::clicked, this, &CustomerBriefList::findCustomerCode);
    new SearchBoxEnter(m_codeText, [this] { findCustomerCode(); });

    runGuarded(m_app.messages, [this] {
        AdodcQuery(m_customers,
                   u"select c_code,name,expense_area,milk_area,tel,goods_addr from customer_data order by c_code"_s);
    });
}

// The code is the number the box begins with (0 when it begins with none), as typed: a fraction is no
// code. A miss says so and leaves the grid where it was.
void CustomerBriefList::findCustomerCode()
{
    Recordset& customers = m_customers.recordset();
    const double code = TextRules::numberFromText(m_codeText->text());
    RememberedPosition shownBefore(customers);
    shownBefore.remember();
    runGuarded(m_app.messages, [&] {
        customers.moveFirst();
        if (customers.find(Criterion::equals(u"c_code"_s, code)))
            return;
        showMessage(m_app.messages, ErrorMessageBoxes::searchMiss(SearchMissStyle::Search, TextRules::numberText(code)));
        shownBefore.restore();
        m_codeText->setFocus();
    });
}
