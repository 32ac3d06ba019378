#include "shell/MainFrame.h"

#include "core/AppContext.h"
#include "shell/FormLauncher.h"
#include "shell/FrameStatusBar.h"
#include "core/MessageService.h"
#include "shell/ProgramLauncher.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Forms that no button or menu of their own opens; the VIEW menu reaches them by their captions.
struct UnlaunchedForm {
    QString name;
    QString caption;
};

const QList<UnlaunchedForm>& unlaunchedForms()
{
    static const QList<UnlaunchedForm> forms{
        {u"解鎖"_s, u"unlock"_s},
        {u"產品全灠"_s, u"products overview"_s},
        {u"產品一灠"_s, u"products overview"_s},
        {u"訂法全灠"_s, u"France view"_s},
        {u"進出貨分析"_s, u"goods analysis table"_s},
        {u"客戶一灠"_s, u"customer"_s},
        {u"載入客戶資料"_s, u"customer data"_s},
        {u"顯示員工基本資料"_s, u"employees data"_s},
        {u"客戶帳款查詢"_s, u"customer money inquire"_s},
        {u"提示繳款名單"_s, u"prompt pay"_s},
    };
    return forms;
}

// The three edit commands of the VIEW menu and the toolbar, and the slot of a text box each one calls.
struct EditCommand {
    QString control;
    QString caption;
    QString tip;
    QString themeIcon;
    const char* slot;
    const char* signature;
};

const EditCommand editCommands[] = {
    {u"剪下"_s, u"CUT"_s, u"剪下"_s, u"edit-cut"_s, "cut", "cut()"},
    {u"複製"_s, u"COPY"_s, u"複製"_s, u"edit-copy"_s, "copy", "copy()"},
    {u"貼上"_s, u"PASTE"_s, u"貼上"_s, u"edit-paste"_s, "paste", "paste()"},
};

} // namespace

