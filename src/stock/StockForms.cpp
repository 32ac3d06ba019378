#include "stock/StockForms.h"

#include "core/AppContext.h"
#include "stock/GoodsChartForm.h"
#include "stock/ProductForm.h"
#include "stock/ProductOverviews.h"

void registerStockForms(AppContext& app)
{
    registerProductForm(app);
    registerProductOverviews(app);
    app.forms.add(QStringLiteral("進出貨分析"), QStringLiteral("goods analysis table"), FormRegistry::Placement::Child,
                  [](AppContext& context) { return new GoodsChartForm(context); });
}
