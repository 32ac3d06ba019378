#include "widgets/DataSourceBar.h"

#include "data/DataSource.h"
#include "data/Recordset.h"
#include "core/MessageService.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <exception>

DataSourceBar::DataSourceBar(DataSource& source, QWidget* parent)
    : QWidget(parent), m_source(&source), m_caption(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    addButton(QStringLiteral("first"), QStringLiteral("|<"), Move::First);
    addButton(QStringLiteral("previous"), QStringLiteral("<"), Move::Previous);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_caption, 1);
    addButton(QStringLiteral("next"), QStringLiteral(">"), Move::Next);
    addButton(QStringLiteral("last"), QStringLiteral(">|"), Move::Last);
}

void DataSourceBar::addButton(const QString& name, const QString& text, Move move)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setAutoRepeat(move == Move::Previous || move == Move::Next);
    connect(button, &QToolButton::clicked, this, [this, move] { this->move(move); });
    layout()->addWidget(button);
}

void DataSourceBar::setCaption(const QString& caption)
{
    m_caption->setText(caption);
}

QString DataSourceBar::caption() const
{
    return m_caption->text();
}

void DataSourceBar::move(Move move)
{
    if (!m_source)
        return;
    Recordset& rs = m_source->recordset();
    try {
        switch (move) {
        case Move::First:
            rs.moveFirst();
            break;
        case Move::Previous:
            rs.movePrevious();
            if (rs.bof())
                rs.moveFirst();
            break;
        case Move::Next:
            rs.moveNext();
            if (rs.eof())
                rs.moveLast();
            break;
        case Move::Last:
            rs.moveLast();
            break;
        }
    } catch (const std::exception& error) {
        const QString message = QString::fromStdString(error.what());
        if (m_messages)
            m_messages->reportFailure(message);
        else
            qWarning("%s", qPrintable(message));
    }
}
