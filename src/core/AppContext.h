#pragma once

#include "core/Clock.h"
#include "core/ProcessValues.h"
#include "core/FormRegistry.h"

#include <QCoreApplication>
#include <QObject>
#include <functional>

class Database;
class MessageService;
class SpreadsheetWriter;

// Where the spreadsheet listings go: saved in a folder (empty: the user's documents folder), then
// opened on the desktop. Tests put a folder and steps of their own here to read each run's cells and
// see its opening, so no program starts.
struct SpreadsheetOutput {
    QString folder;
    // Sees each finished sheet just before it is saved; unset in the program.
    std::function<void(const SpreadsheetWriter& sheet)> finished;
    // Opens a saved file and calls `notOpened` where nothing opens it; unset, the desktop opens it.
    std::function<void(const QString& file, const std::function<void()>& notOpened)> open;
};

// What every form of the process shares: the database, the message service, today's date, the
// process-wide values and the forms' single instances.
struct AppContext {
    AppContext(Database& database, MessageService& messageService, Clock& clockSource)
        : db(database), messages(messageService), clock(clockSource), forms(*this) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Database& db;
    MessageService& messages;
    Clock& clock;
    ProcessValues values;
    FormRegistry forms;
    // Ends the process with a status, at once: the event loop is left without closing any window.
    // Tests put a step of their own here to see that the program would end.
    std::function<void(int status)> endProcess = [](int status) { QCoreApplication::exit(status); };
    SpreadsheetOutput spreadsheets;
    // Ends first, with the context: what the program started and hears from later (a desktop opener)
    // answers through it, so nothing calls back into a context that is gone.
    QObject lifetime;
};

// The forms that work with today's date set it as they load.
inline void WorkDateAtLoad(AppContext& app)
{
    app.values.work_date = app.clock.today();
}
