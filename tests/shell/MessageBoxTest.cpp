#include "ShellTest.h"

#include "shell/DesktopMessageService.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

namespace {

using namespace Qt::StringLiterals;

class MessageBoxTest : public ShellTest {};

// A window closed and deleted while one of its boxes is open takes the box with it; the program goes on
// and the question counts as unanswered.
TEST_F(MessageBoxTest, WindowDeletedUnderAnOpenBoxDoesNotEndTheProgram)
{
    DesktopMessageService desktop;
    QPointer<QWidget> window = open(u"About"_s);
    activate(window);
    window->setFocus();
    QTimer::singleShot(0, [&] {
        ASSERT_NE(QApplication::activeModalWidget(), nullptr) << "the box is up";
        delete window.data();
    });
    EXPECT_EQ(desktop.msgBox(u"Delete the data???"_s, 52, u"del"_s), MessageService::No);
    EXPECT_TRUE(window.isNull());
}

TEST_F(MessageBoxTest, TitleBarsReadExactlyTheCaptions)
{
    for (const auto& [form, caption] : {std::pair{u"登入"_s, u"enter"_s}, std::pair{u"About"_s, u"ABOUT APPLICATION"_s}}) {
        QWidget* window = open(form);
        activate(window);
        ASSERT_NE(window->windowHandle(), nullptr);
        EXPECT_EQ(window->windowHandle()->title(), caption);
    }

    DesktopMessageService desktop;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowHandle()->title(), u"Exit"_s);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(desktop.msgBox(u"Exit the program?"_s, 52, u"Exit"_s), MessageService::Yes);
}

} // namespace