MainFrame::MainFrame(AppContext& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_workspace(new QMdiArea(this)), m_statusBar(new FrameStatusBar(this))
{
    setWindowTitle(u"HALCYON LEDGER"_s);
    setCentralWidget(m_workspace);
    setStatusBar(m_statusBar);
    m_workspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_workspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    buildFileMenu();
    buildViewMenu();
    buildSetMenu();
    buildToolMenu();
    buildHelpMenu();
    buildToolbar();

    m_statusBar->setUserName(m_app.values.user_name);
    fitScreen();
    qApp->installEventFilter(this);
}

// The frame, title bar and border included, never reaches past the screen's free area: the status
// bar would fall off its foot. The window manager draws the title bar only once the frame is shown, so
// where the frame's size with room for one does not fit, the frame opens maximized and the window
// manager fits it, title bar and all.
void MainFrame::fitScreen()
{
    const QSize preferred(1100, 760);
    const QSize decorations(16, 48); // a generous title bar and border
    const QSize available = screen()->availableGeometry().size();
    // Also the size the frame takes back when the clerk restores it.
    resize(preferred.boundedTo(available - decorations));
    const QSize framed = preferred + decorations;
    if (framed.width() > available.width() || framed.height() > available.height())
        setWindowState(windowState() | Qt::WindowMaximized);
}

// A text box takes Ctrl+A as select-all before a menu sees it; in this program the menu's shortcuts
// win (Ctrl+A is MAIN), so a key that one of the frame's items has is not left to the box.
bool MainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this && isMenuShortcut(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainFrame::isMenuShortcut(const QKeySequence& keys) const
{
    const QList<QAction*> actions = menuBar()->findChildren<QAction*>();
    return std::any_of(actions.cbegin(), actions.cend(), [&](const QAction* action) {
        return action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == keys;
    });
}

QAction* MainFrame::addItem(QMenu* menu, const QString& control, const QString& caption,
                            const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(control);
    action->setShortcut(shortcut);
    return action;
}

QAction* MainFrame::addFormItem(QMenu* menu, const QString& control, const QString& caption, const QString& form,
                                const QKeySequence& shortcut)
{
    QAction* action = addItem(menu, control, caption, shortcut);
    action->setEnabled(m_app.forms.contains(form));
    connect(action, &QAction::triggered, this, [this, form] { launchForm(m_app, form); });
    return action;
}

void MainFrame::addToolItem(QMenu* menu, const QString& control, const QString& caption,
                            const QStringList& commands, const QString& missingMessage,
                            const QKeySequence& shortcut)
{
    QAction* action = addItem(menu, control, caption, shortcut);
    connect(action, &QAction::triggered, this, [this, caption, commands, missingMessage] {
        if (!ProgramLauncher::startFirstFound(commands))
            m_app.messages.msgBox(missingMessage, MessageService::Exclamation, caption);
    });
}

void MainFrame::buildFileMenu()
{
    QMenu* menu = menuBar()->addMenu(u"FILE(&F)"_s);
    menu->setObjectName(u"檔案"_s);
    addFormItem(menu, u"開啟"_s, u"MAIN"_s, u"主選單"_s, QKeySequence(u"Ctrl+A"_s));
    addFormItem(menu, u"客戶資料"_s, u"CUSTMER"_s, u"客戶基本資料"_s);
    addFormItem(menu, u"員工資料"_s, u"EMPLOYEE"_s, u"員工基本資料表"_s);
    addFormItem(menu, u"產品資料"_s, u"PRODUCT"_s, u"產品基本資料"_s);
    addFormItem(menu, u"訂單資料"_s, u"ORDER"_s, u"訂單"_s);
    menu->addSeparator();
    QAction* close = addItem(menu, u"離開"_s, u"CLOSE"_s, QKeySequence(u"Ctrl+Q"_s));
    connect(close, &QAction::triggered, this, &MainFrame::confirmExit);
}

void MainFrame::buildViewMenu()
{
    QMenu* menu = menuBar()->addMenu(u"VIEW(&V)"_s);
    menu->setObjectName(u"檢視"_s);
    for (const EditCommand& edit : editCommands) {
        QAction* action = addItem(menu, edit.control, edit.caption);
        connect(action, &QAction::triggered, this, [this, &edit] { editFocusedBox(edit.slot, edit.signature); });
    }
    menu->addSeparator();
    for (const UnlaunchedForm& form : unlaunchedForms()) {
        QAction* action = addFormItem(menu, form.name, form.caption, form.name);
        action->setStatusTip(form.name); // two forms share the caption "products overview"
    }
}

void MainFrame::buildSetMenu()
{
    QMenu* menu = menuBar()->addMenu(u"SET(&S)"_s);
    menu->setObjectName(u"設定"_s);
    addFormItem(menu, u"公司基本資料"_s, u"COMPANY"_s, u"公司"_s);
    addFormItem(menu, u"奶區"_s, u"MILK EXPENSE"_s, u"奶區費區"_s);
    addFormItem(menu, u"設定抽成"_s, u"COMMISSION"_s, u"抽成"_s);
    addFormItem(menu, u"其它"_s, u"OTHER"_s, u"其它設定"_s);
    addItem(menu, u"密碼設定"_s, u"PASSWORD"_s); // shown and enabled; it has no action
}

void MainFrame::buildToolMenu()
{
    QMenu* menu = menuBar()->addMenu(u"TOOL(&T)"_s);
    menu->setObjectName(u"輔助"_s);
    addToolItem(menu, u"記事本"_s, u"NOTEPAD"_s,
                {u"gnome-text-editor"_s, u"gedit"_s, u"kwrite"_s, u"kate"_s, u"mousepad"_s, u"xed"_s,
                 u"pluma"_s, u"featherpad"_s, u"leafpad"_s},
                u"No text editor was found on this computer."_s);
    addFormItem(menu, u"萬年曆"_s, u"CALENDAR"_s, u"萬年曆表"_s, QKeySequence(u"Ctrl+Y"_s));
    addToolItem(menu, u"計算機"_s, u"CALCULATING"_s,
                {u"gnome-calculator"_s, u"kcalc"_s, u"galculator"_s, u"mate-calc"_s, u"qalculate-gtk"_s,
                 u"xcalc"_s},
                u"No calculator was found on this computer."_s, QKeySequence(u"Ctrl+O"_s));
}

void MainFrame::buildHelpMenu()
{
    QMenu* menu = menuBar()->addMenu(u"HELP(&H)"_s);
    menu->setObjectName(u"Help"_s);
    addFormItem(menu, u"關於這個程式"_s, u"ABOUT"_s, u"About"_s);
}

void MainFrame::buildToolbar()
{
    QToolBar* toolbar = addToolBar(u"Toolbar1"_s);
    toolbar->setObjectName(u"Toolbar1"_s);
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const EditCommand& edit : editCommands) {
        // Without an icon theme the button shows its tip as text.
        QAction* action = toolbar->addAction(QIcon::fromTheme(edit.themeIcon), edit.tip);
        action->setToolTip(edit.tip);
        connect(action, &QAction::triggered, this, [this, &edit] { editFocusedBox(edit.slot, edit.signature); });
    }
}

// The old program sent Ctrl+X, Ctrl+C or Ctrl+V to whatever had the focus; here the focused box of the
// active child window is told directly.
void MainFrame::editFocusedBox(const char* slot, const char* signature)
{
    QMdiSubWindow* child = m_workspace->currentSubWindow();
    if (!child || !child->widget())
        return;
    QWidget* box = QApplication::focusWidget();
    if (!box || !child->isAncestorOf(box))
        box = child->widget()->focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(box))
        box = combo->lineEdit();
    else if (auto* spinBox = qobject_cast<QAbstractSpinBox*>(box))
        box = spinBox->findChild<QLineEdit*>();
    if (!box)
        return;
    if (box->metaObject()->indexOfSlot(signature) >= 0)
        QMetaObject::invokeMethod(box, slot);
}

void MainFrame::confirmExit()
{
    const int answer = m_app.messages.msgBox(u"Exit the program?"_s,
                                             MessageService::YesNo | MessageService::Exclamation, u"Exit"_s);
    if (answer == MessageService::Yes)
        m_app.endProcess(0);
}
