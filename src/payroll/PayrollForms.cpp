#include "payroll/PayrollForms.h"

#include "core/AppContext.h"

void registerPayrollForms(AppContext& app)
{
    Q_UNUSED(app);
}
