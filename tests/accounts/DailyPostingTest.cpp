#include "FormTest.h"

#include "accounts/DailyPosting.h"

#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "records/MaxPlusOneNumbering.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <atomic>
#include <chrono>
#include <thread>

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
        EXPECT_EQ(messages.last().detail, u"2026/10/2 is posted already: only a later day can be posted."_s);
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

// A day left unposted and a row entered for a day already posted both reach the cash with the next
// posting, once; the books name the rows each posting took, and the overview's total is the cash in hand.
TEST_P(DailyPostingTest, SkippedDaysAndLateRowsReachTheCashOnceWithTheNextPosting)
{
    addRow(1, QDate(2026, 12, 1), 900);
    addRow(2, QDate(2026, 12, 2), -30); // 12/2 is never posted
    addRow(3, QDate(2026, 12, 3), 1);
    addRow(4, QDate(2026, 12, 5), 7); // after the day posted: waits
    openJournal();
    post(QDate(2026, 12, 1));
    post(QDate(2026, 12, 3));
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/12/3"_s, u"900"_s, u"-29"_s, u"871"_s, u"6"_s}));
    EXPECT_EQ(messages.last().text, u"The posting also took the rows of 2026/12/2, which no posting had taken."_s);
    EXPECT_EQ(messages.last().flags, 64);
    addRow(7, QDate(2026, 12, 1), -10); // entered late for a posted day
    post(QDate(2026, 12, 4));
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/12/4"_s, u"871"_s, u"-10"_s, u"861"_s, u"8"_s}));
    EXPECT_EQ(messages.last().text, u"The posting also took the rows of 2026/12/1, which no posting had taken."_s);
    post(QDate(2026, 12, 5));
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/12/5"_s, u"861"_s, u"7"_s, u"868"_s, u"9"_s}));

    const QList<PostedDay> expected = {{1, QDate(2026, 12, 1), 0, 900},
                                       {2, QDate(2026, 12, 3), 900, 871},
                                       {3, QDate(2026, 12, 4), 871, 861},
                                       {4, QDate(2026, 12, 5), 861, 868}};
    EXPECT_EQ(postedDays(), expected);
    // Each posting's own journal row is among the rows it took.
    const QList<QList<int>> taken = {{1, 5}, {2, 3, 6}, {7, 8}, {4, 9}};
    for (int posting = 1; posting <= 4; ++posting) {
        QList<int> serials;
        QSqlQuery query = db->exec(u"select serial from account_table where posting_serial = ? order by serial"_s, {posting});
        while (query.next())
            serials << query.value(0).toInt();
        EXPECT_EQ(serials, taken[posting - 1]) << posting;
    }

    QWidget* overview = open(u"流水帳明細全灠"_s);
    QTest::mouseClick(child<QPushButton>(overview, u"全灠"_s), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(overview, u"text1"_s)->text(), u"868"_s);
    EXPECT_EQ(messages.count(), 6);
}

