#include "FormTest.h"

#include "data/Database.h"
#include "widgets/UpDown.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

class PaySlipDialogTest : public FormTest {
protected:
    void click(const QString& spinner, const QString& arrow, int times = 1)
    {
        auto* button = child<UpDown>(form, spinner)->findChild<QToolButton*>(arrow);
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(button, Qt::LeftButton);
    }

    QString box(const QString& name) { return child<QLineEdit>(form, name)->text(); }

    bool closed() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull() || !form->isVisible();
    }

    QPointer<QWidget> form;
};

TEST_F(PaySlipDialogTest, OpensOnThisMonthAndBothButtonsOnlyCloseIt)
{
    for (const QString& button : {u"OKButton"_s, u"CancelButton"_s}) {
        form = open(u"載入員工薪資"_s);
        EXPECT_EQ(form->windowTitle(), u"employees salary"_s);
        EXPECT_EQ(box(u"text1"_s), u"2026"_s);
        EXPECT_EQ(box(u"Text2"_s), u"12"_s);
        EXPECT_EQ(child<UpDown>(form, u"UpDown1"_s)->value(), 2026);
        EXPECT_EQ(child<UpDown>(form, u"UpDown2"_s)->value(), 12);
        QTest::mouseClick(child<QPushButton>(form, button), Qt::LeftButton);
        EXPECT_TRUE(closed()) << button.toStdString();
    }
    EXPECT_EQ(messages.count(), 0);
}

// The year and month boxes of both payroll dialogs: the spinners write the boxes and stop at their
// bounds; typing into a box leaves its spinner where it was.
TEST_F(PaySlipDialogTest, SpinnersStopAtTheirBoundsAndTypingDoesNotMoveThem)
{
    const QList<std::pair<QString, int>> dialogs = {{u"載入員工薪資"_s, 1753}, {u"載入應收帳款扣薪明細表"_s, 1573}};
    for (const auto& [name, firstYear] : dialogs) {
        clock.set(QDate(firstYear, 1, 20));
        form = open(name);
        click(u"UpDown2"_s, u"down"_s);
        EXPECT_EQ(box(u"Text2"_s), u"1"_s) << name.toStdString();
        click(u"UpDown2"_s, u"up"_s, 12);
        EXPECT_EQ(box(u"Text2"_s), u"12"_s);
        click(u"UpDown1"_s, u"down"_s);
        EXPECT_EQ(box(u"text1"_s), QString::number(firstYear));

        auto* year = child<QLineEdit>(form, u"text1"_s);
        year->clear();
        QTest::keyClicks(year, u"2030"_s);
        EXPECT_EQ(child<UpDown>(form, u"UpDown1"_s)->value(), firstYear);
        click(u"UpDown1"_s, u"up"_s);
        EXPECT_EQ(box(u"text1"_s), QString::number(firstYear + 1));
        QTest::mouseClick(child<QPushButton>(form, u"CancelButton"_s), Qt::LeftButton);
        EXPECT_TRUE(closed());
    }
}

} // namespace
