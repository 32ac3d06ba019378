#include "accounts/AccountsForms.h"

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
}
