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

    QList<int> endStatuses; // each call of endProcess
};
