#include "shell/SettingsGrid.h"

#include "data/DataError.h"
#include "data/DataGrid.h"
#include "data/DataSource.h"
#include "shell/AppContext.h"
#include "shell/MessageService.h"

#include <QHeaderView>

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
        app.messages.msgBox(error.message(), MessageService::Critical, u"Err."_s);
    }

    auto* grid = new DataGrid(&app.messages, form);
    grid->setObjectName(u"DataGrid%1"_s.arg(number));
    grid->setDataSource(source);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}
