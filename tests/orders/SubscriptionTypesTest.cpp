#include "FormTest.h"

#include "data/Database.h"
#include "widgets/ExitButton.h"
#include "widgets/UpDown.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

// "daily" delivers on 2026/2/28, 12/7 and 12/20; "weekly" on 2026/9/30 and 10/1. Today is 2026/12/8.
class SubscriptionTypesTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        db->exec(u"insert into order_kind (subscribe_type, type_order) values ('daily', 1), ('weekly', 2)"_s);
        for (const auto& [type, day] : {std::pair{"daily", QDate(2026, 2, 28)}, {"daily", QDate(2026, 12, 7)},
                                        {"daily", QDate(2026, 12, 20)}, {"weekly", QDate(2026, 9, 30)},
                                        {"weekly", QDate(2026, 10, 1)}})
            db->exec(u"insert into subscribe_type (subscribe_type, date_d) values (?, ?)"_s,
                     {QString::fromLatin1(type), day});
        form = open(u"設定訂法"_s);
    }

    QList<int> redDays()
    {
        QList<int> days;
        for (int i = 0; i < 31; ++i) {
            const QColor colour = child<QLineEdit>(form, u"Text8(%1)"_s.arg(i))->palette().color(QPalette::Base);
            if (colour == QColor(255, 0, 0))
                days << i + 1;
            else
                EXPECT_EQ(colour, form->palette().color(QPalette::Base)) << "cell " << i + 1;
        }
        return days;
    }
    void clickDay(const QDate& day) { emit child<QCalendarWidget>(form, u"MonthView1"_s)->clicked(day); }
    void click(const QString& name) { QTest::mouseClick(child<QAbstractButton>(form, name), Qt::LeftButton); }
    int days(const QString& type)
    {
        return db->scalar(u"select count(*) from subscribe_type where subscribe_type = ?"_s, {type}).toInt();
    }
    void expectBox(const QString& text, int flags, const QString& title)
    {
        EXPECT_EQ(messages.last().text, text);
        EXPECT_EQ(messages.last().flags, flags);
        EXPECT_EQ(messages.last().title, title);
    }

    QWidget* form = nullptr;
};

