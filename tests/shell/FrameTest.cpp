#include "ShellTest.h"

#include "data/TextRules.h"
#include "shell/MainFrame.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

using namespace Qt::StringLiterals;

// A child form with two boxes, standing in for a record form.
class BoxesForm : public QWidget {
public:
    explicit BoxesForm(AppContext&)
    {
        auto* layout = new QVBoxLayout(this);
        for (const QString& name : {u"Text1"_s, u"Text2"_s}) {
            auto* box = new QLineEdit(this);
            box->setObjectName(name);
            layout->addWidget(box);
        }
    }
};

QWidget* createBoxesForm(AppContext& app)
{
    return new BoxesForm(app);
}

class FrameTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        app->forms.add(u"甲"_s, u"first"_s, FormRegistry::Placement::Child, createBoxesForm);
        app->forms.add(u"乙"_s, u"second"_s, FormRegistry::Placement::Child, createBoxesForm);
    }

    MainFrame* frame() { return qobject_cast<MainFrame*>(app->forms.instance(u"MDIForm1"_s)); }
    QAction* action(const QString& name) { return frame()->findChild<QAction*>(name); }
    QList<QMdiSubWindow*> children() { return frame()->workspace()->subWindowList(); }
    QMdiSubWindow* current() { return frame()->workspace()->currentSubWindow(); }
};

TEST_F(FrameTest, ChildFormBringsUpTheFrameWithItsMenusAndStatusBar)
{
    app->values.user_name = u"Guest"_s;
    QWidget* menuPage = open(u"主選單"_s);
    ASSERT_NE(frame(), nullptr);
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_EQ(frame()->windowTitle(), u"HALCYON LEDGER"_s);
    EXPECT_EQ(menuPage->parentWidget(), current());

    const QList<std::pair<QString, QString>> items{
        {u"開啟"_s, u"Ctrl+A"_s}, {u"離開"_s, u"Ctrl+Q"_s}, {u"萬年曆"_s, u"Ctrl+Y"_s}, {u"計算機"_s, u"Ctrl+O"_s},
        {u"客戶資料"_s, QString()}, {u"密碼設定"_s, QString()}, {u"關於這個程式"_s, QString()}};
    for (const auto& [name, shortcut] : items) {
        ASSERT_NE(action(name), nullptr) << name.toStdString();
        EXPECT_EQ(action(name)->shortcut().toString(), shortcut) << name.toStdString();
    }
    EXPECT_EQ(action(u"客戶資料"_s)->text(), u"CUSTMER"_s);

    QStringList panels;
    for (int panel = 1; panel <= 5; ++panel)
        panels << child<QLabel>(frame(), u"Panel%1"_s.arg(panel))->text();
    EXPECT_EQ(panels, (QStringList{u"使用者"_s, u"Guest"_s, u"INS"_s, u"NUM"_s, u"SCRL"_s}));
    EXPECT_EQ(child<QLabel>(frame(), u"Panel7"_s)->text(), TextRules::dateText(QDate::currentDate()));
}

TEST_F(FrameTest, MainWhileOpenBringsTheOneMenuPageForward)
{
    QWidget* menuPage = open(u"主選單"_s);
    open(u"公司"_s);
    ASSERT_EQ(children().size(), 2);
    ASSERT_NE(current()->widget(), menuPage);

    action(u"開啟"_s)->trigger();
    EXPECT_EQ(children().size(), 2);
    EXPECT_EQ(app->forms.instance(u"主選單"_s), menuPage);
    EXPECT_EQ(current()->widget(), menuPage);
}

TEST_F(FrameTest, CtrlAInATextBoxOpensMain)
{
    QWidget* menuPage = open(u"主選單"_s);
    QWidget* boxes = open(u"甲"_s);
    activate(frame());
    auto* box = child<QLineEdit>(boxes, u"Text1"_s);
    box->setFocus();
    ASSERT_EQ(current()->widget(), boxes);

    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(current()->widget(), menuPage);
}

