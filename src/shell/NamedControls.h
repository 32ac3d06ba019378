#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

// Labels and buttons made with their given control names, which the form's code and its tests look up.
inline QLabel* namedLabel(QWidget* form, const QString& name, const QString& text)
{
    auto* made = new QLabel(text, form);
    made->setObjectName(name);
    return made;
}

inline QPushButton* namedButton(QWidget* form, const QString& name, const QString& caption)
{
    auto* made = new QPushButton(caption, form);
    made->setObjectName(name);
    return made;
}
