#include "payroll/PayrollForms.h"

#include "core/AppContext.h"
#include "payroll/SettlementForm.h"

using namespace Qt::StringLiterals;

void registerPayrollForms(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    app.forms.add(u"薪資結算表單"_s, u"salary balance"_s, Placement::Child,
                  [](AppContext& context) { return new SettlementForm(context); });
}
