#include "shell/SplashWindow.h"

#include "core/AppContext.h"
#include "shell/WindowPlacement.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

SplashWindow::SplashWindow(AppContext& app, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_app(app),
      m_frame(new QFrame(this)), m_ticks(new QProgressBar(this)), m_timer(new QTimer(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(480, 270);

    m_frame->setObjectName(u"Frame1"_s);
    m_frame->setFrameShape(QFrame::Box);
    m_frame->setFrameShadow(QFrame::Sunken);
    m_frame->installEventFilter(this);

    // No picture of its own: the program's name fills the frame.
    auto* image = new QLabel(m_frame);
    image->setObjectName(u"Image1"_s);
    auto* title = new QLabel(u"HALCYON LEDGER"_s, m_frame);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(image);
    frameLayout->addWidget(title, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_frame);

    m_ticks->setObjectName(u"ProgressBar1"_s);
    m_ticks->setRange(0, 100);
    m_ticks->setValue(0);
    m_ticks->hide();

    centerOnScreen(this);

    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setInterval(20);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::tick);
    m_timer->start();
}

void SplashWindow::tick()
{
    m_ticks->setValue(m_ticks->value() + 1);
    if (m_ticks->value() != m_ticks->maximum())
        return;
    m_timer->stop();
    // The login is up before the splash goes, so the process never runs without a window.
    OpenFormCommand{m_app}(u"登入"_s);
    close();
}

void SplashWindow::endWithoutLogin()
{
    m_timer->stop();
    close();
    m_app.endProcess(0);
}

// Only a key that types a character (Enter, Esc and Backspace among them) counts: Shift, the arrows, the
// function keys and anything held with Alt leave the splash alone, so switching windows does not end the
// program.
void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->text().isEmpty() || event->modifiers().testFlag(Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    endWithoutLogin();
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_frame && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        endWithoutLogin();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
