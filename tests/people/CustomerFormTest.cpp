#include "FormTest.h"

#include "widgets/DataCombo.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "data/TextRules.h"
#include "records/RecordToolbar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class CustomerFormTest : public FormTest {
protected:
    int addCustomer(const QString& name, const QVariant& milkArea = {}, int cancelled = 0, const QString& tel = {})
    {
        return db->scalar(QStringLiteral("INSERT INTO customer_data (name, milk_area, cancel, tel, goods_addr) "
                                         "VALUES (?, ?, ?, ?, ?) RETURNING c_code"),
                          {name, milkArea.isNull() ? QVariant(QMetaType::fromType<int>()) : milkArea, cancelled, tel,
                           name + QStringLiteral(" Lane")})
            .toInt();
    }
    int count(const QString& table) { return db->scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(); }
    int rowsOf(const QString& table, int code)
    {
        return db->scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE c_code = ?").arg(table), {code}).toInt();
    }

    QWidget* openForm()
    {
        form = open(QStringLiteral("客戶基本資料"));
        toolbar = child<RecordToolbar>(form, QStringLiteral("Toolbar1"));
        return form;
    }
    void click(int index) { clickTool(toolbar, index); }
    QLineEdit* text1(int index) { return child<QLineEdit>(form, QStringLiteral("text1(%1)").arg(index)); }
    QString shown(const QString& name) { return child<QLabel>(form, name)->text(); }
    void typeInto(DataCombo* combo, const QString& text)
    {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), text);
    }
    void search(const QString& option, const QString& text)
    {
        child<QRadioButton>(form, option)->setChecked(true);
        child<QLineEdit>(form, QStringLiteral("Text3"))->setText(text);
        QTest::mouseClick(child<QPushButton>(form, QStringLiteral("搜尋")), Qt::LeftButton);
    }

    QWidget* form = nullptr;
    RecordToolbar* toolbar = nullptr;
};

TEST_F(CustomerFormTest, OpensOnTheActiveCustomersCountingAllOfThem)
{
    addCustomer(QStringLiteral("Alder"));
    addCustomer(QStringLiteral("Gone"), {}, 1);
    addCustomer(QStringLiteral("Cedar"));
    openForm();

    EXPECT_EQ(form->windowTitle(), QStringLiteral("客戶基本資料"));
    EXPECT_EQ(shown(QStringLiteral("計數")), QStringLiteral("3"));
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Alder"));
    EXPECT_TRUE(text1(0)->isReadOnly());
    EXPECT_TRUE(text1(11)->isReadOnly());
    EXPECT_TRUE(child<DataCombo>(form, QStringLiteral("DataCombo5"))->isLocked());
    EXPECT_FALSE(child<QCheckBox>(form, QStringLiteral("Check4"))->isEnabled());
    EXPECT_FALSE(child<QPushButton>(form, QStringLiteral("再搜尋"))->isEnabled());
    EXPECT_FALSE(toolbar->button(8)->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(form, QStringLiteral("Option1"))->isChecked());
    EXPECT_EQ(toolbar->button(10)->text(), QStringLiteral("all view"));
    EXPECT_EQ(toolbar->button(10)->toolTip(), QStringLiteral("客戶全灠"));

    click(4);
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Cedar")) << "the cancelled customer is hidden";

    child<QCheckBox>(form, QStringLiteral("Check5"))->click();
    click(3);
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Gone"));
    EXPECT_EQ(shown(QStringLiteral("計數")), QStringLiteral("3"));
}

