#include "app/FormCatalog.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "shell/AppContext.h"
#include "shell/DesktopMessageService.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("halcyon-ledger"));
    QApplication::setApplicationDisplayName(QStringLiteral("HALCYON LEDGER"));

    DesktopMessageService messages;
    std::unique_ptr<Database> db;
    try {
        db = Database::open();
        Schema::create(*db);
    } catch (const DataError& error) {
        messages.msgBox(error.message(), MessageService::Critical, QStringLiteral("HALCYON LEDGER"));
        return 1;
    }

    Clock clock;
    AppContext app(*db, messages, clock);
    registerForms(app);

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("HALCYON LEDGER"));
    frame.resize(1024, 720);
    frame.show();
    return application.exec();
}
