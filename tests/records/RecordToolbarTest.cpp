#include "SampleRecordForm.h"

#include "data/DataError.h"
#include "data/Database.h"

#include <QSignalSpy>
#include <atomic>
#include <thread>

namespace {

using Boxes = QList<ScriptedMessageService::Box>;

bool sameBox(const ScriptedMessageService::Box& box, const QString& text, int flags, const QString& title)
{
    return box.text == text && box.flags == flags && box.title == title;
}

} // namespace

TEST_F(RecordFormTest, TwoClickAddSavesTheRecordWithItsCompanionRow)
{
    addCustomer(QStringLiteral("Alder"));
    auto* form = openSample();
    EXPECT_EQ(form->counter->text(), QStringLiteral("1"));
    EXPECT_FALSE(form->toolbar->button(8)->isEnabled());

    form->click(5);
    EXPECT_EQ(form->caption(5), QStringLiteral("sure_add"));
    EXPECT_EQ(form->toolbar->state(), RecordToolbar::State::Adding);
    EXPECT_EQ(form->enabledButtons(), (QList<int>{5, 8}));
    EXPECT_TRUE(form->code->isReadOnly());
    EXPECT_FALSE(form->name->isReadOnly());
    EXPECT_TRUE(form->cancelled->isEnabled());
    EXPECT_FALSE(form->handOver->isEnabled());
    EXPECT_FALSE(form->searchBox->isEnabled());
    EXPECT_FALSE(form->searchButton->isEnabled());
    EXPECT_EQ(form->inputDate->text(), QStringLiteral("2026/12/8"));

    QTest::keyClicks(form->name, QStringLiteral("Birch"));
    QTest::keyClicks(form->tel, QStringLiteral("0912345678"));
    form->click(5);

    EXPECT_EQ(form->caption(5), QStringLiteral("add"));
    EXPECT_EQ(form->enabledButtons(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(form->name->isReadOnly());
    EXPECT_FALSE(form->cancelled->isEnabled());
    EXPECT_TRUE(form->handOver->isEnabled());
    EXPECT_TRUE(form->searchBox->isEnabled());
    EXPECT_FALSE(form->nextButton->isEnabled()) << "a control off before the add stays off";
    EXPECT_EQ(form->counter->text(), QStringLiteral("2"));
    EXPECT_EQ(messages.count(), 0);

    const int code = form->code->text().toInt();
    EXPECT_GT(code, 0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT tel FROM customer_data WHERE c_code = ?"), {code}).toString(),
              QStringLiteral("0912345678"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT input_date FROM customer_data WHERE c_code = ?"), {code}).toString(),
              QStringLiteral("2026-12-08"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM different_move WHERE c_code = ?"), {code}).toInt(), 1);
    EXPECT_EQ(count(QStringLiteral("customer_data")), 2);
}

TEST_F(RecordFormTest, CancelAbandonsAnAddOrAModifyAndReturnsToTheRecordShownBefore)
{
    addCustomer(QStringLiteral("Alder"));
    addCustomer(QStringLiteral("Birch"));
    auto* form = openSample();
    form->click(3);
    ASSERT_EQ(form->name->text(), QStringLiteral("Birch"));

    form->click(5);
    QTest::keyClicks(form->name, QStringLiteral("Cedar"));
    form->click(8);
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch"));
    EXPECT_EQ(form->caption(5), QStringLiteral("add"));
    EXPECT_EQ(form->caption(7), QStringLiteral("modify"));
    EXPECT_EQ(count(QStringLiteral("customer_data")), 2);
    EXPECT_EQ(count(QStringLiteral("different_move")), 0);
    EXPECT_EQ(form->counter->text(), QStringLiteral("2"));

    form->click(7);
    EXPECT_EQ(form->caption(7), QStringLiteral("sure_modify"));
    EXPECT_EQ(form->enabledButtons(), (QList<int>{7, 8}));
    form->name->clear();
    QTest::keyClicks(form->name, QStringLiteral("Changed"));
    form->click(8);
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch"));
    EXPECT_EQ(form->caption(7), QStringLiteral("modify"));
    EXPECT_TRUE(form->toolbar->button(8)->isEnabled()) << "cancel stays usable once an edit has begun";
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM customer_data WHERE name = 'Birch'")).toInt(), 1);
}

TEST_F(RecordFormTest, AddThenCancelOnAnEmptyTableReturnsToIdleWithNothingWritten)
{
    auto* form = openSample();
    form->click(5);
    QTest::keyClicks(form->name, QStringLiteral("Alder"));
    form->click(8);
    EXPECT_EQ(form->toolbar->state(), RecordToolbar::State::Idle);
    EXPECT_TRUE(form->name->text().isEmpty());
    EXPECT_FALSE(form->customers.recordset().hasCurrentRow());
    EXPECT_EQ(count(QStringLiteral("customer_data")), 0);
    EXPECT_EQ(count(QStringLiteral("different_move")), 0);
    EXPECT_EQ(messages.count(), 0);

    // The form stays usable: the next add saves.
    form->click(5);
    QTest::keyClicks(form->name, QStringLiteral("Birch"));
    form->click(5);
    EXPECT_EQ(count(QStringLiteral("customer_data")), 1);
}

TEST_F(RecordFormTest, AnAddSaveTheDatabaseRefusesWritesNothingAndTheNextClickRetries)
{
    db->exec(QStringLiteral("CREATE TRIGGER refuse_moves BEFORE INSERT ON different_move "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    auto* form = openSample();
    form->click(5);
    QTest::keyClicks(form->name, QStringLiteral("Alder"));
    form->click(5);

    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(sameBox(messages.last(), QStringLiteral("input Err!!!"), 16, QStringLiteral("Err.")));
    EXPECT_EQ(form->caption(5), QStringLiteral("sure_add"));
    EXPECT_FALSE(form->name->isReadOnly());
    EXPECT_EQ(form->name->text(), QStringLiteral("Alder"));
    EXPECT_EQ(count(QStringLiteral("customer_data")), 0) << "the customer row went back with its companion";
    EXPECT_EQ(form->counter->text(), QStringLiteral("0"));

    form->click(5);
    EXPECT_EQ(messages.count(), 2) << "a failure that persists is told again";

    db->exec(QStringLiteral("DROP TRIGGER refuse_moves"));
    form->click(5);
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(form->caption(5), QStringLiteral("add"));
    EXPECT_EQ(count(QStringLiteral("customer_data")), 1);
    EXPECT_EQ(count(QStringLiteral("different_move")), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT c_code FROM different_move")).toInt(), form->code->text().toInt());
    EXPECT_EQ(form->counter->text(), QStringLiteral("1"));
}

TEST_F(RecordFormTest, AModifySaveWithTextItsColumnCannotTakeIsReportedAndKeptOpen)
{
    addCustomer(QStringLiteral("Alder"));
    auto* form = openSample();
    form->click(7);
    QTest::keyClicks(form->inputDate, QStringLiteral("2026/2/30"));
    form->click(7);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(sameBox(messages.last(), QStringLiteral("input Err.!!!"), 16, QStringLiteral("Err.")));
    EXPECT_EQ(form->caption(7), QStringLiteral("sure_modify"));
    EXPECT_TRUE(db->scalar(QStringLiteral("SELECT input_date FROM customer_data")).isNull());

    form->inputDate->setText(QStringLiteral("2026/2/28"));
    form->click(7);
    EXPECT_EQ(form->caption(7), QStringLiteral("modify"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT input_date FROM customer_data")).toString(), QStringLiteral("2026-02-28"));
}

TEST_F(RecordFormTest, DeleteAsksFirstAndShowsThePreviousOrTheNewFirstRow)
{
    addCustomer(QStringLiteral("Alder"));
    addCustomer(QStringLiteral("Birch"));
    addCustomer(QStringLiteral("Cedar"));
    auto* form = openSample();
    form->click(4);
    QSignalSpy deletions(form->toolbar, &RecordToolbar::deleted);

    messages.answer(MessageService::No);
    form->click(6);
    EXPECT_TRUE(sameBox(messages.last(), QStringLiteral("Delete the data???"), 52, QStringLiteral("del")));
    EXPECT_EQ(deletions.count(), 0);
    EXPECT_EQ(count(QStringLiteral("customer_data")), 3);
    EXPECT_EQ(form->name->text(), QStringLiteral("Cedar"));

    messages.answer(MessageService::Yes);
    form->click(6);
    EXPECT_EQ(count(QStringLiteral("customer_data")), 2);
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch"));
    EXPECT_EQ(form->counter->text(), QStringLiteral("2"));
    EXPECT_EQ(deletions.count(), 1);

    form->click(1);
    messages.answer(MessageService::Yes);
    form->click(6);
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch")) << "the new first row";
    EXPECT_EQ(form->counter->text(), QStringLiteral("1"));

    messages.answer(MessageService::Yes);
    form->click(6);
    EXPECT_EQ(count(QStringLiteral("customer_data")), 0);
    EXPECT_TRUE(form->name->text().isEmpty());
    EXPECT_EQ(form->counter->text(), QStringLiteral("0"));

    form->click(6); // nothing left to delete: no question
    EXPECT_EQ(messages.count(), 4);
}

TEST_F(RecordFormTest, ADeleteAnotherClerkGotInFirstIsReportedAndCountsNothing)
{
    addCustomer(QStringLiteral("Alder"));
    const int birch = addCustomer(QStringLiteral("Birch"));
    auto* form = openSample();
    form->click(4);
    openSecondConnection(*db)->exec(QStringLiteral("UPDATE customer_data SET tel = '1' WHERE c_code = ?"), {birch});
    QSignalSpy deletions(form->toolbar, &RecordToolbar::deleted);

    messages.answer(MessageService::Yes);
    form->click(6);
    EXPECT_TRUE(sameBox(messages.last(), QStringLiteral("input Err!!!"), 16, QStringLiteral("Err.")));
    EXPECT_TRUE(messages.last().detail.startsWith(QStringLiteral("Another clerk changed")));
    EXPECT_EQ(count(QStringLiteral("customer_data")), 2);
    EXPECT_EQ(form->counter->text(), QStringLiteral("2"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch"));
    EXPECT_EQ(form->tel->text(), QStringLiteral("1")) << "the row as it now stands";
    EXPECT_EQ(deletions.count(), 0);
}

TEST_F(RecordFormTest, AfterAnotherClerksChangeCancelShowsTheRowAsItStandsAndTheNextModifySaves)
{
    const int alder = addCustomer(QStringLiteral("Alder"), QStringLiteral("111"));
    auto* form = openSample();
    form->click(7);
    form->name->setText(QStringLiteral("Alder & Sons"));
    openSecondConnection(*db)->exec(QStringLiteral("UPDATE customer_data SET tel = '222' WHERE c_code = ?"), {alder});

    form->click(7);
    EXPECT_TRUE(sameBox(messages.last(), QStringLiteral("input Err.!!!"), 16, QStringLiteral("Err.")));
    EXPECT_TRUE(messages.last().detail.startsWith(QStringLiteral("Another clerk changed"))) << messages.last().detail.toStdString();
    EXPECT_EQ(form->caption(7), QStringLiteral("sure_modify")) << "the change stays in progress";
    EXPECT_EQ(form->name->text(), QStringLiteral("Alder & Sons")) << "what the clerk typed is kept";

    form->click(8);
    EXPECT_EQ(form->name->text(), QStringLiteral("Alder"));
    EXPECT_EQ(form->tel->text(), QStringLiteral("222")) << "cancel shows the row as it now stands";

    form->click(7);
    form->name->setText(QStringLiteral("Alder & Sons"));
    form->click(7);
    EXPECT_EQ(form->caption(7), QStringLiteral("modify"));
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT name || '/' || tel FROM customer_data")).toString(),
              QStringLiteral("Alder & Sons/222"));
}

TEST_F(RecordFormTest, MovesStopAtTheEndsAndAnEmptyTableIsReported)
{
    addCustomer(QStringLiteral("Alder"));
    addCustomer(QStringLiteral("Birch"));
    auto* form = openSample();
    form->click(2);
    EXPECT_EQ(form->name->text(), QStringLiteral("Alder"));
    form->click(3);
    form->click(3);
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch"));
    form->click(1);
    EXPECT_EQ(form->name->text(), QStringLiteral("Alder"));
    form->click(4);
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch"));
    EXPECT_EQ(messages.count(), 0);

    db->exec(QStringLiteral("DELETE FROM customer_data"));
    form->click(9);
    EXPECT_TRUE(form->name->text().isEmpty());
    form->click(3);
    EXPECT_TRUE(sameBox(messages.last(), QStringLiteral("input Err!!!"), 16, QStringLiteral("Err.")));
}

// A form numbering its rows itself: the contact log's serials.
class NumberedForm : public QWidget {
public:
    explicit NumberedForm(AppContext& app) : notes(app.db, this)
    {
        notes.setQuery(QStringLiteral("SELECT * FROM business_stay ORDER BY serial"));
        notes.refresh();
        serial = new QLineEdit(this);
        item = new QLineEdit(this);
        auto* binder = new Binder(notes.recordset(), this);
        binder->bind(serial, QStringLiteral("serial"));
        binder->bind(item, QStringLiteral("contact_item"));

        using Role = RecordToolbar::Role;
        RecordToolbar::Config config;
        config.buttons = {{Role::First, QStringLiteral("first "), {}}, {Role::Previous, QStringLiteral("previous"), {}},
                          {Role::Next, QStringLiteral("next"), {}},    {Role::Last, QStringLiteral("last"), {}},
                          {Role::Add, QStringLiteral("add"), {}},      {Role::Delete, QStringLiteral("delete"), {}},
                          {Role::Modify, QStringLiteral("modify"), {}}, {Role::Cancel, QStringLiteral("cancel"), {}},
                          {Role::Update, QStringLiteral("update"), {}}};
        config.main = &notes;
        config.keyBoxes = {serial};
        config.entryBoxes = {item};
        config.numbering = RecordToolbar::Numbering{
            MaxPlusOneNumbering(app.db, QStringLiteral("business_stay"), QStringLiteral("serial")),
            [this](qint32 code) { serial->setText(QString::number(code)); }};
        config.messages = ErrorMessageBoxes::ContactLog::toolbar;
        toolbar = new RecordToolbar(app, std::move(config), this);
    }
    void click(int index) { toolbar->button(index)->trigger(); }

    DataSource notes;
    QLineEdit* serial;
    QLineEdit* item;
    RecordToolbar* toolbar;
};

TEST_F(RecordFormTest, NumberingStartsAtOneAndFollowsTheHighestCode)
{
    MaxPlusOneNumbering numbering(*db, QStringLiteral("business_stay"), QStringLiteral("serial"));
    EXPECT_EQ(numbering.next(), 1);
    for (int serial : {3, 41, 7})
        db->exec(QStringLiteral("INSERT INTO business_stay (serial) VALUES (?)"), {serial});
    EXPECT_EQ(numbering.next(), 42);

    NumberedForm form(*app);
    form.click(5);
    EXPECT_EQ(form.serial->text(), QStringLiteral("42"));
    form.click(8);
    form.click(5);
    EXPECT_EQ(form.serial->text(), QStringLiteral("42")) << "a cancelled add leaves its number free";
}

TEST_F(RecordFormTest, TwoClerksAddingAtOnceGetTwoNumbers)
{
    NumberedForm form(*app);
    form.click(5);
    ASSERT_EQ(form.serial->text(), QStringLiteral("1"));
    form.item->setText(QStringLiteral("mine"));

    // The other clerk began at the same moment and saved first.
    openSecondConnection(*db)->exec(QStringLiteral("INSERT INTO business_stay (serial, contact_item) VALUES (1, 'theirs')"));

    form.click(5);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(form.serial->text(), QStringLiteral("2"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT contact_item FROM business_stay WHERE serial = 1")).toString(),
              QStringLiteral("theirs"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT contact_item FROM business_stay WHERE serial = 2")).toString(),
              QStringLiteral("mine"));
}

// The last number of the column is given; past it the save is refused with the reason, never wrapped.
TEST_F(RecordFormTest, AColumnWithoutANumberLeftRefusesTheAddWithTheReason)
{
    db->exec(QStringLiteral("INSERT INTO business_stay (serial) VALUES (2147483646)"));
    NumberedForm form(*app);
    form.click(5);
    EXPECT_EQ(form.serial->text(), QStringLiteral("2147483647"));
    form.click(5);
    EXPECT_EQ(messages.count(), 0);
    form.click(5);
    form.click(5);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().detail,
              QStringLiteral("No number is left for a new row of business_stay: serial goes up to 2147483647."));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM business_stay")).toInt(), 2);
}

// Clerks at two PCs adding employees and journal rows as fast as they can: every row is saved, each
// with a number of its own.
class NumberingTest : public ::testing::TestWithParam<Backend> {};

TEST_P(NumberingTest, ClerksAddingAtOnceAllSaveWithNumbersOfTheirOwn)
{
    REQUIRE_BACKEND(GetParam());
    const auto books = openTestDatabase(GetParam());
    constexpr int rowsEach = 30;
    std::atomic<int> refused = 0;
    const auto clerk = [&refused, location = books->location()] {
        auto db = Database::open(location);
        const MaxPlusOneNumbering employees(*db, QStringLiteral("employees_data"), QStringLiteral("e_code"));
        const MaxPlusOneNumbering journal(*db, QStringLiteral("account_table"), QStringLiteral("serial"));
        for (int i = 0; i < rowsEach; ++i) {
            try {
                Transaction save(*db);
                db->exec(QStringLiteral("INSERT INTO employees_data (e_code) VALUES (?)"), {employees.take()});
                db->exec(QStringLiteral("INSERT INTO account_table (serial) VALUES (?)"), {journal.take()});
                save.commit();
            } catch (const DataError&) {
                ++refused;
            }
        }
    };
    std::thread first(clerk);
    std::thread second(clerk);
    first.join();
    second.join();
    EXPECT_EQ(refused, 0);
    for (const char* column : {"count(DISTINCT e_code) FROM employees_data", "count(DISTINCT serial) FROM account_table"})
        EXPECT_EQ(books->scalar(QStringLiteral("SELECT ") + QLatin1String(column)).toInt(), 2 * rowsEach) << column;
}

INSTANTIATE_TEST_SUITE_P(Backends, NumberingTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