TEST_F(CustomerFormTest, CustomersThatCannotBeReadAreSaidNotShownAsNone)
{
    db->exec(QStringLiteral("ALTER TABLE customer_data RENAME TO customer_data_damaged"));
    openForm();
    ASSERT_GE(messages.count(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("Err."));
    EXPECT_EQ(messages.last().flags, MessageService::Critical);
}

TEST_F(CustomerFormTest, ANewCustomerBringsItsBillMoveAndFirstOrderRows)
{
    addCustomer(QStringLiteral("Alder"));
    db->exec(QStringLiteral("INSERT INTO milk_area (milk_area) VALUES (3), (5)"));
    openForm();
    QApplication::setActiveWindow(form);

    click(5);
    EXPECT_TRUE(text1(0)->text().isEmpty());
    EXPECT_TRUE(text1(0)->isReadOnly());
    EXPECT_TRUE(child<QLineEdit>(form, QStringLiteral("Text3"))->isReadOnly());
    EXPECT_FALSE(child<QPushButton>(form, QStringLiteral("下訂單"))->isEnabled());
    EXPECT_EQ(text1(5)->text(), QStringLiteral("2026/12/8"));
    QTest::keyClicks(text1(1), QStringLiteral("Birch"));
    QTest::keyClicks(text1(2), QStringLiteral("0227001234"));
    QTest::keyClicks(text1(8), QStringLiteral("9 Elm Rd")); // the lower box on the same column stays empty
    typeInto(child<DataCombo>(form, QStringLiteral("DataCombo2")), QStringLiteral("5"));
    click(5);

    ASSERT_EQ(messages.count(), 0);
    const int code = text1(0)->text().toInt();
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT max(c_code) FROM customer_data")).toInt(), code);
    EXPECT_EQ(app->values.current_c_code, code);
    EXPECT_EQ(shown(QStringLiteral("計數")), QStringLiteral("2"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT tel FROM customer_data WHERE c_code = ?"), {code}).toString(),
              QStringLiteral("0227001234"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data WHERE c_code = ?"), {code}).toInt(), 5);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT goods_addr FROM customer_data WHERE c_code = ?"), {code}).toString(),
              QStringLiteral("9 Elm Rd"));
    EXPECT_EQ(rowsOf(QStringLiteral("acrossbills_data"), code), 1);
    EXPECT_EQ(rowsOf(QStringLiteral("different_move"), code), 1);
    EXPECT_EQ(rowsOf(QStringLiteral("order_data"), code), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT start_date || ' ' || input_date FROM order_data")).toString(),
              QStringLiteral("2026-12-08 2026-12-08"));
    EXPECT_EQ(count(QStringLiteral("turn_milk")), 0);
}

TEST_F(CustomerFormTest, ACancelledAddLeavesNoRowInAnyTable)
{
    addCustomer(QStringLiteral("Alder"));
    openForm();
    click(5);
    QTest::keyClicks(text1(1), QStringLiteral("Birch"));
    click(8);

    EXPECT_EQ(text1(1)->text(), QStringLiteral("Alder"));
    EXPECT_EQ(count(QStringLiteral("customer_data")), 1);
    for (const char* table : {"acrossbills_data", "different_move", "order_data"})
        EXPECT_EQ(count(QString::fromLatin1(table)), 0) << table;
}

TEST_F(CustomerFormTest, AFailingCompanionRowUndoesTheWholeNewCustomerUntilTheRetry)
{
    db->exec(QStringLiteral("CREATE TRIGGER refuse_orders BEFORE INSERT ON order_data "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    openForm();
    click(5);
    QTest::keyClicks(text1(1), QStringLiteral("Birch"));
    click(5);

    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("input Err!!!"));
    EXPECT_EQ(messages.last().flags, 16);
    EXPECT_EQ(messages.last().title, QStringLiteral("Err."));
    EXPECT_EQ(toolbar->button(5)->text(), QStringLiteral("sure_add"));
    for (const char* table : {"customer_data", "acrossbills_data", "different_move", "order_data"})
        EXPECT_EQ(count(QString::fromLatin1(table)), 0) << table;
    EXPECT_EQ(app->values.current_c_code, 0);

    db->exec(QStringLiteral("DROP TRIGGER refuse_orders"));
    click(5);
    EXPECT_EQ(messages.count(), 1);
    const int code = text1(0)->text().toInt();
    EXPECT_GT(code, 0);
    for (const char* table : {"customer_data", "acrossbills_data", "different_move", "order_data"})
        EXPECT_EQ(rowsOf(QString::fromLatin1(table), code), 1) << table;
    EXPECT_EQ(shown(QStringLiteral("計數")), QStringLiteral("1"));
}

// The same saves on the server database that several clerks share.
class CustomerFormOnServer : public CustomerFormTest {
protected:
    CustomerFormOnServer() { backend = Backend::PostgreSQL; }
};

TEST_F(CustomerFormOnServer, ANewCustomerIsWrittenWholeOrNotAtAllAndAMovedAreaIsLogged)
{
    openForm();
    db->exec(QStringLiteral("ALTER TABLE different_move RENAME TO different_move_away"));
    click(5);
    QTest::keyClicks(text1(1), QStringLiteral("Birch"));
    click(5);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("input Err!!!"));
    EXPECT_EQ(toolbar->button(5)->text(), QStringLiteral("sure_add"));
    for (const char* table : {"customer_data", "acrossbills_data", "order_data"})
        EXPECT_EQ(count(QString::fromLatin1(table)), 0) << table;

    db->exec(QStringLiteral("ALTER TABLE different_move_away RENAME TO different_move"));
    click(5);
    EXPECT_EQ(messages.count(), 1);
    const int code = text1(0)->text().toInt();
    for (const char* table : {"customer_data", "acrossbills_data", "different_move", "order_data"})
        EXPECT_EQ(rowsOf(QString::fromLatin1(table), code), 1) << table;
    EXPECT_EQ(app->values.current_c_code, code);

    click(7);
    typeInto(child<DataCombo>(form, QStringLiteral("DataCombo2")), QStringLiteral("6"));
    click(7);
    EXPECT_EQ(messages.count(), 1);
    QSqlQuery log = db->exec(QStringLiteral("SELECT original, new_milk FROM turn_milk WHERE c_code = ?"), {code});
    ASSERT_TRUE(log.next());
    EXPECT_TRUE(log.value(0).isNull());
    EXPECT_EQ(log.value(1).toInt(), 6);
}

TEST_F(CustomerFormTest, AModifyThatMovesTheMilkAreaIsLogged)
{
    const int alder = addCustomer(QStringLiteral("Alder"), 3);
    const int birch = addCustomer(QStringLiteral("Birch"));
    openForm();
    auto* milkArea = child<DataCombo>(form, QStringLiteral("DataCombo2"));

    click(7);
    QTest::keyClicks(text1(6), QStringLiteral("gate code 12"));
    click(7);
    EXPECT_EQ(count(QStringLiteral("turn_milk")), 0) << "the area did not change";

    click(7);
    typeInto(milkArea, QStringLiteral("4"));
    click(8);
    EXPECT_EQ(milkArea->text(), QStringLiteral("3"));
    EXPECT_EQ(count(QStringLiteral("turn_milk")), 0) << "a cancelled modify logs nothing";

    click(7);
    typeInto(milkArea, QStringLiteral("5"));
    click(7);
    ASSERT_EQ(messages.count(), 0);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data WHERE c_code = ?"), {alder}).toInt(), 5);
    QSqlQuery log = db->exec(QStringLiteral("SELECT c_code, original, new_milk, input_date FROM turn_milk"));
    ASSERT_TRUE(log.next());
    EXPECT_EQ(log.value(0).toInt(), alder);
    EXPECT_EQ(log.value(1).toInt(), 3);
    EXPECT_EQ(log.value(2).toInt(), 5);
    EXPECT_EQ(log.value(3).toString(), QStringLiteral("2026-12-08"));
    EXPECT_FALSE(log.next());

    click(3);
    click(7);
    typeInto(milkArea, QStringLiteral("7"));
    click(7);
    QSqlQuery fromNone = db->exec(QStringLiteral("SELECT original, new_milk FROM turn_milk WHERE c_code = ?"), {birch});
    ASSERT_TRUE(fromNone.next());
    EXPECT_TRUE(fromNone.value(0).isNull()) << "no area before: the original is empty";
    EXPECT_EQ(fromNone.value(1).toInt(), 7);
}

TEST_F(CustomerFormTest, AMilkAreaThatIsNoNumberIsRefusedAndLogsNothing)
{
    addCustomer(QStringLiteral("Alder"), 3);
    openForm();
    click(7);
    typeInto(child<DataCombo>(form, QStringLiteral("DataCombo2")), QStringLiteral("north"));
    click(7);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("input Err.!!!"));
    EXPECT_EQ(toolbar->button(7)->text(), QStringLiteral("sure_modify"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data")).toInt(), 3);
    EXPECT_EQ(count(QStringLiteral("turn_milk")), 0);
}

TEST_F(CustomerFormTest, FourWaySearchWithTheFormsMissTexts)
{
    addCustomer(QStringLiteral("Alder"), {}, 0, QStringLiteral("0912000111"));
    const int birch = addCustomer(QStringLiteral("Birch O'Neil"), {}, 0, QStringLiteral("0287000222"));
    addCustomer(QStringLiteral("Cedar"), {}, 0, QStringLiteral("0912000333"));
    openForm();

    search(QStringLiteral("Option1"), QStringLiteral("0287"));
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Birch O'Neil"));
    EXPECT_TRUE(child<QPushButton>(form, QStringLiteral("再搜尋"))->isEnabled());
    search(QStringLiteral("Option4"), QStringLiteral("o'neil"));
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Birch O'Neil"));
    search(QStringLiteral("Option3"), QStringLiteral("Cedar Lane"));
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Cedar"));
    search(QStringLiteral("Option2"), QString::number(birch));
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Birch O'Neil"));
    EXPECT_EQ(messages.count(), 0);

    search(QStringLiteral("Option1"), QStringLiteral("0999"));
    EXPECT_EQ(messages.last().text, QStringLiteral("no '0999' data!!"));
    search(QStringLiteral("Option4"), QStringLiteral("Elm's"));
    EXPECT_EQ(messages.last().text, QStringLiteral("no 'Elm's' data!!"));
    search(QStringLiteral("Option3"), QStringLiteral("Oak"));
    EXPECT_EQ(messages.last().text, QStringLiteral("no 'Oak' data!!"));
    search(QStringLiteral("Option2"), QStringLiteral("Elm"));
    EXPECT_EQ(messages.last().text, QStringLiteral("no'0'data!!"));
    EXPECT_EQ(messages.last().title, QStringLiteral("search"));
    EXPECT_EQ(messages.count(), 4);
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Birch O'Neil")) << "each miss returns to the row shown before";
}

TEST_F(CustomerFormTest, TheLatestDeliveryDayFollowsTheCustomerShown)
{
    const int alder = addCustomer(QStringLiteral("Alder"));
    addCustomer(QStringLiteral("Birch"));
    for (const char* day : {"2026-11-30", "2026-12-01", "2026-11-02"})
        db->exec(QStringLiteral("INSERT INTO order_date (c_code, date_d) VALUES (?, ?)"),
                 {alder, QDate::fromString(QString::fromLatin1(day), Qt::ISODate)});
    openForm();
    EXPECT_EQ(shown(QStringLiteral("Label12")), QStringLiteral("2026/12/1"));
    click(3);
    EXPECT_TRUE(shown(QStringLiteral("Label12")).isEmpty());
    click(1);
    EXPECT_EQ(shown(QStringLiteral("Label12")), QStringLiteral("2026/12/1"));
    click(5);
    EXPECT_TRUE(shown(QStringLiteral("Label12")).isEmpty()) << "a new customer has no deliveries";
}

TEST_F(CustomerFormTest, HandOverButtonsPassTheCustomerShown)
{
    addCustomer(QStringLiteral("Alder"));
    const int birch = addCustomer(QStringLiteral("Birch"));
    openForm();
    click(3);

    QTest::mouseClick(child<QPushButton>(form, QStringLiteral("異動")), Qt::LeftButton);
    EXPECT_EQ(app->values.current_c_code, birch);
    EXPECT_EQ(app->values.selected_c_code, birch);

    app->values.selected_c_code = 0;
    QTest::mouseClick(child<QPushButton>(form, QStringLiteral("下訂單")), Qt::LeftButton);
    EXPECT_EQ(app->values.selected_c_code, birch);
    EXPECT_EQ(app->forms.instance(QStringLiteral("訂單")) != nullptr, app->forms.contains(QStringLiteral("訂單")))
        << "the order form opens where the program has it, and only the values are set where not";

    click(10);
    EXPECT_EQ(app->forms.instance(QStringLiteral("客戶全灠")) != nullptr,
              app->forms.contains(QStringLiteral("客戶全灠")));
}

TEST_F(CustomerFormTest, EntryLimitsBindTypingNotTheStoredValues)
{
    addCustomer(QStringLiteral("Birch O'Neil")); // longer than the name box takes
    openForm();
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Birch O'Neil"));
    click(7);
    QTest::keyClicks(text1(6), QStringLiteral("back door"));
    click(7);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT name FROM customer_data")).toString(), QStringLiteral("Birch O'Neil"));

    click(5);
    QTest::keyClicks(text1(1), QStringLiteral("Hawthornberry"));
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Hawthornbe"));
}

TEST_F(CustomerFormTest, EnterAndArrowsMoveThroughTheFieldsAndCombos)
{
    addCustomer(QStringLiteral("Alder"), 3);
    db->exec(QStringLiteral("INSERT INTO milk_area (milk_area) VALUES (3), (5)"));
    openForm();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));

    click(7);
    ASSERT_EQ(QApplication::focusWidget(), text1(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), text1(2));

    auto* milkArea = child<DataCombo>(form, QStringLiteral("DataCombo2"));
    milkArea->setFocus();
    QWidget* before = QApplication::focusWidget();
    QTest::keyClick(before, Qt::Key_Down);
    EXPECT_NE(QApplication::focusWidget(), before);
    EXPECT_EQ(milkArea->text(), QStringLiteral("3")) << "the arrow moves on without stepping the list";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), before);
}

