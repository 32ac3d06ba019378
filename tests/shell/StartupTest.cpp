#include "ShellTest.h"

#include "shell/UnlockDialog.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

using namespace Qt::StringLiterals;

// The splash's ticks, driven by the test rather than waited for.
void tick(QWidget* splash, int times)
{
    auto* timer = splash->findChild<QTimer*>(u"Timer1"_s);
    ASSERT_NE(timer, nullptr);
    for (int i = 0; i < times && timer->isActive(); ++i)
        QMetaObject::invokeMethod(timer, "timeout");
}

class StartupTest : public ShellTest {
protected:
    // Types an entry into the open login and presses Enter.
    void enterPassword(const QString& entry)
    {
        auto* box = child<QLineEdit>(app->forms.instance(u"登入"_s), u"text1"_s);
        QTest::keyClicks(box, entry);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QString statusBarUser()
    {
        auto* frame = app->forms.instance(u"MDIForm1"_s);
        return frame ? child<QLabel>(frame, u"Panel2"_s)->text() : QString();
    }
};

TEST_F(StartupTest, SplashGivesWayToTheLoginAfterItsTicks)
{
    QWidget* splash = open(u"frmSplash"_s);
    tick(splash, 99);
    EXPECT_FALSE(isOpen(u"登入"_s));

    tick(splash, 1);
    EXPECT_TRUE(isOpen(u"登入"_s));
    EXPECT_FALSE(isOpen(u"frmSplash"_s));
    EXPECT_TRUE(endStatuses.isEmpty());
}

TEST_F(StartupTest, KeyOrClickOnTheSplashEndsTheProcessBeforeTheLogin)
{
    QWidget* splash = open(u"frmSplash"_s);
    // Keys that type nothing and other mouse buttons leave it ticking.
    QTest::keyClick(splash, Qt::Key_Shift);
    QTest::keyClick(splash, Qt::Key_Tab, Qt::AltModifier);
    QTest::keyClick(splash, Qt::Key_Left);
    QTest::mouseClick(child<QFrame>(splash, u"Frame1"_s), Qt::RightButton);
    EXPECT_TRUE(endStatuses.isEmpty());
    EXPECT_TRUE(isOpen(u"frmSplash"_s));

    auto* timer = child<QTimer>(splash, u"Timer1"_s);
    QTest::keyClick(splash, Qt::Key_Space);
    EXPECT_EQ(endStatuses, QList<int>{0});
    EXPECT_FALSE(timer->isActive()) << "the login never comes";
    EXPECT_FALSE(isOpen(u"frmSplash"_s));
    EXPECT_FALSE(isOpen(u"登入"_s));

    splash = open(u"frmSplash"_s);
    QTest::mouseClick(child<QFrame>(splash, u"Frame1"_s), Qt::LeftButton);
    EXPECT_EQ(endStatuses, (QList<int>{0, 0}));
    EXPECT_FALSE(isOpen(u"frmSplash"_s));
}

TEST_F(StartupTest, AdministratorPasswordOpensTheMainMenuInTheFrame)
{
    open(u"登入"_s);
    enterPassword(u"7305"_s);

    EXPECT_EQ(app->values.user_name, u"Corvinhale"_s);
    EXPECT_FALSE(isOpen(u"登入"_s));
    EXPECT_TRUE(isOpen(u"主選單"_s));
    EXPECT_EQ(statusBarUser(), u"Corvinhale"_s);
    EXPECT_EQ(app->values.work_date, QDate(2026, 12, 8)) << "the main menu page sets the working date";
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(endStatuses.isEmpty());
}

TEST_F(StartupTest, EmptyAndBlankPaddedEntriesAreWrongButTheThirdTryStillCounts)
{
    QWidget* login = open(u"登入"_s);
    auto* box = child<QLineEdit>(login, u"text1"_s);
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);

    enterPassword(QString());
    EXPECT_EQ(messages.last().text, u"Password Err,Try again!"_s);
    EXPECT_EQ(messages.last().flags, 48);
    EXPECT_EQ(messages.last().title, u"Login"_s);

    enterPassword(u" 6048"_s);
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().text, u"Password Err,Try again!"_s);
    EXPECT_TRUE(box->text().isEmpty()) << "a wrong entry is cleared";

    enterPassword(u"6048"_s);
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(app->values.user_name, u"Guest"_s);
    EXPECT_EQ(statusBarUser(), u"Guest"_s);
    EXPECT_TRUE(endStatuses.isEmpty());
}

TEST_F(StartupTest, ThirdWrongPasswordEndsTheProcess)
{
    open(u"登入"_s);
    enterPassword(u"1234"_s);
    enterPassword(u"7305 "_s);
    EXPECT_TRUE(endStatuses.isEmpty());
    enterPassword(u"73O5"_s);

    ASSERT_EQ(messages.count(), 3);
    EXPECT_EQ(messages.last().text, u"Exit Login ?"_s);
    EXPECT_EQ(messages.last().flags, 48);
    EXPECT_EQ(messages.last().title, u"Login"_s);
    EXPECT_EQ(endStatuses, QList<int>{0});
    EXPECT_FALSE(isOpen(u"登入"_s));
    EXPECT_FALSE(isOpen(u"主選單"_s));
    EXPECT_TRUE(app->values.user_name.isEmpty());
}

TEST_F(StartupTest, CancelOrEscapeEndsTheProcess)
{
    QWidget* login = open(u"登入"_s);
    QTest::mouseClick(child<QPushButton>(login, u"cmdCancel"_s), Qt::LeftButton);
    EXPECT_EQ(endStatuses, QList<int>{0});
    EXPECT_FALSE(isOpen(u"登入"_s));

    login = open(u"登入"_s);
    QTest::keyClick(child<QLineEdit>(login, u"text1"_s), Qt::Key_Escape);
    EXPECT_EQ(endStatuses, (QList<int>{0, 0}));
    EXPECT_FALSE(isOpen(u"登入"_s));
    EXPECT_FALSE(isOpen(u"主選單"_s));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(StartupTest, UnlockAcceptsOnlyTheAdministratorAndAllowsAnyNumberOfTries)
{
    auto* unlock = qobject_cast<UnlockDialog*>(open(u"解鎖"_s));
    ASSERT_NE(unlock, nullptr);
    auto* box = child<QLineEdit>(unlock, u"txtPassword"_s);
    for (const QString& wrong : {u"6048"_s, u"0000"_s, u"7305 "_s, u"7"_s}) {
        box->clear();
        QTest::keyClicks(box, wrong);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(messages.last().text, u"password Err.!"_s);
        EXPECT_EQ(messages.last().flags, 0);
        EXPECT_EQ(messages.last().title, u"login"_s);
        EXPECT_TRUE(unlock->isVisible());
        EXPECT_EQ(box->selectedText(), wrong) << "the whole entry is selected for the next try";
    }
    EXPECT_EQ(messages.count(), 4);

    box->clear();
    QTest::keyClicks(box, u"7305"_s);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(unlock->unlocked());
    EXPECT_FALSE(unlock->isVisible());
    EXPECT_TRUE(isOpen(u"解鎖"_s)) << "hidden, not closed: its answer can still be read";

    open(u"解鎖"_s);
    QTest::mouseClick(child<QPushButton>(unlock, u"cmdCancel"_s), Qt::LeftButton);
    EXPECT_FALSE(unlock->unlocked());
    EXPECT_FALSE(unlock->isVisible());
    EXPECT_TRUE(endStatuses.isEmpty());
}

} // namespace
