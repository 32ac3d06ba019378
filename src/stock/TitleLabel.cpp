#include "stock/TitleLabel.h"

#include <QLabel>

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
