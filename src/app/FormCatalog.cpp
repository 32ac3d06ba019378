#include "app/FormCatalog.h"

#include "shell/AppContext.h"

void registerForms(AppContext& app)
{
    Q_UNUSED(app);
}
