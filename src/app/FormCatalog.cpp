#include "app/FormCatalog.h"

#include "people/EmployeeForm.h"
#include "people/PeopleForms.h"
#include "people/PeopleListForms.h"
#include "core/AppContext.h"
#include "shell/ShellForms.h"

void registerForms(AppContext& app)
{
    registerShellForms(app);
    registerPeopleListForms(app);
    registerPeopleForms(app);
    registerEmployeeForm(app);
}
