#include "accounts/AccountsForms.h"

#include "accounts/AccountEnquiryDialog.h"
#include "accounts/DailyReportDialog.h"
#include "accounts/InvoiceListingDialog.h"
#include "accounts/PaymentReminderForm.h"
#include "accounts/CashJournalForm.h"
#include "accounts/JournalOverviewForm.h"
#include "core/AppContext.h"

using namespace Qt::StringLiterals;

void registerAccountsForms(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    app.forms.add(u"流水帳明細表"_s, u"流水帳明細表"_s, Placement::Child,
                  [](AppContext& context) { return new CashJournalForm(context); });
    app.forms.add(u"流水帳明細全灠"_s, u"turnover careful all view"_s, Placement::Child,
                  [](AppContext& context) { return new JournalOverviewForm(context); });
    app.forms.add(u"載入日計報表"_s, u"daily count form"_s, Placement::TopLevel,
                  [](AppContext& context) { return new DailyReportDialog(context); });
    app.forms.add(u"載入發票明細"_s, u"invoice customer detailed"_s, Placement::TopLevel,
                  [](AppContext& context) { return new InvoiceListingDialog(context); });
    app.forms.add(u"提示繳款名單"_s, u"prompt pay"_s, Placement::Child,
                  [](AppContext& context) { return new PaymentReminderForm(context); });
    app.forms.add(u"客戶帳款查詢"_s, u"customer money inquire"_s, Placement::TopLevel,
                  [](AppContext& context) { return new AccountEnquiryDialog(context); });
}
