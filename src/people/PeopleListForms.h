#pragma once

struct AppContext;

// Registers the customer lists, the employee lists and the contact log with the form registry.
void registerPeopleListForms(AppContext& app);
