#include "people/PeopleListForms.h"

#include "people/ContactLogForm.h"
#include "people/CustomerBriefList.h"
#include "people/CustomerFullList.h"
#include "people/EmployeeListForms.h"
#include "people/MilkAreaPickDialog.h"
#include "core/AppContext.h"

using namespace Qt::StringLiterals;

void registerPeopleListForms(AppContext& app)
{
    using Placement = FormRegistry::Placement;
    FormRegistry& forms = app.forms;
    forms.add(u"客戶全灠"_s, u"new bottle commission"_s, Placement::Child,
              [](AppContext& context) { return new CustomerFullList(context); });
    forms.add(u"客戶一灠"_s, u"customer"_s, Placement::TopLevel,
              [](AppContext& context) { return new CustomerBriefList(context); });
    forms.add(u"載入客戶資料"_s, u"customer data"_s, Placement::TopLevel,
              [](AppContext& context) { return new MilkAreaPickDialog(context); });
    forms.add(u"員工全灠"_s, u"employees basic data view"_s, Placement::Child,
              [](AppContext& context) { return new EmployeeFullList(context); });
    forms.add(u"顯示員工基本資料"_s, u"employees data"_s, Placement::TopLevel,
              [](AppContext& context) { return new EmployeeBriefGrid(context); });
    forms.add(u"輸入聯絡事項"_s, u"contact business"_s, Placement::Child,
              [](AppContext& context) { return new ContactLogForm(context); });
}
