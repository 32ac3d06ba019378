#pragma once

#include "ScriptedMessageService.h"
#include "TestDatabase.h"
#include "core/AppContext.h"

#include <QWidget>

class QLineEdit;
class RecordToolbar;
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

// A test of forms through their real widgets: a fresh database with the schema (SQLite unless the test
// asks for the server), the scripted message service, a clock fixed on 2026/12/8 and every form of the
// program registered.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a form with OpenFormCommand, as a launcher does.
    QWidget* open(const QString& formName);
    // Opens a form and waits until its window is the active one, so keys and focus behave as on a desktop.
    QWidget* openActive(const QString& formName);
    // Shows a window and waits until it is the active one.
    static void activate(QWidget* window);

    // Clicks button `index` (1-based) of a record form's toolbar, as the clerk does.
    static void clickTool(RecordToolbar* toolbar, int index);
    // Types `text` over the whole text of a box.
    static void typeOver(QLineEdit* box, const QString& text);

    // A control of the form by its name. A missing one fails the test and ends it there (the exception
    // is caught by the test runner), rather than crashing the run on a null pointer.
    template <class T = QWidget>
    static T* child(QObject* form, const QString& name)
    {
        T* found = form ? form->findChild<T*>(name) : nullptr;
        if (!found)
            throw MissingControl(name);
        return found;
    }

    struct MissingControl : std::runtime_error {
        explicit MissingControl(const QString& name)
            : std::runtime_error("no control named " + name.toStdString()) {}
    };

    // The database the forms work on; a test of the server database sets PostgreSQL in its constructor
    // and is skipped where no server runs.
    Backend backend = Backend::SQLite;
    std::unique_ptr<Database> db;
    ScriptedMessageService messages;
    FixedClock clock{QDate(2026, 12, 8)};
    std::unique_ptr<AppContext> app;
};
