#pragma once

#include <initializer_list>

class QAbstractButton;
class QButtonGroup;

// The option buttons of one choice as one exclusive group, owned by the first button's parent: clicking
// the selected one keeps it selected, and the buttons of another choice on the same form never take
// the selection from it (as buttons that share a parent otherwise do).
QButtonGroup* groupOptions(std::initializer_list<QAbstractButton*> buttons);
