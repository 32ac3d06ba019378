#include "FormTest.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString Journal = u"流水帳明細表"_s;

struct PostedDay {
    int serial;
    QDate day;
    double opening;
    double closing;
    bool operator==(const PostedDay&) const = default;
};

void PrintTo(const PostedDay& row, std::ostream* out)
{
    *out << row.serial << " " << row.day.toString(Qt::ISODate).toStdString() << " " << row.opening << " "
         << row.closing;
}

} // namespace

// The daily posting on both databases: every case writes the posted day and its journal row together.
class DailyPostingTest : public FormTest, public ::testing::WithParamInterface<Backend> {
protected:
    DailyPostingTest() { backend = GetParam(); }

    void addRow(int serial, const QDate& day, double amount)
    {
        db->exec(u"insert into account_table (serial, expense, date_d, in_out) values (?, ?, ?, ?)"_s,
                 {serial, amount, day, amount < 0 ? u"expense"_s : u"income"_s});
    }

    void openJournal() { form = open(Journal); }
    QString text(const QString& name) { return child<QLineEdit>(form, name)->text(); }
    QStringList postingBoxes()
    {
        QStringList texts;
        for (int i = 0; i < 5; ++i)
            texts << text(u"Text6(%1)"_s.arg(i));
        return texts;
    }

    // Posts `day`, answering the question with `answer`.
    void post(const QDate& day, int answer = MessageService::Yes)
    {
        child<QDateEdit>(form, u"DTPicker3"_s)->setDate(day);
        messages.answer(answer);
        QTest::mouseClick(child<QToolButton>(form, u"Button11"_s), Qt::LeftButton);
    }

    QList<PostedDay> postedDays()
    {
        QList<PostedDay> rows;
        QSqlQuery query = db->exec(u"select serial, date_d, original_m, now_m from account order by serial"_s);
        while (query.next())
            rows.push_back({query.value(0).toInt(), QDate::fromString(query.value(1).toString().left(10), Qt::ISODate),
                            query.value(2).toDouble(), query.value(3).toDouble()});
        return rows;
    }
    int journalRows() { return db->scalar(u"select count(*) from account_table"_s).toInt(); }

    QWidget* form = nullptr;
};

TEST_P(DailyPostingTest, PostsDayAfterDayAcrossTheMonthEndAndCarriesTheCash)
{
    addRow(1, QDate(2026, 9, 30), 100.1);
    addRow(2, QDate(2026, 9, 30), -30.2);
    addRow(3, QDate(2026, 10, 1), 50);
    openJournal();
    EXPECT_EQ(text(u"Text5"_s), QString());

    post(QDate(2026, 9, 30));
    EXPECT_EQ(messages.shown().first().text, u"sure2026/9/30to do account??"_s);
    EXPECT_EQ(messages.shown().first().flags, 52);
    EXPECT_EQ(messages.shown().first().title, u"attion"_s);
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/9/30"_s, u"0"_s, u"69.9"_s, u"69.9"_s, u"4"_s}));
    EXPECT_EQ(text(u"Text5"_s), u"2026/9/30"_s);

    // 1 October is later than 30 September; a day without rows carries its opening.
    post(QDate(2026, 10, 1));
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/10/1"_s, u"69.9"_s, u"50"_s, u"119.9"_s, u"5"_s}));
    post(QDate(2026, 10, 2));
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/10/2"_s, u"119.9"_s, u"0"_s, u"119.9"_s, u"6"_s}));
    EXPECT_EQ(messages.count(), 3);

    for (const QDate& refused : {QDate(2026, 10, 2), QDate(2026, 9, 30)}) {
        post(refused);
        EXPECT_EQ(messages.last().text, u"today!!!"_s);
        EXPECT_EQ(messages.last().flags, 16);
        EXPECT_EQ(messages.last().title, u"Err."_s);
    }
    post(QDate(2026, 10, 3), MessageService::No);
    EXPECT_EQ(text(u"Text5"_s), u"2026/10/2"_s);

    const QList<PostedDay> expected = {{1, QDate(2026, 9, 30), 0, 69.9},
                                       {2, QDate(2026, 10, 1), 69.9, 119.9},
                                       {3, QDate(2026, 10, 2), 119.9, 119.9}};
    EXPECT_EQ(postedDays(), expected);
    EXPECT_EQ(journalRows(), 6);
    EXPECT_TRUE(db->scalar(u"select expense from account_table where serial = 6"_s).isNull());
    Recordset& allRows = child<DataGrid>(form, u"DataGrid2"_s)->dataSource()->recordset();
    EXPECT_EQ(allRows.recordCount(), 6);

    // The next session starts from the last closing.
    closeForm(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    openJournal();
    EXPECT_EQ(text(u"Text5"_s), u"2026/10/2"_s);
    addRow(7, QDate(2026, 10, 3), -19.9);
    post(QDate(2026, 10, 3));
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/10/3"_s, u"119.9"_s, u"-19.9"_s, u"100"_s, u"8"_s}));
}

TEST_P(DailyPostingTest, DayAnotherClerkPostedMeanwhileIsRefused)
{
    openJournal();
    std::unique_ptr<Database> otherClerk = openSecondConnection(*db);
    otherClerk->exec(u"insert into account (serial, date_d, original_m, now_m) values (?, ?, ?, ?)"_s,
                     {1, QDate(2026, 12, 8), 0, 5});
    post(QDate(2026, 12, 8));
    EXPECT_EQ(messages.last().text, u"today!!!"_s);
    EXPECT_EQ(journalRows(), 0);
    EXPECT_EQ(postedDays().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, DailyPostingTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });

class FailedPostingTest : public DailyPostingTest {};

TEST_P(FailedPostingTest, PostingTheDatabaseRefusesWritesNothingAndLeavesNoPendingRow)
{
    // The posted day's row is refused after the journal row was written.
    db->exec(u"create trigger refuse_posting before insert on account begin select raise(abort, 'disk full'); end"_s);
    openJournal();
    post(QDate(2026, 12, 8));
    EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
    EXPECT_EQ(messages.last().title, u"Err."_s);
    EXPECT_EQ(journalRows(), 0);
    EXPECT_TRUE(postedDays().isEmpty());
    Recordset& allRows = child<DataGrid>(form, u"DataGrid2"_s)->dataSource()->recordset();
    EXPECT_EQ(allRows.recordCount(), 0);
    EXPECT_EQ(allRows.editMode(), Recordset::EditMode::None);
    EXPECT_EQ(text(u"Text5"_s), QString());
    EXPECT_EQ(text(u"Text6(1)"_s), QString());
}

INSTANTIATE_TEST_SUITE_P(SQLite, FailedPostingTest, ::testing::Values(Backend::SQLite),
                         [](const auto& info) { return backendName(info.param); });
