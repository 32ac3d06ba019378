#pragma once

#include <QWidget>

class QPushButton;
class QTabWidget;
struct AppContext;

// 主選單 "MAIN": the page of large buttons that open the working forms, on the tabs "operations",
// "personnel", "report" and "diagram". It opens on "personnel". A button whose form the program does
// not have yet is shown disabled.
class MainMenuPage : public QWidget {
    Q_OBJECT
public:
    explicit MainMenuPage(AppContext& app, QWidget* parent = nullptr);

private:
    struct Launcher {
        QString control;
        QString caption;
        QString form;
    };

    QWidget* addTab(const QString& title);
    QPushButton* makeLauncher(QWidget* tab, const Launcher& launcher);
    // The launchers one under the other, as on the personnel and report tabs.
    void addLauncherColumn(QWidget* tab, const QList<Launcher>& launchers, QSize buttonSize, int spacing);
    void buildOperationsTab();
    void buildPersonnelTab();
    void buildReportTab();
    void buildDiagramTab();

    AppContext& m_app;
    QTabWidget* m_tabs;
};
