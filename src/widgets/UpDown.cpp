#include "widgets/UpDown.h"

#include <algorithm>

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* arrows = new QVBoxLayout(this);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(makeArrow(Qt::UpArrow, u"up"_s));
    arrows->addWidget(makeArrow(Qt::DownArrow, u"down"_s));
}

QToolButton* UpDown::makeArrow(Qt::ArrowType arrow, const QString& name)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setArrowType(arrow);
    // Held down, an arrow keeps stepping, as a spinner does.
    button->setAutoRepeat(true);
    // The keys go to the spinner itself, so the arrows never take the focus from it.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Two arrows share the height of one line edit.
    button->setIconSize(QSize(8, 4));
    connect(button, &QToolButton::clicked, this, arrow == Qt::UpArrow ? &UpDown::stepUp : &UpDown::stepDown);
    return button;
}

void UpDown::setValue(int value)
{
    value = std::clamp(value, m_minimum, m_maximum);
    if (value == m_value)
        return;
    m_value = value;
    emit changed(m_value);
}

void UpDown::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setValue(m_value);
}

void UpDown::setIncrement(int increment)
{
    m_increment = std::max(1, increment);
}

void UpDown::setWrap(bool wrap)
{
    m_wrap = wrap;
}

void UpDown::stepUp()
{
    step(+1);
}

void UpDown::stepDown()
{
    step(-1);
}

void UpDown::step(int direction)
{
    const qint64 next = qint64(m_value) + qint64(direction) * m_increment;
    if (m_wrap && next > m_maximum)
        setValue(m_minimum);
    else if (m_wrap && next < m_minimum)
        setValue(m_maximum);
    else
        setValue(int(std::clamp<qint64>(next, m_minimum, m_maximum)));
}

void UpDown::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        stepUp();
        break;
    case Qt::Key_Down:
        stepDown();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// As high as the line edit beside it, as narrow as a scroll bar.
QSize UpDown::sizeHint() const
{
    QStyleOptionFrame frame;
    frame.initFrom(this);
    const QSize text(0, fontMetrics().height() + 2);
    const int height = style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, this).height();
    return {style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), height};
}
