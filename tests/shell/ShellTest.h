#pragma once

#include "FormTest.h"

#include <QApplication>
#include <QList>
#include <QTest>

// Forms of the shell, with the end of the process recorded instead of carried out.
class ShellTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        app->endProcess = [this](int status) { endStatuses << status; };
    }

    bool isOpen(const QString& formName)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return app->forms.instance(formName) != nullptr;
    }

    // Shows a window and waits until it is the active one, so key presses and focus behave as on a desktop.
    static void activate(QWidget* window)
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    QList<int> endStatuses; // each call of endProcess
};
