#pragma once

struct AppContext;

// Registers the forms of products and stock.
void registerStockForms(AppContext& app);
