#include "accounts/AccountsForms.h"

#include "accounts/CashChartForm.h"
#include "accounts/CashJournalForm.h"
#include "accounts/CustomerCountChartForm.h"
#include "accounts/JournalOverviewForm.h"
#include "accounts/SalesChartForm.h"
#include "core/AppContext.h"

using namespace Qt::StringLiterals;

void registerAccountsForms(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    app.forms.add(u"流水帳明細表"_s, u"流水帳明細表"_s, Placement::Child,
                  [](AppContext& context) { return new CashJournalForm(context); });
    app.forms.add(u"流水帳明細全灠"_s, u"turnover careful all view"_s, Placement::Child,
                  [](AppContext& context) { return new JournalOverviewForm(context); });
    app.forms.add(u"流水帳圖表"_s, u"流水帳圖表"_s, Placement::Child,
                  [](AppContext& context) { return new CashChartForm(context); });
    app.forms.add(u"客戶數量圖表"_s, u"customer amount chart"_s, Placement::Child,
                  [](AppContext& context) { return new CustomerCountChartForm(context); });
    app.forms.add(u"業務圖表"_s, u"business chart"_s, Placement::Child,
                  [](AppContext& context) { return new SalesChartForm(context); });
}
