#pragma once

struct AppContext;

// Registers the forms of subscriptions, orders and deliveries.
void registerOrdersForms(AppContext& app);
