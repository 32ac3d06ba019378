#pragma once

#include <QString>

struct AppContext;

// What every launcher of the shell (menu item, main-menu button) does when clicked: opens the form
// with OpenFormCommand. A form that fails to load is reported, so no exception leaves the click.
void launchForm(AppContext& app, const QString& formName);
