#include "stock/StockForms.h"

#include "core/AppContext.h"

void registerStockForms(AppContext& app)
{
    Q_UNUSED(app);
}
