#include "widgets/OptionGroup.h"

#include <QRadioButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Two choices whose buttons share one parent, as on most forms.
TEST(OptionGroup, EachChoiceKeepsItsOwnSelection)
{
    QWidget form;
    auto* all = new QRadioButton(u"overview"_s, &form);
    auto* month = new QRadioButton(u"only month"_s, &form);
    auto* byName = new QRadioButton(u"name"_s, &form);
    auto* byCode = new QRadioButton(u"number"_s, &form);
    groupOptions({all, month});
    groupOptions({byName, byCode});
    form.show();

    QTest::mouseClick(all, Qt::LeftButton);
    QTest::mouseClick(byCode, Qt::LeftButton);
    EXPECT_TRUE(all->isChecked()) << "the other choice's click took nothing from this one";
    EXPECT_TRUE(byCode->isChecked());

    QTest::mouseClick(all, Qt::LeftButton);
    EXPECT_TRUE(all->isChecked()) << "clicking the selected option keeps it";
    QTest::mouseClick(month, Qt::LeftButton);
    EXPECT_FALSE(all->isChecked());
    EXPECT_TRUE(month->isChecked());
    EXPECT_TRUE(byCode->isChecked());
}

} // namespace
