#include "accounts/AccountsForms.h"

#include "core/AppContext.h"

void registerAccountsForms(AppContext& app)
{
    Q_UNUSED(app);
}
