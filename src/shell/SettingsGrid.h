#pragma once

#include <QString>
#include <functional>

class DataGrid;
class DataSource;
class QWidget;
struct AppContext;

// The grid `DataGrid<number>` of a settings form over its own hidden data source `Adodc<number>`,
// which `command` gives its table or query. The source opens as the form loads; when the database
// refuses, the clerk is told and the grid stays empty.
DataGrid* makeSettingsGrid(AppContext& app, QWidget* form, int number,
                           const std::function<void(DataSource&)>& command);