// On a 1024x768 screen the frame, its border and title bar included, stays on the screen, and the lists
// that are windows of their own open over its workspace. The test runs itself again on such a screen.
TEST_F(FrameTest, OnA1024By768ScreenTheFrameFitsAndListsOpenOverItsWorkspace)
{
    const QSize small(1024, 768);
    if (QGuiApplication::primaryScreen()->size() != small) {
        QTemporaryDir folder;
        QFile config(folder.filePath(u"screen.json"_s));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1024, "height": 768}]})");
        config.close();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        QProcess again;
        again.setProcessChannelMode(QProcess::ForwardedChannels);
        again.start(QCoreApplication::applicationFilePath(),
                    {u"-platform"_s, u"offscreen:configfile="_s + config.fileName(),
                     u"--gtest_filter=%1.%2"_s.arg(QString::fromLatin1(test->test_suite_name()),
                                                   QString::fromLatin1(test->name()))});
        ASSERT_TRUE(again.waitForFinished(60000));
        EXPECT_EQ(again.exitCode(), 0) << "on a 1024x768 screen";
        return;
    }

    open(u"主選單"_s);
    activate(frame());
    const QRect screen = frame()->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(frame()->frameGeometry()))
        << frame()->frameGeometry().width() << "x" << frame()->frameGeometry().height();
    auto* statusBar = frame()->statusBar();
    EXPECT_TRUE(screen.contains(QRect(statusBar->mapToGlobal(QPoint()), statusBar->size())));

    const QRect workspace(frame()->workspace()->mapToGlobal(QPoint()), frame()->workspace()->size());
    for (const QString& list : {u"輪送方式一灠"_s, u"產品一灠"_s, u"客戶一灠"_s, u"顯示員工基本資料"_s}) {
        QWidget* window = open(list);
        ASSERT_TRUE(window->isWindow()) << list.toStdString();
        EXPECT_TRUE(workspace.contains(window->frameGeometry())) << list.toStdString() << " at "
            << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
            << window->frameGeometry().width() << "x" << window->frameGeometry().height();
        EXPECT_TRUE(screen.contains(window->frameGeometry())) << list.toStdString();
    }
}

TEST_F(FrameTest, PasswordItemDoesNothing)
{
    open(u"主選單"_s);
    ASSERT_TRUE(action(u"密碼設定"_s)->isEnabled());
    action(u"密碼設定"_s)->trigger();
    EXPECT_EQ(children().size(), 1);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(endStatuses.isEmpty());
}

TEST_F(FrameTest, CloseAsksAndEndsTheProcessOnlyOnYes)
{
    open(u"主選單"_s);
    QWidget* boxes = open(u"甲"_s);
    QTest::keyClicks(child<QLineEdit>(boxes, u"Text1"_s), u"unsaved"_s);

    messages.answer(MessageService::No);
    action(u"離開"_s)->trigger();
    EXPECT_EQ(messages.last().text, u"Exit the program?"_s);
    EXPECT_EQ(messages.last().flags, 52);
    EXPECT_EQ(messages.last().title, u"Exit"_s);
    EXPECT_TRUE(endStatuses.isEmpty());
    EXPECT_EQ(children().size(), 2);
    EXPECT_EQ(child<QLineEdit>(boxes, u"Text1"_s)->text(), u"unsaved"_s);

    messages.answer(MessageService::Yes);
    action(u"離開"_s)->trigger();
    EXPECT_EQ(endStatuses, QList<int>{0});
    EXPECT_EQ(messages.count(), 2);
}

TEST_F(FrameTest, ClosingTheFrameClosesItsChildrenWithoutAQuestion)
{
    open(u"主選單"_s);
    open(u"公司"_s);
    frame()->close();
    EXPECT_FALSE(isOpen(u"MDIForm1"_s));
    EXPECT_FALSE(isOpen(u"主選單"_s));
    EXPECT_FALSE(isOpen(u"公司"_s));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(endStatuses.isEmpty()) << "the process ends by itself once no window is left";
}

TEST_F(FrameTest, CutCopyAndPasteActOnTheFocusedBoxOfTheActiveChild)
{
    QWidget* first = open(u"甲"_s);
    QWidget* second = open(u"乙"_s);
    activate(frame());
    auto* firstBox = child<QLineEdit>(first, u"Text1"_s);
    auto* source = child<QLineEdit>(second, u"Text1"_s);
    auto* target = child<QLineEdit>(second, u"Text2"_s);
    firstBox->setText(u"left alone"_s);
    firstBox->selectAll();
    ASSERT_EQ(current()->widget(), second);

    source->setFocus();
    QTest::keyClicks(source, u"milk 2"_s);
    source->selectAll();
    auto* toolbar = child<QToolBar>(frame(), u"Toolbar1"_s);
    ASSERT_EQ(toolbar->actions().size(), 3);
    EXPECT_EQ(toolbar->actions().at(0)->toolTip(), u"剪下"_s);
    toolbar->actions().at(0)->trigger(); // cut
    EXPECT_TRUE(source->text().isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), u"milk 2"_s);

    target->setFocus();
    action(u"貼上"_s)->trigger();
    EXPECT_EQ(target->text(), u"milk 2"_s);
    target->setSelection(0, 4);
    toolbar->actions().at(1)->trigger(); // copy
    toolbar->actions().at(2)->trigger(); // paste over the selection
    EXPECT_EQ(target->text(), u"milk 2"_s);
    EXPECT_EQ(QApplication::clipboard()->text(), u"milk"_s);
    EXPECT_EQ(firstBox->text(), u"left alone"_s) << "a box of another child window is not touched";
}

