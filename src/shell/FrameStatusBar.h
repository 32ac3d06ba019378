#pragma once

#include <QStatusBar>
#include <QTimer>

class QLabel;

// The frame's status bar: "使用者", the user's name, the Insert, Num Lock and Scroll Lock panels,
// and the time and date, kept current. Panels are named "Panel1" to "Panel7".
class FrameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit FrameStatusBar(QWidget* parent = nullptr);

    void setUserName(const QString& name);
    bool insertMode() const { return m_insertMode; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addPanel(int number, const QString& text, const QString& toolTip, bool stretch = false);
    static void reserveWidth(QLabel* panel, const QString& widestText);
    void showInsertMode();
    void showLockKeys();
    void showClock();

    QLabel* m_user;
    QLabel* m_insert;
    QLabel* m_numLock;
    QLabel* m_scrollLock;
    QLabel* m_time;
    QLabel* m_date;
    QTimer m_clock;
    // X11 and Wayland do not tell an application the Insert toggle: the program follows the key itself.
    bool m_insertMode = false;
};
