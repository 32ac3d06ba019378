#include "widgets/OptionGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>

QButtonGroup* groupOptions(std::initializer_list<QAbstractButton*> buttons)
{
    auto* group = new QButtonGroup(buttons.size() > 0 ? static_cast<QObject*>((*buttons.begin())->parent()) : nullptr);
    group->setExclusive(true);
    for (QAbstractButton* button : buttons)
        group->addButton(button);
    return group;
}
