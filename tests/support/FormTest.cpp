#include "FormTest.h"

#include "app/FormCatalog.h"
#include "records/RecordToolbar.h"
#include "shell/DeleteWindows.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

void FormTest::SetUp()
{
    if (backend == Backend::PostgreSQL && !postgresAvailable())
        GTEST_SKIP() << "HALCYON_TEST_PG is not set: no PostgreSQL server for this run";
    db = openTestDatabase(backend);
    app = std::make_unique<AppContext>(*db, messages, clock);
    registerForms(*app);
}

void FormTest::TearDown()
{
    deleteAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app.reset();
    db.reset();
}

QWidget* FormTest::open(const QString& formName)
{
    QWidget* form = OpenFormCommand(*app)(formName);
    if (!form)
        throw MissingControl(formName);
    return form;
}

QWidget* FormTest::openActive(const QString& formName)
{
    QWidget* form = open(formName);
    activate(form->window());
    return form;
}

void FormTest::activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void FormTest::clickTool(RecordToolbar* toolbar, int index)
{
    QTest::mouseClick(toolbar->widgetForAction(toolbar->button(index)), Qt::LeftButton);
}

void FormTest::typeOver(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}
