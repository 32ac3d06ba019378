#include "shell/SettingsGrid.h"

#include "data/DataError.h"
#include "widgets/DataGrid.h"
#include "data/DataSource.h"
#include "core/AppContext.h"
#include "widgets/ExitButton.h"
#include "widgets/GridUnlockCheck.h"
#include "core/MessageService.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QLabel>

using namespace Qt::StringLiterals;

DataGrid* makeSettingsGrid(AppContext& app, QWidget* form, int number,
                           const std::function<void(DataSource&)>& command)
{
    auto* source = new DataSource(app.db, form);
    source->setObjectName(u"Adodc%1"_s.arg(number));
    command(*source);
    try {
        source->refresh();
    } catch (const DataError& error) {
        app.messages.reportFailure(error.message());
    }

    auto* grid = new DataGrid(&app.messages, form);
    grid->setObjectName(u"DataGrid%1"_s.arg(number));
    grid->setDataSource(source);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QHBoxLayout* makeUnlockLine(QWidget* form, const QString& boxCaption, const QString& labelName,
                            const QList<DataGrid*>& grids)
{
    auto* unlock = new QCheckBox(boxCaption, form);
    unlock->setObjectName(u"Check1"_s);
    auto* label = new QLabel(u"Unlock"_s, form);
    label->setObjectName(labelName);
    GridUnlockCheck(unlock, grids, GridUnlock::AddChangeDelete);

    auto* line = new QHBoxLayout;
    line->addWidget(unlock);
    line->addWidget(label);
    line->addStretch();
    line->addWidget(makeExitButton(form));
    return line;
}