TEST_F(SubscriptionTypesTest, OpensOnTheFirstTypeAndPaintsExactlyItsDaysOfTheMonth)
{
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"daily"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text2"_s)->text(), u"2026"_s);
    EXPECT_EQ(child<QLabel>(form, u"現在月份"_s)->text(), u"12"_s);
    EXPECT_TRUE(child<QRadioButton>(form, u"Option1"_s)->isChecked());
    EXPECT_EQ(redDays(), (QList<int>{7, 20}));

    child<UpDown>(form, u"UpDown2"_s)->setValue(2);
    EXPECT_EQ(child<QLineEdit>(form, u"Text3"_s)->text(), u"2"_s);
    EXPECT_EQ(child<QLabel>(form, u"現在月份"_s)->text(), u"2"_s);
    EXPECT_EQ(redDays(), QList<int>{28}) << "29 to 31 stay white in February";

    child<QLineEdit>(form, u"Text3"_s)->setText(u"13"_s);
    child<UpDown>(form, u"UpDown1"_s)->setValue(2025);
    EXPECT_TRUE(redDays().isEmpty()) << "no month 13: an empty month, no message";
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(SubscriptionTypesTest, CalendarAddsOnlyWhileUnlockedAndGuardsInOrder)
{
    clickDay(QDate(2027, 1, 5));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(days(u"daily"_s), 3) << "locked: nothing happens";

    click(u"Check1"_s);
    clickDay(QDate(2026, 11, 30));
    expectBox(u"month can not input!!!"_s, 48, u"attion"_s);
    clickDay(QDate(2027, 1, 5));
    clickDay(QDate(2027, 1, 7)); // cell 7 is red for 12/7, yet 2027/1/7 is another day
    EXPECT_EQ(days(u"daily"_s), 5);
    EXPECT_EQ(messages.count(), 1);
    clickDay(QDate(2027, 1, 7));
    expectBox(u"input!!!"_s, 48, u"attion"_s);
    EXPECT_EQ(redDays(), (QList<int>{7, 20})) << "only the month on show is painted";

    db->exec(u"create trigger refuse before insert on subscribe_type begin select raise(abort, 'refused'); end"_s);
    clickDay(QDate(2026, 12, 15));
    expectBox(u"input Err.!!!"_s, 16, u"Err."_s);
    EXPECT_EQ(redDays(), (QList<int>{7, 20}));
    db->exec(u"drop trigger refuse"_s);
    clickDay(QDate(2026, 12, 15));
    EXPECT_EQ(redDays(), (QList<int>{7, 15, 20}));
}

TEST_F(SubscriptionTypesTest, DayDeleteAsksAndRemovesTheDay)
{
    click(u"Check1"_s);
    child<QRadioButton>(form, u"Option2"_s)->setChecked(true);
    clickDay(QDate(2026, 12, 8));
    expectBox(u"no data!!!"_s, 16, u"Err."_s);
    messages.answer(7);
    clickDay(QDate(2026, 12, 7));
    expectBox(u"delete the data2026/12/7data???"_s, 52, u"del"_s);
    EXPECT_EQ(days(u"daily"_s), 3);
    messages.answer(6);
    clickDay(QDate(2026, 12, 7));
    EXPECT_EQ(days(u"daily"_s), 2);
    EXPECT_EQ(redDays(), QList<int>{20});
}

TEST_F(SubscriptionTypesTest, TypesAreAddedByTheirExactNameAndDeletedWithEveryDay)
{
    auto* types = child<QListWidget>(form, u"List1"_s);
    messages.answerInput(u"daily"_s);
    click(u"新增"_s);
    expectBox(u"subscribe_type!!!"_s, 16, u"attion"_s);
    for (const QString& typed : {u"tab\tday"_s, u"two\nlines"_s, u"\x1b[2J"_s, u"nul"_s + QChar(0)}) {
        messages.answerInput(typed);
        click(u"新增"_s);
        expectBox(u"input Err.!!!"_s, 16, u"Err."_s);
        EXPECT_EQ(messages.last().detail, u"A name takes no control characters (tab, line break, NUL ...)."_s);
    }
    EXPECT_EQ(types->count(), 2) << "no name with a control character was added";
    messages.answerInput(u"Ann's 50%  "_s);
    click(u"新增"_s);
    EXPECT_EQ(types->item(2)->text(), u"Ann's 50%"_s);
    EXPECT_EQ(db->scalar(u"select count(*) from order_kind where subscribe_type = ?"_s, {u"Ann's 50%"_s}).toInt(), 1);

    messages.answer(6);
    click(u"刪除"_s);
    expectBox(u"delete<daily> subscribe_type???"_s, 52, u"del"_s);
    EXPECT_EQ(days(u"daily"_s), 0) << "every month's days";
    EXPECT_EQ(db->scalar(u"select count(*) from order_kind where subscribe_type = 'daily'"_s).toInt(), 0);
    EXPECT_EQ(child<QLineEdit>(form, u"text1"_s)->text(), u"weekly"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text10"_s)->text(), u"2026/9/30"_s);
    EXPECT_EQ(child<QLineEdit>(form, u"Text11"_s)->text(), u"2026/10/1"_s);
    EXPECT_EQ(types->count(), 2);
}

TEST_F(SubscriptionTypesTest, WithoutTypesThereIsNoCurrentType)
{
    db->exec(u"delete from order_kind"_s);
    closeForm(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form = open(u"設定訂法"_s);
    EXPECT_TRUE(child<QLineEdit>(form, u"text1"_s)->text().isEmpty());
    click(u"Check1"_s);
    clickDay(QDate(2026, 12, 9));
    expectBox(u"no subscribe_type!!"_s, 48, u"attion"_s);
    messages.answer(6);
    click(u"刪除"_s);
    expectBox(u"no subscribe_type!!!"_s, 16, u"Err."_s);
}

// The form's labels by their names, the types in the order they were added, and every refusal says why.
TEST_F(SubscriptionTypesTest, LabelsTypesInTheirOrderAndRefusalsWithAReason)
{
    closeForm(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    db->exec(u"insert into order_kind (subscribe_type, type_order) values ('alternate', 3)"_s);
    form = open(u"設定訂法"_s);
    for (const auto& [name, text] : {std::pair{u"Label1"_s, u"setting"_s}, {u"Label8"_s, u"setting"_s},
                                     {u"Label2"_s, u"state"_s}, {u"Label3"_s, u"year"_s}, {u"Label4"_s, u"month"_s},
                                     {u"Label9"_s, u"month"_s}, {u"Label5"_s, u"info"_s}, {u"Label6"_s, u"set to"_s}})
        EXPECT_EQ(child<QLabel>(form, name)->text(), text) << name.toStdString();
    auto* list = child<QListWidget>(form, u"List1"_s);
    QStringList types;
    for (int i = 0; i < list->count(); ++i)
        types << list->item(i)->text();
    EXPECT_EQ(types, (QStringList{u"daily"_s, u"weekly"_s, u"alternate"_s}));

    child<QCheckBox>(form, u"Check1"_s)->setChecked(true);
    clickDay(QDate(2026, 11, 30));
    clickDay(QDate(2026, 12, 7));
    messages.answerInput(u"weekly"_s);
    click(u"新增"_s);
    ASSERT_EQ(messages.count(), 4) << "the prompt is recorded too";
    for (const auto& [box, detail] : {std::pair{0, u"Days can be added from 2026/12 on."_s},
                                      {1, u"2026/12/7 is a day of daily already."_s},
                                      {3, u"A type named 'weekly' exists already."_s}})
        EXPECT_EQ(messages.shown().at(box).detail, detail);
}

// A type added after another was deleted and the table vacuumed, which frees the deleted row's place,
// still lists last, as added, on both databases.
class TypeOrderTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    TypeOrderTest() { backend = GetParam(); }

    QStringList listedTypes()
    {
        QWidget* form = open(u"設定訂法"_s);
        auto* list = child<QListWidget>(form, u"List1"_s);
        QStringList types;
        for (int i = 0; i < list->count(); ++i)
            types << list->item(i)->text();
        closeForm(form);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return types;
    }
    void addType(const QString& type)
    {
        QWidget* form = open(u"設定訂法"_s);
        messages.answerInput(type);
        QTest::mouseClick(child<QPushButton>(form, u"新增"_s), Qt::LeftButton);
        closeForm(form);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_P(TypeOrderTest, ATypeAddedAfterADeleteAndAVacuumListsLast)
{
    for (const QString& type : {u"alpha"_s, u"beta"_s, u"gamma"_s})
        addType(type);
    db->exec(u"delete from order_kind where subscribe_type = 'alpha'"_s);
    db->exec(u"VACUUM"_s);
    addType(u"delta"_s);
    EXPECT_EQ(listedTypes(), (QStringList{u"beta"_s, u"gamma"_s, u"delta"_s}));
}

INSTANTIATE_TEST_SUITE_P(Backends, TypeOrderTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
