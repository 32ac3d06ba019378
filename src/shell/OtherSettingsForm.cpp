#include "shell/OtherSettingsForm.h"

#include "widgets/DataGrid.h"
#include "data/DataSource.h"
#include "shell/SettingsGrid.h"

#include <QGridLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

OtherSettingsForm::OtherSettingsForm(AppContext& app, QWidget* parent) : QWidget(parent)
{
    setWindowTitle(u"其它設定"_s);

    struct Table {
        QString name;
        QString heading;
    };
    const Table tables[] = {
        {u"bottle_type"_s, u"bottle type"_s},
        {u"warm_box"_s, u"warmbox"_s},
        {u"return_reason"_s, u"refund reason"_s},
        {u"add_reason"_s, u"join reason"_s},
    };

    auto* grids = new QGridLayout;
    QList<DataGrid*> lookupGrids;
    for (int column = 0; column < 4; ++column) {
        const Table& table = tables[column];
        const int number = column + 1;
        auto* heading = new QLabel(table.heading, this);
        heading->setObjectName(u"Label%1"_s.arg(number));
        DataGrid* grid = makeSettingsGrid(app, this, number, [&table](DataSource& source) {
            source.setTable(table.name);
        });
        grids->addWidget(heading, 0, column);
        grids->addWidget(grid, 1, column);
        lookupGrids << grid;
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grids, 1);
    layout->addLayout(makeUnlockLine(this, u"Unlock"_s, u"Label5"_s, lookupGrids));
}
