#include "people/PeopleForms.h"

#include "people/CustomerForm.h"
#include "core/AppContext.h"

void registerPeopleForms(AppContext& app)
{
    app.forms.add(QStringLiteral("客戶基本資料"), QStringLiteral("客戶基本資料"), FormRegistry::Placement::Child,
                  [](AppContext& context) { return new CustomerForm(context); });
}
