#pragma once

struct AppContext;

// Registers the forms of accounts, billing and reports.
void registerAccountsForms(AppContext& app);
