#include "accounts/AccountsForms.h"

#include "accounts/AccountEnquiryDialog.h"
#include "accounts/CashChartForm.h"
#include "accounts/CashJournalForm.h"
#include "accounts/CustomerCountChartForm.h"
#include "accounts/DailyReportDialog.h"
#include "accounts/InvoiceListingDialog.h"
#include "accounts/JournalOverviewForm.h"
#include "accounts/PaymentReminderForm.h"
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
    app.forms.add(u"載入日計報表"_s, u"daily count form"_s, Placement::TopLevel,
                  [](AppContext& context) { return new DailyReportDialog(context); });
    app.forms.add(u"載入發票明細"_s, u"invoice customer detailed"_s, Placement::TopLevel,
                  [](AppContext& context) { return new InvoiceListingDialog(context); });
    app.forms.add(u"提示繳款名單"_s, u"prompt pay"_s, Placement::Child,
                  [](AppContext& context) { return new PaymentReminderForm(context); });
    app.forms.add(u"客戶帳款查詢"_s, u"customer money inquire"_s, Placement::TopLevel,
                  [](AppContext& context) { return new AccountEnquiryDialog(context); });
}