TEST_F(CustomerFormTest, TheSearchBoxIsLockedWhileAddingAndTypedInWhileModifyingButSearchesOnlyWhenIdle)
{
    addCustomer(QStringLiteral("Alder"));
    addCustomer(QStringLiteral("Birch"), {}, 0, QStringLiteral("0287000222"));
    openForm();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    auto* box = child<QLineEdit>(form, QStringLiteral("Text3"));

    click(5);
    EXPECT_TRUE(box->isReadOnly());
    click(8);
    EXPECT_FALSE(box->isReadOnly());

    click(7);
    ASSERT_TRUE(box->isEnabled());
    EXPECT_FALSE(box->isReadOnly());
    EXPECT_FALSE(child<QPushButton>(form, QStringLiteral("搜尋"))->isEnabled());
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("0287"));
    EXPECT_EQ(box->text(), QStringLiteral("0287"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Alder")) << "Enter does not move off the record being modified";
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(toolbar->button(7)->text(), QStringLiteral("sure_modify"));

    click(7);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Birch"));
}

TEST_F(CustomerFormTest, AModifyWhoseAreaLogIsRefusedKeepsTheOldRowAndTheRetryWritesBoth)
{
    addCustomer(QStringLiteral("Alder"), 3);
    openForm();
    db->exec(QStringLiteral("CREATE TRIGGER refuse_log BEFORE INSERT ON turn_milk "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    click(7);
    typeInto(child<DataCombo>(form, QStringLiteral("DataCombo2")), QStringLiteral("5"));
    click(7);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("input Err.!!!"));
    EXPECT_EQ(messages.last().title, QStringLiteral("Err."));
    EXPECT_EQ(toolbar->button(7)->text(), QStringLiteral("sure_modify"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data")).toInt(), 3);

    db->exec(QStringLiteral("DROP TRIGGER refuse_log"));
    click(7);
    EXPECT_EQ(messages.count(), 1);
    EXPECT_EQ(toolbar->button(7)->text(), QStringLiteral("modify"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT milk_area FROM customer_data")).toInt(), 5);
    QSqlQuery log = db->exec(QStringLiteral("SELECT original, new_milk FROM turn_milk"));
    ASSERT_TRUE(log.next());
    EXPECT_EQ(log.value(0).toInt(), 3);
    EXPECT_EQ(log.value(1).toInt(), 5);
    EXPECT_FALSE(log.next());
}

// Ash and Birch of area 1 take milk every day (2 and 1 bottles); the login wrote 12/8 to 12/10. Ash
// also has his past 12/7 and a later day, 12/20; the round took 1 off his 12/9.
class CustomerDeleteTest : public CustomerFormTest, public ::testing::WithParamInterface<Backend> {
protected:
    CustomerDeleteTest() { backend = GetParam(); }

    void SetUp() override
    {
        CustomerFormTest::SetUp();
        if (IsSkipped())
            return;
        db->exec(QStringLiteral("INSERT INTO products_data (code, names, price) VALUES (1, 'milk', 36.5)"));
        for (QDate day(2026, 12, 1); day.month() == 12; day = day.addDays(1))
            db->exec(QStringLiteral("INSERT INTO subscribe_type (subscribe_type, date_d) VALUES ('daily', ?)"), {day});
        db->exec(QStringLiteral("INSERT INTO send_type (serial, send_type, names) VALUES (1, 'M', 'milk')"));
        for (const auto& [name, amount] : {std::pair(QStringLiteral("Ash"), 2), std::pair(QStringLiteral("Birch"), 1)})
            db->exec(QStringLiteral("INSERT INTO order_data (c_code, start_date, amount, subscribe_type, send_type)"
                                    " VALUES (?, '2026-12-01', ?, 'daily', 'M')"),
                     {addCustomer(name, 1), amount});
        DayRows::writeComingDays(*db, clock.today());
        db->exec(QStringLiteral("UPDATE order_date SET subtract_num = 1 WHERE c_code = 1 AND date_d = '2026-12-09'"));
        for (const char* day : {"2026-12-07", "2026-12-20"})
            db->exec(QStringLiteral("INSERT INTO order_date (c_code, date_d, names, subscribe_num, milk_area)"
                                    " VALUES (1, ?, 'milk', 2, 1)"),
                     {QString::fromLatin1(day)});
    }

    // Each customer's delivery days, "1 2026-12-07;...".
    QString days() { return rows(QStringLiteral("SELECT c_code, date_d FROM order_date ORDER BY c_code, date_d")); }
    QString rows(const QString& statement)
    {
        QStringList found;
        QSqlQuery query = db->exec(statement);
        while (query.next())
            found << query.value(0).toString() + u' ' + TextRules::storedDate(query.value(1)).toString(Qt::ISODate);
        return found.join(u';');
    }
};

TEST_P(CustomerDeleteTest, ADeletedCustomersDaysFromTodayOnGoWithHimAndEarlierDaysStay)
{
    const QString birch = QStringLiteral("2 2026-12-08;2 2026-12-09;2 2026-12-10");
    ASSERT_EQ(days(), QStringLiteral("1 2026-12-07;1 2026-12-08;1 2026-12-09;1 2026-12-10;1 2026-12-20;") + birch);
    openForm();
    ASSERT_EQ(text1(1)->text(), QStringLiteral("Ash"));

    // A delete whose days cannot go is refused whole: the customer stays.
    db->exec(QStringLiteral("ALTER TABLE order_date RENAME TO order_date_away"));
    messages.answer(MessageService::Yes);
    click(6);
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().text, QStringLiteral("input Err!!!"));
    EXPECT_EQ(count(QStringLiteral("customer_data")), 2);
    db->exec(QStringLiteral("ALTER TABLE order_date_away RENAME TO order_date"));

    messages.clear();
    messages.answer(MessageService::Yes);
    click(6);
    EXPECT_EQ(messages.count(), 1) << "the question only";
    EXPECT_EQ(text1(1)->text(), QStringLiteral("Birch"));
    EXPECT_EQ(count(QStringLiteral("customer_data")), 1);
    EXPECT_EQ(days(), QStringLiteral("1 2026-12-07;") + birch);
    EXPECT_EQ(rowsOf(QStringLiteral("order_data"), 1), 1) << "the customer's other rows stay";

    // His order stays, yet the next login writes him nothing.
    DayRows::writeComingDays(*db, clock.today());
    EXPECT_EQ(days(), QStringLiteral("1 2026-12-07;") + birch);
}

INSTANTIATE_TEST_SUITE_P(Backends, CustomerDeleteTest, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const auto& info) { return backendName(info.param); });
