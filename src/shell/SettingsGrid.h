#pragma once

#include <QList>
#include <QString>
#include <functional>

class DataGrid;
class DataSource;
class QHBoxLayout;
class QWidget;
struct AppContext;

// The grid `DataGrid<number>` of a settings form over its own hidden data source `Adodc<number>`,
// which `command` gives its table or query. The source opens as the form loads; when the database
// refuses, the clerk is told and the grid stays empty.
DataGrid* makeSettingsGrid(AppContext& app, QWidget* form, int number,
                           const std::function<void(DataSource&)>& command);

// The last line of a lookup-table form: the unlock box `Check1` that opens every edit of `grids`, its
// label "Unlock" beside it, and the Exit button.
QHBoxLayout* makeUnlockLine(QWidget* form, const QString& boxCaption, const QString& labelName,
                            const QList<DataGrid*>& grids);
