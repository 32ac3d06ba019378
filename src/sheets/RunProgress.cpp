#include "sheets/RunProgress.h"

#include <QProgressBar>
#include <QProgressDialog>

namespace {
constexpr qint64 quietMilliseconds = 500;
// Repainting the dialog costs more than writing a thousand rows: it follows the rows ten times a second.
constexpr qint64 repaintMilliseconds = 100;
}

RunProgress::RunProgress(const QString& caption, QWidget* window) : m_caption(caption), m_window(window)
{
    m_clock.start();
}

RunProgress::~RunProgress() = default;

void RunProgress::begin(int total)
{
    m_total = total;
    if (m_dialog) {
        m_dialog->setMaximum(qMax(total, 1));
        m_dialog->setValue(0);
    }
}

void RunProgress::update(int done)
{
    if (m_dialog && m_sinceRepaint.elapsed() < repaintMilliseconds)
        return;
    m_sinceRepaint.start();
    if (!m_dialog) {
        if (m_clock.elapsed() < quietMilliseconds)
            return;
        m_dialog = std::make_unique<QProgressDialog>(m_caption, QString(), 0, qMax(m_total, 1), m_window);
        m_dialog->setWindowTitle(m_caption);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        auto* bar = new QProgressBar(m_dialog.get());
        bar->setFormat(QStringLiteral("%v / %m"));
        m_dialog->setBar(bar);
        m_dialog->setRange(0, qMax(m_total, 1));
    }
    // A window-modal dialog's setValue also lets the desktop repaint.
    m_dialog->setValue(qMin(done, m_dialog->maximum()));
}

void RunProgress::end()
{
    if (m_dialog)
        m_dialog->setValue(m_dialog->maximum());
}