// Two clerks post neighbouring days at once. The first clerk's posting is held open (its transaction
// not yet committed) while the second one posts the next day: that one waits, then opens on the first
// one's closing.
TEST_P(DailyPostingTest, NeighbouringDaysPostedAtOnceCarryTheCashFromOneToTheNext)
{
    db->exec(u"insert into account (serial, date_d, original_m, now_m) values (1, ?, 0, 900)"_s, {QDate(2026, 12, 5)});
    addRow(1, QDate(2026, 12, 6), 45);
    addRow(2, QDate(2026, 12, 7), -90);

    std::unique_ptr<Database> firstClerk = openSecondConnection(*db);
    Recordset firstJournal(*firstClerk);
    firstJournal.load(u"select serial, date_d from account_table"_s);
    auto held = std::make_unique<Transaction>(*firstClerk);
    ASSERT_EQ(DailyPosting(*firstClerk, firstJournal).post(QDate(2026, 12, 6)), DailyPosting::Outcome::Posted);

    std::atomic<bool> secondDone = false;
    DailyPosting::Outcome secondOutcome = DailyPosting::Outcome::Failed;
    std::thread secondClerk([&, location = db->location()] {
        auto clerk = Database::open(location);
        Recordset journal(*clerk);
        journal.load(u"select serial, date_d from account_table"_s);
        secondOutcome = DailyPosting(*clerk, journal).post(QDate(2026, 12, 7));
        secondDone = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const bool postedMeanwhile = secondDone;
    held->commit();
    held.reset();
    secondClerk.join();

    EXPECT_FALSE(postedMeanwhile);
    EXPECT_EQ(secondOutcome, DailyPosting::Outcome::Posted);
    const QList<PostedDay> expected = {{1, QDate(2026, 12, 5), 0, 900},
                                       {2, QDate(2026, 12, 6), 900, 945},
                                       {3, QDate(2026, 12, 7), 945, 855}};
    EXPECT_EQ(postedDays(), expected);
}

// A row a posting took is refused a change or a delete as it begins, through the record and through the
// unlocked list, naming the posted day: no box opens for typing and no delete question is asked. A
// posting that takes a row while its modify is open refuses the save. The clerk's correcting row reaches
// the cash with the next posting: the cash in hand is the opening plus every movement, 0 + 500 + 100.
TEST_P(DailyPostingTest, APostedRowIsRefusedAsItsChangeBeginsAndACorrectingRowReachesTheCash)
{
    addRow(1, QDate(2026, 12, 1), 500);
    openJournal();
    post(QDate(2026, 12, 1));
    const QString posted = u"The posting of 2026/12/1 took this row into the cash in hand."_s;
    const QString correct = u"The posting of 2026/12/1 took this row into the cash in hand: enter a correcting row instead."_s;
    const auto tool = [this](int index) { QTest::mouseClick(child<QToolButton>(form, u"Button%1"_s.arg(index)), Qt::LeftButton); };
    auto* amountBox = child<QLineEdit>(form, u"text1(2)"_s);
    int shown = messages.count();
    // One box, the refusal, for each step.
    const auto refusedAtTheStart = [&](const char* step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(messages.count(), ++shown);
        EXPECT_EQ(messages.last().title, u"posted row"_s);
        EXPECT_EQ(messages.last().text, posted);
        EXPECT_EQ(messages.last().detail, correct);
        EXPECT_EQ(messages.last().flags, MessageService::Exclamation);
        EXPECT_EQ(child<QToolButton>(form, u"Button7"_s)->text(), u"modify"_s);
        EXPECT_TRUE(amountBox->isReadOnly());
    };

    tool(7);
    refusedAtTheStart("modify");
    tool(6); // no answer is queued: a delete question would fail the test
    refusedAtTheStart("delete");

    child<QCheckBox>(form, u"Check1"_s)->setChecked(true);
    auto* grid = child<DataGrid>(form, u"DataGrid2"_s);
    Recordset& listed = grid->dataSource()->recordset();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, listed.fieldIndex(u"expense"_s)));
    QTest::keyClick(grid, Qt::Key_6);
    refusedAtTheStart("list");
    EXPECT_TRUE(grid->findChildren<QLineEdit*>().isEmpty()); // no cell opened for typing
    EXPECT_EQ(listed.editMode(), Recordset::EditMode::None);
    grid->selectRow(0);
    grid->deleteSelectedRows();
    EXPECT_EQ(messages.last().text, posted);
    EXPECT_EQ(messages.last().detail, correct);
    EXPECT_EQ(db->scalar(u"select expense from account_table where serial = 1"_s).toDouble(), 500);

    tool(5);
    typeOver(child<QLineEdit>(form, u"text1(1)"_s), u"correction"_s);
    typeOver(amountBox, u"100"_s);
    typeOver(child<QLineEdit>(form, u"text1(3)"_s), u"2026/12/1"_s);
    tool(5);

    // Another clerk's posting takes the correcting row while it is being modified: its save is refused.
    tool(7);
    typeOver(amountBox, u"90"_s);
    db->exec(u"insert into account (serial, date_d, original_m, now_m) values (2, ?, 500, 600)"_s, {QDate(2026, 12, 3)});
    db->exec(u"update account_table set posting_serial = 2 where serial = 3"_s);
    tool(7);
    EXPECT_EQ(messages.last().text, u"input Err.!!!"_s);
    EXPECT_EQ(messages.last().detail,
              u"The posting of 2026/12/3 took this row into the cash in hand: enter a correcting row instead."_s);
    tool(8);
    db->exec(u"update account_table set posting_serial = null where serial = 3"_s);
    db->exec(u"delete from account where serial = 2"_s);

    post(QDate(2026, 12, 2));
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/12/2"_s, u"500"_s, u"100"_s, u"600"_s, u"4"_s}));
    EXPECT_EQ(messages.last().text, u"The posting also took the rows of 2026/12/1, which no posting had taken."_s);
    EXPECT_EQ(db->scalar(u"select sum(expense) from account_table"_s).toDouble(), 600);
}

