#include "shell/ShellForms.h"

#include "shell/AboutDialog.h"
#include "core/AppContext.h"
#include "shell/CalendarWindow.h"
#include "shell/CompanyForm.h"
#include "shell/LoginDialog.h"
#include "shell/MainFrame.h"
#include "shell/MainMenuPage.h"
#include "shell/MilkExpenseForm.h"
#include "shell/OtherSettingsForm.h"
#include "shell/SplashWindow.h"
#include "shell/UnlockDialog.h"
#include "shell/WindowPlacement.h"

#include <QMdiArea>

using namespace Qt::StringLiterals;

namespace {

template <class Form>
QWidget* create(AppContext& app)
{
    return new Form(app);
}

const QString frameName = u"MDIForm1"_s;

} // namespace

void registerShellForms(AppContext& app)
{
    using enum FormRegistry::Placement;
    FormRegistry& forms = app.forms;
    forms.add(u"frmSplash"_s, {}, TopLevel, create<SplashWindow>);
    forms.add(u"登入"_s, u"enter"_s, TopLevel, create<LoginDialog>);
    forms.add(u"解鎖"_s, u"unlock"_s, TopLevel, create<UnlockDialog>);
    forms.add(frameName, u"HALCYON LEDGER"_s, TopLevel, create<MainFrame>);
    forms.add(u"主選單"_s, u"MAIN"_s, Child, create<MainMenuPage>);
    forms.add(u"公司"_s, {}, Child, create<CompanyForm>);
    forms.add(u"奶區費區"_s, u"stable milk expenses"_s, Child, create<MilkExpenseForm>);
    forms.add(u"其它設定"_s, u"其它設定"_s, Child, create<OtherSettingsForm>);
    forms.add(u"About"_s, u"ABOUT APPLICATION"_s, TopLevel, create<AboutDialog>);
    forms.add(u"萬年曆表"_s, u"thousand year calendar"_s, TopLevel, create<CalendarWindow>);

    // A child window brings up the frame first; an open frame is left as the clerk arranged it.
    forms.setChildHost([&app] {
        auto* frame = qobject_cast<MainFrame*>(app.forms.instance(frameName));
        if (!frame)
            frame = qobject_cast<MainFrame*>(OpenFormCommand(app)(frameName));
        return frame->workspace();
    });
    // A window of its own opens over the frame's workspace, not in a corner of the screen over the menus.
    forms.setTopLevelPlacement([&app](QWidget* window) {
        const auto* frame = qobject_cast<MainFrame*>(app.forms.instance(frameName));
        if (frame && frame->isVisible() && window != frame)
            centerOverArea(window, frame->workspace());
    });
}
