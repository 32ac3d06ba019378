#include "shell/CompanyForm.h"

#include "widgets/DataGrid.h"
#include "data/DataSource.h"
#include "widgets/ExitButton.h"
#include "widgets/GridUnlockCheck.h"
#include "shell/SettingsGrid.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CompanyForm::CompanyForm(AppContext& app, QWidget* parent) : QWidget(parent)
{
    auto* title = new QLabel(u"Company Setting"_s, this);
    title->setObjectName(u"Label1"_s);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);

    DataGrid* grid = makeSettingsGrid(app, this, 1, [](DataSource& source) {
        source.setTable(u"company_data"_s);
    });
    grid->setCaption(u"Company Setting"_s);

    auto* unlock = new QCheckBox(u"Motify Company Setting"_s, this);
    unlock->setObjectName(u"Check1"_s);
    GridUnlockCheck(unlock, {grid}, GridUnlock::ChangeOnly);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(unlock);
    bottom->addStretch();
    bottom->addWidget(makeExitButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(grid, 1);
    layout->addLayout(bottom);
}
