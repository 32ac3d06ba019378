#include "orders/DeliveryListDialog.h"

#include "core/AppContext.h"
#include "data/TextRules.h"
#include "orders/DeliveryListSheet.h"
#include "orders/OrdersMessages.h"
#include "records/RunGuarded.h"
#include "sheets/SpreadsheetWriter.h"
#include "widgets/DataCombo.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

DeliveryListDialog::DeliveryListDialog(AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_areas(app.db, this),
      m_day(named(new QDateEdit(this), u"DTPicker1"_s)),
      m_allAreas(named(new QRadioButton(u"total milk area"_s, this), u"全部"_s)),
      m_oneArea(named(new QRadioButton(u"single milk area"_s, this), u"奶區"_s)),
      m_pickedAreas(named(new QRadioButton(u"semifinal milk area"_s, this), u"複選奶區"_s)),
      m_areaCombo(named(new DataCombo(this), u"DataCombo1"_s)),
      m_areaList(named(new QListWidget(this), u"List1"_s))
{
    groupOptions({m_allAreas, m_oneArea, m_pickedAreas});
    setWindowTitle(u"goods address"_s);
    WorkDateAtLoad(app);

    m_day->setDisplayFormat(u"yyyy/M/d"_s);
    m_day->setCalendarPopup(true);
    m_day->setDate(app.values.work_date);
    m_oneArea->setChecked(true);
    m_areaCombo->setMinimumContentsLength(8);
    m_areaList->setSelectionMode(QAbstractItemView::MultiSelection);

    auto* ok = named(new QPushButton(u"ok"_s, this), u"OKButton"_s);
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(u"cancel"_s, this), u"CancelButton"_s);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(u"date"_s, this), 0, 0);
    layout->addWidget(m_day, 0, 1);
    auto* options = new QVBoxLayout;
    options->addWidget(m_allAreas);
    options->addWidget(m_oneArea);
    options->addWidget(m_areaCombo);
    options->addWidget(m_pickedAreas);
    options->addStretch();
    layout->addLayout(options, 1, 0, 1, 2);
    layout->addWidget(m_areaList, 0, 2, 3, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 3, 3, 1);

    connect(ok, &QPushButton::clicked, this, &DeliveryListDialog::print);
    connect(cancel, &QPushButton::clicked, this, [this] { closeForm(this); });

    runGuarded(app.messages, [this] {
        m_areas.setQuery(u"select * from milk_area order by milk_area"_s);
        m_areas.refresh();
        m_areaCombo->setRowSource(&m_areas, u"milk_area"_s);
        const Recordset& areas = m_areas.recordset();
        for (int row = 0; row < areas.recordCount(); ++row) {
            const QVariant area = areas.valueAt(row, 0);
            auto* item = new QListWidgetItem(TextRules::numberText(area.toDouble()), m_areaList);
            item->setData(Qt::UserRole, area);
        }
    });
}

QVariantList DeliveryListDialog::areaRows() const
{
    Recordset areas(m_app.db);
    if (m_oneArea->isChecked()) {
        // No area has a fraction or lies beyond the column: other text names none.
        const std::optional<int> area = TextRules::wholeNumberIn(m_areaCombo->text());
        if (!area)
            return {};
        areas.load(u"select milk_area from milk_area where milk_area = ?"_s, {*area});
    } else {
        areas.load(u"select milk_area from milk_area order by milk_area"_s);
    }
    QVariantList rows;
    for (int row = 0; row < areas.recordCount(); ++row)
        rows << areas.valueAt(row, 0);
    return rows;
}

bool DeliveryListDialog::isPicked(const QVariant& area) const
{
    const QList<QListWidgetItem*> picked = m_areaList->selectedItems();
    return std::any_of(picked.cbegin(), picked.cend(), [&](const QListWidgetItem* item) {
        return item->data(Qt::UserRole).toLongLong() == area.toLongLong();
    });
}

void DeliveryListDialog::print()
{
    const auto& failed = ErrorMessageBoxes::DeliveryList::failed;
    QVariantList areas;
    try {
        areas = areaRows();
    } catch (const std::exception&) {
        showMessage(m_app.messages, failed);
        return;
    }
    if (areas.isEmpty()) {
        closeForm(this);
        return;
    }

    const bool picked = m_pickedAreas->isChecked();
    SpreadsheetWriter sheet(m_app, windowTitle(), this);
    DeliveryListSheet blocks(m_app.db, sheet, m_day->date(),
                             picked ? DeliveryListSheet::Order::ByRouteCode : DeliveryListSheet::Order::ByAddress);
    const bool printed = sheet.run([&] {
        for (const QVariant& area : areas)
            if (!picked || isPicked(area))
                blocks.writeArea(area);
    });
    if (printed)
        closeForm(this);
    else
        showMessage(m_app.messages, failed);
}
