#include "FormTest.h"

#include "widgets/ChartTypeOptions.h"

#include <QChartView>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every text the chart shows, its day labels among them.
QStringList shownTexts(QWidget* form)
{
    QStringList texts;
    for (QChartView* view : form->findChildren<QChartView*>()) {
        for (QGraphicsItem* item : view->scene()->items()) {
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                texts << text->toPlainText();
            else if (auto* simple = dynamic_cast<QGraphicsSimpleTextItem*>(item); simple && simple->isVisible())
                texts << simple->text();
        }
    }
    return texts;
}

using GoodsChartLabelsTest = FormTest;

// Made as narrow as the clerk can make it, the chart still shows every day of a month whole, in each
// kind with days along its foot.
TEST_F(GoodsChartLabelsTest, DayLabelsStayWholeAtTheNarrowestTheFormGoes)
{
    QWidget* form = open(u"進出貨分析"_s);
    QWidget* window = form->parentWidget();
    window->resize(window->minimumSizeHint().width(), window->height());
    for (const QString& kind : {u"narrow"_s, u"thread"_s, u"area"_s, u"stairs"_s, u"constitute"_s}) {
        for (QRadioButton* option : form->findChildren<QRadioButton*>())
            if (option->text() == kind)
                QTest::mouseClick(option, Qt::LeftButton);
        // The chart redraws once per batch of changes: wait for the batch rather than a fixed time.
        ASSERT_TRUE(QTest::qWaitFor([&] { return shownTexts(form).contains(u"31"_s); }, 5000))
            << kind.toStdString() << ": " << shownTexts(form).join(u' ').toStdString();
        const QStringList texts = shownTexts(form);
        for (const QString& text : texts)
            EXPECT_FALSE(text.contains(u"..."_s) || text.contains(u'…')) << kind.toStdString() << ": " << text.toStdString();
    }
}

} // namespace