TEST_F(FrameTest, InsertPanelFollowsTheInsertKey)
{
    QWidget* boxes = open(u"甲"_s);
    activate(frame());
    auto* box = child<QLineEdit>(boxes, u"Text1"_s);
    box->setFocus();
    auto* insert = child<QLabel>(frame(), u"Panel3"_s);
    EXPECT_FALSE(insert->isEnabled());
    QTest::keyClick(box, Qt::Key_Insert);
    EXPECT_TRUE(insert->isEnabled());
    QTest::keyClick(box, Qt::Key_Insert);
    EXPECT_FALSE(insert->isEnabled());
}

TEST_F(FrameTest, ViewMenuReachesTheFormsNoLauncherOpens)
{
    open(u"主選單"_s);
    auto* view = frame()->findChild<QMenu*>(u"檢視"_s);
    ASSERT_NE(view, nullptr);
    QStringList captions;
    for (QAction* item : view->actions()) {
        if (item->isSeparator())
            continue;
        captions << item->text();
        if (captions.size() > 3) {
            EXPECT_EQ(item->isEnabled(), app->forms.contains(item->objectName())) << item->objectName().toStdString();
        }
    }
    EXPECT_EQ(captions.mid(0, 4), (QStringList{u"CUT"_s, u"COPY"_s, u"PASTE"_s, u"unlock"_s}));
    EXPECT_EQ(captions.size(), 13);

    action(u"解鎖"_s)->trigger();
    EXPECT_TRUE(isOpen(u"解鎖"_s));
}

TEST_F(FrameTest, MainMenuPageOpensOnPersonnelAndEachLauncherOpensOneInstance)
{
    // The order form stands in here for whichever form the page opens.
    app->forms.add(u"訂單"_s, u"order"_s, FormRegistry::Placement::Child, createBoxesForm);
    QWidget* page = open(u"主選單"_s);
    auto* tabs = child<QTabWidget>(page, u"SSTab1"_s);
    QStringList titles;
    for (int tab = 0; tab < tabs->count(); ++tab)
        titles << tabs->tabText(tab);
    EXPECT_EQ(titles, (QStringList{u"operations"_s, u"personnel"_s, u"report"_s, u"diagram"_s}));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(child<QPushButton>(page, u"薪資基本資料"_s)->text(), u" salary"_s);

    const QList<std::pair<QString, QString>> launchers{
        {u"員工薪資單"_s, u"載入員工薪資"_s}, {u"發票明細"_s, u"載入發票明細"_s},
        {u"流水帳"_s, u"流水帳圖表"_s}, {u"進貨"_s, u"進貨表單"_s}, {u"差假"_s, u"差假表單"_s}};
    for (const auto& [button, form] : launchers)
        EXPECT_EQ(child<QPushButton>(page, button)->isEnabled(), app->forms.contains(form)) << button.toStdString();

    tabs->setCurrentIndex(0);
    auto* order = child<QPushButton>(page, u"Command4"_s);
    ASSERT_TRUE(order->isEnabled());
    QTest::mouseClick(order, Qt::LeftButton);
    QWidget* orderForm = app->forms.instance(u"訂單"_s);
    child<QLineEdit>(orderForm, u"Text1"_s)->setText(u"kept"_s);
    open(u"公司"_s);
    QTest::mouseClick(order, Qt::LeftButton);
    EXPECT_EQ(children().size(), 3);
    EXPECT_EQ(current()->widget(), orderForm);
    EXPECT_EQ(child<QLineEdit>(orderForm, u"Text1"_s)->text(), u"kept"_s);
}

} // namespace
