#include "shell/MainMenuPage.h"

#include "core/AppContext.h"
#include "shell/FormLauncher.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QSize graphicalButton(200, 64);
const QSize textButton(240, 36);
} // namespace

MainMenuPage::MainMenuPage(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_tabs(new QTabWidget(this))
{
    WorkDateAtLoad(m_app);
    setWindowTitle(u"MAIN"_s);

    m_tabs->setObjectName(u"SSTab1"_s);
    buildOperationsTab();
    buildPersonnelTab();
    buildReportTab();
    buildDiagramTab();
    m_tabs->setCurrentIndex(1); // "personnel"

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(m_tabs);
}

QWidget* MainMenuPage::addTab(const QString& title)
{
    auto* tab = new QWidget(m_tabs);
    m_tabs->addTab(tab, title);
    return tab;
}

QPushButton* MainMenuPage::makeLauncher(QWidget* tab, const Launcher& launcher)
{
    auto* button = new QPushButton(launcher.caption, tab);
    button->setObjectName(launcher.control);
    button->setEnabled(m_app.forms.contains(launcher.form));
    connect(button, &QPushButton::clicked, this, [this, form = launcher.form] { launchForm(m_app, form); });
    return button;
}

void MainMenuPage::buildOperationsTab()
{
    QWidget* tab = addTab(u"operations"_s);
    const QList<QList<Launcher>> columns{
        {{u"流水帳明細"_s, u"account"_s, u"流水帳明細表"_s},
         {u"訂法設定"_s, u"stable"_s, u"設定訂法"_s},
         {u"送法設定"_s, u"steamer send"_s, u"設定送法"_s}},
        {{u"進貨"_s, u"turnover"_s, u"進貨表單"_s},
         {u"產品資料建立"_s, u"products data build"_s, u"產品基本資料"_s}},
        {{u"Command4"_s, u"order"_s, u"訂單"_s},
         {u"客戶資料建立"_s, u"customer data build"_s, u"客戶基本資料"_s}},
    };
    auto* grid = new QGridLayout(tab);
    grid->setSpacing(16);
    for (int column = 0; column < columns.size(); ++column) {
        for (int row = 0; row < columns[column].size(); ++row) {
            QPushButton* button = makeLauncher(tab, columns[column][row]);
            button->setMinimumSize(graphicalButton);
            grid->addWidget(button, row, column, Qt::AlignTop);
        }
    }
    grid->setRowStretch(3, 1);
}

void MainMenuPage::addLauncherColumn(QWidget* tab, const QList<Launcher>& launchers, QSize buttonSize, int spacing)
{
    auto* column = new QVBoxLayout(tab);
    column->setSpacing(spacing);
    for (const Launcher& launcher : launchers) {
        QPushButton* button = makeLauncher(tab, launcher);
        button->setMinimumSize(buttonSize);
        column->addWidget(button, 0, Qt::AlignHCenter);
    }
    column->addStretch();
}

void MainMenuPage::buildPersonnelTab()
{
    QWidget* tab = addTab(u"personnel"_s);
    const QList<Launcher> launchers{
        {u"員工基本資料"_s, u"employees"_s, u"員工基本資料表"_s},
        {u"差假"_s, u"vacation"_s, u"差假表單"_s},
        {u"薪資基本資料"_s, u" salary"_s, u"薪資資料"_s},
        {u"Command12"_s, u"salary data"_s, u"薪資明細表單"_s},
        {u"薪資結算"_s, u"salary balance"_s, u"薪資結算表單"_s},
    };
    addLauncherColumn(tab, launchers, graphicalButton, 12);
}

void MainMenuPage::buildReportTab()
{
    QWidget* tab = addTab(u"report"_s);
    const QList<Launcher> launchers{
        {u"員工薪資單"_s, u"money print"_s, u"載入員工薪資"_s},
        {u"日計報表"_s, u"daily_form"_s, u"載入日計報表"_s},
        {u"送貨地址"_s, u"send address print"_s, u"載入送貨地址"_s},
        {u"應收帳款扣薪明細表"_s, u"collect buckle print"_s, u"載入應收帳款扣薪明細表"_s},
        {u"客戶訂的日期"_s, u"customer book date print"_s, u"載入客戶訂的日期"_s},
        {u"發票明細"_s, u"invoice print"_s, u"載入發票明細"_s},
    };
    addLauncherColumn(tab, launchers, textButton, 8);
}

void MainMenuPage::buildDiagramTab()
{
    QWidget* tab = addTab(u"diagram"_s);
    const QList<Launcher> launchers{
        {u"流水帳"_s, u"account"_s, u"流水帳圖表"_s},
        {u"客戶數量"_s, u"customer"_s, u"客戶數量圖表"_s},
        {u"業務"_s, u"business"_s, u"業務圖表"_s},
    };
    auto* row = new QHBoxLayout(tab);
    row->setSpacing(16);
    for (const Launcher& launcher : launchers) {
        QPushButton* button = makeLauncher(tab, launcher);
        button->setMinimumSize(graphicalButton);
        row->addWidget(button, 0, Qt::AlignTop);
    }
    row->addStretch();
}
