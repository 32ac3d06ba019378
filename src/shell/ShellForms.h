#pragma once

struct AppContext;

// Registers the forms of the shell (start-up, login, frame, main menu page, settings, about box and
// calendar) and makes the frame the home of every child window.
void registerShellForms(AppContext& app);
