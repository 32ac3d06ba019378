#pragma once

struct AppContext;

// Registers the forms of payroll and leave.
void registerPayrollForms(AppContext& app);
