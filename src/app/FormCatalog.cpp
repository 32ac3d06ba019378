#include "app/FormCatalog.h"

#include "accounts/AccountsForms.h"
#include "core/AppContext.h"
#include "orders/OrdersForms.h"
#include "payroll/PayrollForms.h"
#include "people/EmployeeForm.h"
#include "people/PeopleForms.h"
#include "people/PeopleListForms.h"
#include "shell/ShellForms.h"
#include "stock/StockForms.h"

void registerForms(AppContext& app)
{
    registerShellForms(app);
    registerPeopleListForms(app);
    registerPeopleForms(app);
    registerEmployeeForm(app);
    registerStockForms(app);
    registerOrdersForms(app);
    registerPayrollForms(app);
    registerAccountsForms(app);
}
