#pragma once

#include "FormTest.h"
#include "SheetRuns.h"

#include <QCoreApplication>
#include <QPointer>

// A test of a report form: the sheets it writes are caught, and the form it opened can be asked
// whether it closed.
class ReportTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        if (db)
            runs = std::make_unique<SheetRuns>(*app);
    }

    bool closed() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull() || !form->isVisible();
    }

    // The one box shown since the last clear is the reports' critical "input Err.!!!", and the form stays.
    void expectInputErrorOnly(const QString& input)
    {
        ASSERT_EQ(messages.count(), 1) << input.toStdString();
        EXPECT_EQ(messages.last().text, QStringLiteral("input Err.!!!"));
        EXPECT_EQ(messages.last().flags, 16);
        EXPECT_EQ(messages.last().title, QStringLiteral("Err."));
        EXPECT_FALSE(closed());
    }

    std::unique_ptr<SheetRuns> runs;
    QPointer<QWidget> form;
};
