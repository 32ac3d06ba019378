#include "shell/FrameStatusBar.h"

#include "data/TextRules.h"
#include "shell/KeyboardLights.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>

using namespace Qt::StringLiterals;

FrameStatusBar::FrameStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(u"StatusBar1"_s);
    addPanel(1, u"使用者"_s, u"使用者"_s);
    m_user = addPanel(2, {}, u"使用者的名字"_s, true);
    m_insert = addPanel(3, u"INS"_s, u"鍵盤上的 Insert 鍵狀態"_s);
    m_numLock = addPanel(4, u"NUM"_s, u"鍵盤上的 Num Lock 狀態"_s);
    m_scrollLock = addPanel(5, u"SCRL"_s, u"鍵盤上的 Scroll Lock 狀態"_s);
    m_time = addPanel(6, {}, {});
    m_date = addPanel(7, {}, {});
    reserveWidth(m_time, u"23:59"_s);
    reserveWidth(m_date, u"2026/12/28"_s);

    showInsertMode();
    showLockKeys();
    showClock();
    connect(&m_clock, &QTimer::timeout, this, &FrameStatusBar::showClock);
    m_clock.start(1000);
    qApp->installEventFilter(this);
}

QLabel* FrameStatusBar::addPanel(int number, const QString& text, const QString& toolTip, bool stretch)
{
    auto* panel = new QLabel(text, this);
    panel->setObjectName(u"Panel%1"_s.arg(number));
    panel->setToolTip(toolTip);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAlignment(stretch ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    reserveWidth(panel, stretch ? u"Corvinhale"_s : text);
    addPermanentWidget(panel, stretch ? 1 : 0);
    return panel;
}

void FrameStatusBar::reserveWidth(QLabel* panel, const QString& widestText)
{
    panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(widestText) + 16);
}

void FrameStatusBar::setUserName(const QString& name)
{
    m_user->setText(name);
}

bool FrameStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    // Every widget sees the key on its way up; count a press once, at the widget that has the focus.
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && !key->isAutoRepeat()) {
            m_insertMode = !m_insertMode;
            showInsertMode();
        }
    }
    if (event->type() == QEvent::KeyRelease && watched == QApplication::focusWidget()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            showLockKeys();
    }
    return QStatusBar::eventFilter(watched, event);
}

void FrameStatusBar::showInsertMode()
{
    m_insert->setEnabled(m_insertMode);
}

void FrameStatusBar::showLockKeys()
{
    // Where the display server tells the keyboard's lights (X11), the panels follow them; elsewhere
    // they stay as plain labels.
    const std::optional<KeyboardLights> lights = keyboardLights();
    if (!lights)
        return;
    m_numLock->setEnabled(lights->numLock);
    m_scrollLock->setEnabled(lights->scrollLock);
}

void FrameStatusBar::showClock()
{
    showLockKeys();
    const QDateTime now = QDateTime::currentDateTime();
    m_time->setText(now.time().toString(u"H:mm"_s));
    m_date->setText(TextRules::dateText(now.date()));
}
