#include "people/MilkAreaPickDialog.h"

#include "widgets/DataCombo.h"
#include "records/RunGuarded.h"
#include "people/MilkAreaList.h"
#include "core/AppContext.h"
#include "widgets/ExitButton.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

MilkAreaPickDialog::MilkAreaPickDialog(AppContext& app, QWidget* parent)
    : QDialog(parent), m_milkAreas(app.db, this)
{
    setWindowTitle(u"customer data"_s);

    auto* caption = new QLabel(u"milk area:"_s, this);
    caption->setObjectName(u"Label1"_s);
    auto* areas = new DataCombo(this);
    areas->setObjectName(u"DataCombo1"_s);
    areas->setMinimumContentsLength(8);
    auto* ok = new QPushButton(u"ok"_s, this);
    ok->setObjectName(u"OKButton"_s);
    ok->setDefault(true);
    auto* cancel = new QPushButton(u"cancel"_s, this);
    cancel->setObjectName(u"CancelButton"_s);

    auto* layout = new QGridLayout(this);
    layout->addWidget(caption, 0, 0);
    layout->addWidget(areas, 0, 1);
    layout->addWidget(ok, 0, 2);
    layout->addWidget(cancel, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(ok, &QPushButton::clicked, this, [this] { closeForm(this); });
    connect(cancel, &QPushButton::clicked, this, [this] { closeForm(this); });

    runGuarded(app.messages, [&] {
        m_milkAreas.setQuery(milkAreaListQuery());
        m_milkAreas.refresh();
        areas->setRowSource(&m_milkAreas, milkAreaListField());
    });
}
