#include "FormTest.h"

#include "records/RecordToolbar.h"

#include <QApplication>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// A record form as a clerk without a mouse works it: Tab to the toolbar, Space or Enter on a button,
// Alt and a letter for a button anywhere on the form, and typing into whatever box has the focus.
class KeyboardTest : public FormTest {
protected:
    // A record form, what it needs before it opens, and what the clerk types into a new record once the
    // add has put the focus into its first box.
    struct RecordForm {
        QString name;
        QString table;
        std::function<void()> prepare;
        std::function<void()> type;
    };

    static QWidget* focused() { return QApplication::focusWidget(); }

    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_NE(focused(), nullptr);
        QTest::keyClick(focused(), Qt::Key(key), modifiers);
    }

    // Tabs on until the button has the focus; false where a whole round of the form never reaches it.
    static bool tabTo(QWidget* button)
    {
        for (int presses = 0; presses < 100 && focused() != button; ++presses)
            QTest::keyClick(focused(), Qt::Key_Tab);
        return focused() == button;
    }

    // An access key clicks its button the way Qt shows it: pressed for a moment, then released.
    static bool reaches(const RecordToolbar* toolbar, RecordToolbar::State state)
    {
        return QTest::qWaitFor([&] { return toolbar->state() == state; }, 2000);
    }

    int rows(const RecordForm& record) { return db->scalar(u"select count(*) from "_s + record.table).toInt(); }
};

TEST_F(KeyboardTest, AClerkAddsSavesAndCancelsARecordWithTheKeyboardAlone)
{
    const auto typeName = [] { QTest::keyClicks(focused(), u"Keyes"_s); };
    const QList<RecordForm> forms{
        {u"客戶基本資料"_s, u"customer_data"_s, {}, typeName},
        {u"員工基本資料表"_s, u"employees_data"_s, {}, typeName},
        // An order of the customer the customer form handed over: Enter walks from the customer's code to
        // the amount, as the key navigation does.
        {u"訂單"_s, u"order_data"_s,
         [this] {
             db->exec(u"insert into customer_data (c_code, name) values (5, 'Alder')"_s);
             app->values.selected_c_code = 5;
         },
         [] {
             for (int presses = 0; presses < 3; ++presses)
                 QTest::keyClick(focused(), Qt::Key_Return);
             QTest::keyClicks(focused(), u"2"_s);
         }},
    };
    QList<RecordToolbar*> opened;
    for (const RecordForm& record : forms) {
        SCOPED_TRACE(record.name.toStdString());
        if (record.prepare)
            record.prepare();
        const int before = rows(record);
        QWidget* form = openActive(record.name);
        auto* toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
        QWidget* add = toolbar->widgetForAction(toolbar->button(5));
        opened << toolbar;

        // Tab reaches add; Space begins, the first box takes the typing, Tab goes back and Enter saves.
        ASSERT_TRUE(tabTo(add));
        press(Qt::Key_Space);
        ASSERT_EQ(toolbar->state(), RecordToolbar::State::Adding);
        record.type();
        ASSERT_TRUE(tabTo(add));
        press(Qt::Key_Return);
        EXPECT_EQ(toolbar->state(), RecordToolbar::State::Idle);
        EXPECT_EQ(rows(record), before + 1);
        EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();

        // Alt+A begins an add from anywhere on the form, Alt+C cancels it: nothing is written.
        ASSERT_EQ(toolbar->accessKey(5), u'a');
        ASSERT_EQ(toolbar->accessKey(8), u'c');
        press(Qt::Key_A, Qt::AltModifier);
        ASSERT_TRUE(reaches(toolbar, RecordToolbar::State::Adding));
        record.type();
        press(Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(reaches(toolbar, RecordToolbar::State::Idle));
        EXPECT_EQ(rows(record), before + 1);

        // The keys are the active form's only: the forms opened before stay as they were.
        for (RecordToolbar* other : std::as_const(opened))
            EXPECT_EQ(other->state(), RecordToolbar::State::Idle);
        EXPECT_EQ(toolbar->button(5)->text(), u"add"_s);
    }
}

// On the employee form the toolbar follows Exit in the tab order, before the search options.
TEST_F(KeyboardTest, TheEmployeeToolbarFollowsExitInTheTabOrder)
{
    QWidget* form = openActive(u"員工基本資料表"_s);
    auto* toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
    child<QWidget>(form, u"離開"_s)->setFocus();
    QStringList reached;
    for (int presses = 0; presses < 3; ++presses) {
        press(Qt::Key_Tab);
        reached << focused()->objectName();
    }
    EXPECT_EQ(reached, (QStringList{u"Button1"_s, u"Button2"_s, u"Button3"_s}));
    EXPECT_EQ(focused(), toolbar->tabStops().value(2));
}

// Each button's key is a letter of its caption that the frame's menus and the other buttons left free.
TEST_F(KeyboardTest, AccessKeysAreLettersOfTheCaptionsLeftFreeByTheMenus)
{
    QWidget* form = open(u"客戶基本資料"_s);
    auto* toolbar = child<RecordToolbar>(form, u"Toolbar1"_s);
    QString keys;
    for (int index = 1; toolbar->button(index); ++index)
        keys += toolbar->accessKey(index);
    // first previous next last add del modify cannel update "all view"
    EXPECT_EQ(keys, u"ipnladmcue"_s);
}

} // namespace
