#include "widgets/GridUnlockCheck.h"

#include "widgets/DataGrid.h"
#include "data/DataSource.h"

#include <QCheckBox>

void GridUnlockCheck(QCheckBox* box, const QList<DataGrid*>& grids, GridUnlock permissions)
{
    const auto apply = [grids, permissions](bool unlocked) {
        for (DataGrid* grid : grids) {
            if (permissions == GridUnlock::AddChangeDelete)
                grid->setAllowAddNew(unlocked);
            if (permissions != GridUnlock::ChangeOnly)
                grid->setAllowDelete(unlocked);
            grid->setAllowUpdate(unlocked);
        }
    };
    apply(box->isChecked());
    QObject::connect(box, &QCheckBox::toggled, box, apply);
}