// Books of version 3 as the program of that version left them: it posted 12/1 and 12/3 and took the rows
// that were there as it posted; a row entered late for 12/1 and the rows of 12/2, never posted, it never
// took. Opened by this program, they keep their postings, and the next posting takes what was left out.
TEST_P(DailyPostingTest, BooksOfVersionThreeKeepTheirPostingsAndTheNextPostingTakesWhatTheyLeftOut)
{
    for (const QString& table : {u"order_kind"_s, u"send_kind"_s})
        db->exec(u"alter table %1 drop column type_order"_s.arg(table));
    db->exec(u"alter table account_table drop column posting_serial"_s);
    db->exec(u"alter table schema_version drop column least_writer"_s);
    db->exec(u"update schema_version set version = 3"_s);
    addRow(1, QDate(2026, 12, 1), 100);
    addRow(2, QDate(2026, 12, 1), 50);
    db->exec(u"insert into account_table (serial, date_d) values (3, ?)"_s, {QDate(2026, 12, 1)}); // the posting's
    addRow(4, QDate(2026, 12, 2), -20);
    addRow(5, QDate(2026, 12, 3), 30);
    db->exec(u"insert into account_table (serial, date_d) values (6, ?)"_s, {QDate(2026, 12, 3)});
    addRow(7, QDate(2026, 12, 1), 7); // late for 12/1
    db->exec(u"insert into account (serial, date_d, original_m, now_m) values (1, ?, 0, 150), (2, ?, 150, 180)"_s,
             {QDate(2026, 12, 1), QDate(2026, 12, 3)});

    Schema::create(*db);
    QList<int> taken;
    QSqlQuery query = db->exec(u"select serial from account_table where posting_serial is not null order by serial"_s);
    while (query.next())
        taken << query.value(0).toInt();
    EXPECT_EQ(taken, (QList<int>{1, 2, 3, 5, 6}));

    openJournal();
    post(QDate(2026, 12, 4));
    // 0 + 100 + 50 - 20 + 30 + 7: the opening plus every movement.
    EXPECT_EQ(postingBoxes(), (QStringList{u"2026/12/4"_s, u"180"_s, u"-13"_s, u"167"_s, u"8"_s}));
    EXPECT_EQ(messages.last().text,
              u"The posting also took the rows of 2026/12/1, 2026/12/2, which no posting had taken."_s);
    const QList<PostedDay> expected = {{1, QDate(2026, 12, 1), 0, 150},
                                       {2, QDate(2026, 12, 3), 150, 180},
                                       {3, QDate(2026, 12, 4), 180, 167}};
    EXPECT_EQ(postedDays(), expected);
}

// A posting and another clerk's new journal row at the same moment: the row waits for the posting's
// numbers or the posting for the row's, and both are saved with numbers of their own.
TEST_P(DailyPostingTest, APostingWhileAnotherClerkSavesAJournalRowTakesItsOwnNumber)
{
    addRow(1, QDate(2026, 12, 1), 10);
    std::unique_ptr<Database> otherClerk = openSecondConnection(*db);
    auto saving = std::make_unique<Transaction>(*otherClerk);
    const qint32 serial = MaxPlusOneNumbering(*otherClerk, u"account_table"_s, u"serial"_s).take();
    otherClerk->exec(u"insert into account_table (serial, item, expense, date_d, in_out) values (?, 'late', 5, ?, 'income')"_s,
                     {serial, QDate(2026, 12, 1)});

    std::atomic<bool> done = false;
    DailyPosting::Outcome outcome = DailyPosting::Outcome::Failed;
    QString refusal;
    std::thread clerk([&, location = db->location()] {
        auto books = Database::open(location);
        Recordset journal(*books);
        journal.load(u"select serial, date_d from account_table"_s, {}, u"account_table"_s);
        DailyPosting posting(*books, journal);
        outcome = posting.post(QDate(2026, 12, 1));
        refusal = posting.refusal();
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const bool postedMeanwhile = done;
    saving->commit();
    saving.reset();
    clerk.join();

    EXPECT_FALSE(postedMeanwhile);
    EXPECT_EQ(outcome, DailyPosting::Outcome::Posted) << refusal.toStdString();
    EXPECT_EQ(db->scalar(u"select count(distinct serial) from account_table"_s).toInt(), 3);
    const QList<PostedDay> expected = {{1, QDate(2026, 12, 1), 0, 15}};
    EXPECT_EQ(postedDays(), expected);
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
    EXPECT_TRUE(messages.last().detail.contains(u"disk full"_s)) << messages.last().detail.toStdString();
    EXPECT_EQ(journalRows(), 0);
    EXPECT_TRUE(postedDays().isEmpty());
    Recordset& allRows = child<DataGrid>(form, u"DataGrid2"_s)->dataSource()->recordset();
    EXPECT_EQ(allRows.recordCount(), 0);
    EXPECT_EQ(allRows.editMode(), Recordset::EditMode::None);
    EXPECT_EQ(text(u"Text5"_s), QString());
    EXPECT_EQ(text(u"Text6(1)"_s), QString());
}

TEST_P(FailedPostingTest, AStoredAmountBeyondTheRangeRefusesThePostingWithTheRange)
{
    addRow(1, QDate(2026, 12, 7), 9e14);
    addRow(2, QDate(2026, 12, 8), 9e14); // each can be held, not their sum
    openJournal();
    post(QDate(2026, 12, 8));
    EXPECT_EQ(messages.last().text, u"input Err!!!"_s);
    EXPECT_TRUE(messages.last().detail.contains(u"from -922337203685477 to 922337203685477"_s))
        << messages.last().detail.toStdString();
    EXPECT_TRUE(postedDays().isEmpty());
    EXPECT_EQ(journalRows(), 2);
}

INSTANTIATE_TEST_SUITE_P(SQLite, FailedPostingTest, ::testing::Values(Backend::SQLite),
                         [](const auto& info) { return backendName(info.param); });
