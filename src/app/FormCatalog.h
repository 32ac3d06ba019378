#pragma once

struct AppContext;

// Registers every form of the program with the context's form registry, under its name.
void registerForms(AppContext& app);
