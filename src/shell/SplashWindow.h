#pragma once

#include <QWidget>

class QFrame;
class QProgressBar;
class QTimer;
struct AppContext;

// frmSplash: the first window of the process. An invisible progress bar counts 100 ticks of 20 ms,
// then the login takes over. A typed key or a left click on the window ends the process instead.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(AppContext& app, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tick();
    void endWithoutLogin();

    AppContext& m_app;
    QFrame* m_frame;
    QProgressBar* m_ticks;
    QTimer* m_timer; // Timer1
};
