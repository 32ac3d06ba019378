#include "shell/FormLauncher.h"

#include "shell/AppContext.h"
#include "shell/MessageService.h"

#include <exception>

void launchForm(AppContext& app, const QString& formName)
{
    try {
        OpenFormCommand{app}(formName);
    } catch (const std::exception& error) {
        app.messages.msgBox(QString::fromUtf8(error.what()), MessageService::Critical, QStringLiteral("Err."));
    }
}
