#include "stock/StockForms.h"

#include "core/AppContext.h"
#include "stock/ProductForm.h"
#include "stock/ProductOverviews.h"

void registerStockForms(AppContext& app)
{
    registerProductForm(app);
    registerProductOverviews(app);
}
