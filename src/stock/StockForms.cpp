#include "stock/StockForms.h"

#include "core/AppContext.h"
#include "stock/ExpectedShipmentsForm.h"
#include "stock/GoodsChartForm.h"
#include "stock/GoodsEntryForm.h"
#include "stock/MovementListForm.h"
#include "stock/ProductForm.h"
#include "stock/ProductOverviews.h"

void registerStockForms(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    registerProductForm(app);
    registerProductOverviews(app);
    app.forms.add(QStringLiteral("進貨表單"), QStringLiteral("goods"), Placement::Child,
                  [](AppContext& context) { return new GoodsEntryForm(context); });
    app.forms.add(QStringLiteral("進出貨一灠"), QStringLiteral("in & out goods view"), Placement::Child,
                  [](AppContext& context) { return new MovementListForm(context); });
    app.forms.add(QStringLiteral("日期出貨"), QStringLiteral("Plan Date Exit"), Placement::Child,
                  [](AppContext& context) { return new ExpectedShipmentsForm(context); });
    app.forms.add(QStringLiteral("進出貨分析"), QStringLiteral("goods analysis table"), Placement::Child,
                  [](AppContext& context) { return new GoodsChartForm(context); });
}
