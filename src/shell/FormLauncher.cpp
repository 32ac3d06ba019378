#include "shell/FormLauncher.h"

#include "core/AppContext.h"
#include "records/RunGuarded.h"

void launchForm(AppContext& app, const QString& formName)
{
    runGuarded(app.messages, [&] { OpenFormCommand{app}(formName); });
}
