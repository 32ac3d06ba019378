#pragma once

#include <QString>

// A control given its control name, which the form's code and its tests look it up by:
// `named(new QPushButton(u"search"_s, this), u"搜尋"_s)`.
template <class Widget>
Widget* named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}
