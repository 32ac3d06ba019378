#include "stock/StockControls.h"

#include <QDateEdit>
#include <QLabel>

QDateEdit* makeDatePicker(QWidget* parent, const QString& name, QDate date)
{
    auto* picker = new QDateEdit(date, parent);
    picker->setObjectName(name);
    picker->setDisplayFormat(QStringLiteral("yyyy/M/d"));
    picker->setCalendarPopup(true);
    return picker;
}

QLabel* makeTitleLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* title = new QLabel(text, parent);
    title->setObjectName(name);
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    title->setFont(font);
    return title;
}
