#include "shell/MilkExpenseForm.h"

#include "widgets/DataGrid.h"
#include "data/DataSource.h"
#include "shell/SettingsGrid.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

MilkExpenseForm::MilkExpenseForm(AppContext& app, QWidget* parent) : QWidget(parent)
{
    setWindowTitle(u"stable milk expenses"_s);

    DataGrid* milkAreas = makeSettingsGrid(app, this, 1, [](DataSource& source) {
        source.setQuery(u"select * from milk_area order by milk_area"_s, {}, u"milk_area"_s);
    });
    DataGrid* expenseAreas = makeSettingsGrid(app, this, 2, [](DataSource& source) {
        source.setQuery(u"select * from expense_area order by expense_area"_s, {}, u"expense_area"_s);
    });

    // Both headings read "stable milk area"; the right-hand grid holds the expense areas.
    auto* milkHeading = new QLabel(u"stable milk area"_s, this);
    milkHeading->setObjectName(u"Label1"_s);
    auto* expenseHeading = new QLabel(u"stable milk area"_s, this);
    expenseHeading->setObjectName(u"Label2"_s);

    auto* grids = new QGridLayout;
    grids->addWidget(milkHeading, 0, 0);
    grids->addWidget(milkAreas, 1, 0);
    grids->addWidget(expenseHeading, 0, 1);
    grids->addWidget(expenseAreas, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids, 1);
    layout->addLayout(makeUnlockLine(this, u"UnLock"_s, u"Label3"_s, {milkAreas, expenseAreas}));
}
