#include "orders/DeliveryTypeOverview.h"

#include "core/AppContext.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "records/RunGuarded.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DeliveryTypeOverview::DeliveryTypeOverview(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_rows(app.db, this), m_types(app.db, this)
{
    setWindowTitle(u"wheel send view"_s);
    auto* typeChoice = named(new DataCombo(this), u"DataCombo1"_s);
    runGuarded(m_app.messages, [this] {
        AdodcQuery(m_types, u"select distinct send_type from send_type order by send_type"_s);
        AdodcQuery(m_rows, u"select send_type, names from send_type order by send_type, serial"_s);
    });
    typeChoice->setRowSource(&m_types, u"send_type"_s);
    typeChoice->setEditText(QString());
    DataGrid* grid = readOnlyGrid(&m_app.messages, m_rows, this);
    auto* overview = named(new QPushButton(u"overview"_s, this), u"全灠"_s);

    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(u"choice"_s, this));
    choice->addWidget(typeChoice, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(overview);
    buttons->addStretch();
    buttons->addWidget(makeExitButton(this));
    auto* page = new QVBoxLayout(this);
    page->addLayout(choice);
    page->addWidget(grid, 1);
    page->addLayout(buttons);

    connect(typeChoice, &QComboBox::editTextChanged, this, &DeliveryTypeOverview::showType);
    connect(overview, &QPushButton::clicked, this, &DeliveryTypeOverview::showAllTypes);
}

// Each change of the text shows that type; an empty text shows again what was last asked for.
void DeliveryTypeOverview::showType(const QString& type)
{
    if (!type.isEmpty()) {
        m_lastQuery = u"select send_type, names from send_type where send_type = ? order by send_type, serial"_s;
        m_lastValues = {type};
    }
    runLastQuery();
}

void DeliveryTypeOverview::showAllTypes()
{
    m_lastQuery = u"select send_type, names from send_type order by send_type, serial"_s;
    m_lastValues.clear();
    runLastQuery();
}

void DeliveryTypeOverview::runLastQuery()
{
    if (m_lastQuery.isEmpty())
        return;
    runGuarded(m_app.messages, [this] { AdodcQuery(m_rows, m_lastQuery, m_lastValues); });
}
