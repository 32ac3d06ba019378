#pragma once

struct AppContext;

// Registers the forms of the customers and employees.
void registerPeopleForms(AppContext& app);
