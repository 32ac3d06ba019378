#include "payroll/PayrollForms.h"

#include "core/AppContext.h"
#include "payroll/CommissionRatesForm.h"
#include "payroll/LeaveForm.h"
#include "payroll/LostBottleReportDialog.h"
#include "payroll/PayDetailForm.h"
#include "payroll/PaySlipDialog.h"
#include "payroll/SalaryItemsForm.h"
#include "payroll/SettlementForm.h"

using namespace Qt::StringLiterals;

void registerPayrollForms(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    app.forms.add(u"薪資結算表單"_s, u"salary balance"_s, Placement::Child,
                  [](AppContext& context) { return new SettlementForm(context); });
    app.forms.add(u"薪資明細表單"_s, u"salary view"_s, Placement::Child,
                  [](AppContext& context) { return new PayDetailForm(context); });
    app.forms.add(u"抽成"_s, u"commission table"_s, Placement::Child,
                  [](AppContext& context) { return new CommissionRatesForm(context); });
    app.forms.add(u"載入應收帳款扣薪明細表"_s, u"promise detailed"_s, Placement::TopLevel,
                  [](AppContext& context) { return new LostBottleReportDialog(context); });
    app.forms.add(u"載入員工薪資"_s, u"employees salary"_s, Placement::TopLevel,
                  [](AppContext& context) { return new PaySlipDialog(context); });
    app.forms.add(u"薪資資料"_s, u" salary data"_s, Placement::Child,
                  [](AppContext& context) { return new SalaryItemsForm(context); });
    app.forms.add(u"差假表單"_s, u"leave"_s, Placement::Child, [](AppContext& context) { return new LeaveForm(context); });
}
