#include "orders/OrdersForms.h"

#include "core/AppContext.h"

void registerOrdersForms(AppContext& app)
{
    Q_UNUSED(app);
}
