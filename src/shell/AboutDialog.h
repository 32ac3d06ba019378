#pragma once

#include <QDialog>

struct AppContext;

// About "ABOUT APPLICATION": the version, and a button that starts the desktop's system-information
// program.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(AppContext& app, QWidget* parent = nullptr);

    // Starts the system-information program: a dedicated one first, else the desktop's system
    // monitor; with neither, or when it can't be started, says so.
    void StartSysInfo();

private:
    AppContext& m_app;
};
