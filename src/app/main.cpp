#include "app/FormCatalog.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "core/AppContext.h"
#include "shell/DeleteWindows.h"
#include "shell/DesktopMessageService.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <exception>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"halcyon-ledger"_s);
    // Only the frame's own caption names the program: Qt would add a display name to every title.
    // Outside a desktop session no icon theme is set; the toolbar's cut, copy and paste come from here then.
    // It must be named before the first icon is looked up, which settles the theme for good.
    QIcon::setFallbackThemeName(u"Adwaita"_s);
    QApplication::setWindowIcon(application.style()->standardIcon(QStyle::SP_ComputerIcon));

    DesktopMessageService messages;
    std::unique_ptr<Database> db;
    try {
        db = Schema::openBooks();
    } catch (const DataError& error) {
        messages.msgBox(error.message(), MessageService::Critical, MessageService::ProgramTitle,
                        error.detailBesidesMessage());
        return 1;
    } catch (const std::exception& error) {
        messages.msgBox(QString::fromUtf8(error.what()), MessageService::Critical, MessageService::ProgramTitle);
        return 1;
    }
    if (const QStringList unreadable = Schema::unreadableTables(*db); !unreadable.isEmpty())
        messages.msgBox(u"These tables of the books cannot be read: %1. The program opens, but what they hold "
                         "cannot be shown or changed; restore the books from a copy."_s.arg(unreadable.join(u", "_s)),
                        MessageService::Critical, MessageService::ProgramTitle);
    if (db->isReadOnly())
        messages.msgBox(u"The books %1 are read-only for this account: they can be read, but nothing can be saved."_s
                            .arg(db->location()),
                        MessageService::Exclamation, MessageService::ProgramTitle);

    Clock clock;
    AppContext app(*db, messages, clock);
    registerForms(app);

    OpenFormCommand{app}(u"frmSplash"_s);
    const int status = application.exec();

    // Whatever windows are left (the frame after a confirmed CLOSE, a hidden dialog) go before the
    // database they read; none of them is asked to close.
    deleteAllWindows();
    return status;
}
