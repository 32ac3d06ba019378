#include "SampleRecordForm.h"

#include <QApplication>

class RecordSearchTest : public RecordFormTest {
protected:
    void SetUp() override
    {
        RecordFormTest::SetUp();
        alder = addCustomer(QStringLiteral("Alder"), QStringLiteral("0912000111"), QStringLiteral("1 River Rd"));
        birch = addCustomer(QStringLiteral("Birch O'Neil"), QStringLiteral("0287000222"), QStringLiteral("50% Hill St"));
        cedar = addCustomer(QStringLiteral("Cedar"), QStringLiteral("0912000333"), QStringLiteral("3 River Rd"));
        form = openSample();
    }

    void expectMiss(const QString& text)
    {
        ASSERT_GE(messages.count(), 1);
        EXPECT_EQ(messages.last().text, text);
        EXPECT_EQ(messages.last().flags, 0);
        EXPECT_EQ(messages.last().title, QStringLiteral("search"));
    }

    int alder = 0, birch = 0, cedar = 0;
    SampleRecordForm* form = nullptr;
};

TEST_F(RecordSearchTest, TextSearchesFindTheTextAnywhereAndNextGoesOn)
{
    form->find(form->byTel, QStringLiteral("0912  "));
    EXPECT_EQ(form->name->text(), QStringLiteral("Alder")) << "trailing blanks are not searched for";
    EXPECT_TRUE(form->nextButton->isEnabled());

    QTest::mouseClick(form->nextButton, Qt::LeftButton);
    EXPECT_EQ(form->name->text(), QStringLiteral("Cedar"));

    QTest::mouseClick(form->nextButton, Qt::LeftButton);
    expectMiss(QStringLiteral("no'0912  ' data!!"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Cedar")) << "back on the last match";
    EXPECT_FALSE(form->nextButton->isEnabled());
    EXPECT_EQ(messages.count(), 1);
}

TEST_F(RecordSearchTest, QuotesAndPercentSignsAreJustCharacters)
{
    form->find(form->byName, QStringLiteral("o'neil"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch O'Neil"));

    form->find(form->byAddress, QStringLiteral("50%"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch O'Neil"));
    form->click(1);
    form->find(form->byAddress, QStringLiteral("%"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch O'Neil")) << "% matches only itself";
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(RecordSearchTest, AMissReturnsToTheRowShownBeforeWithItsFormsText)
{
    form->click(3);
    form->find(form->byName, QStringLiteral("Elm"));
    expectMiss(QStringLiteral("no 'Elm' data!!"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch O'Neil"));
    EXPECT_TRUE(form->nextButton->isEnabled()) << "a text search enables search2, hit or miss";

    form->find(form->byAddress, QStringLiteral("Oak"));
    expectMiss(QStringLiteral("no search'Oak'data!!"));

    form->find(form->byCode, QStringLiteral("999"));
    expectMiss(QStringLiteral("no'999'data!!"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch O'Neil"));
}

TEST_F(RecordSearchTest, NumberSearchReadsTheNumberTheTextBeginsWith)
{
    form->find(form->byCode, QString::number(cedar) + QStringLiteral("abc"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Cedar"));

    form->find(form->byCode, QStringLiteral("abc"));
    expectMiss(QStringLiteral("no'0'data!!"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Cedar"));
}

TEST_F(RecordSearchTest, ANumberThatNoWholeCodeIsMissesAsTyped)
{
    for (const QString& key : {QString::number(cedar) + QStringLiteral(".7"), QString::number(cedar - 1) + QStringLiteral(".5"),
                               QStringLiteral("4294967296")}) {
        form->find(form->byCode, key);
        expectMiss(QStringLiteral("no'%1'data!!").arg(key));
        EXPECT_EQ(form->name->text(), QStringLiteral("Alder")) << "nothing was rounded to a code: " << key.toStdString();
    }
    form->find(form->byCode, QString::number(cedar) + QStringLiteral(".0"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Cedar"));
}

TEST_F(RecordSearchTest, AFirstSearchThatMissesLeavesSearchAgainWhereTheFormSaysSo)
{
    for (bool leaves : {false, true}) {
        form->search->setFirstMissLeavesNext(leaves);
        form->nextButton->setEnabled(false);
        form->find(form->byName, QStringLiteral("Elm"));
        EXPECT_EQ(form->nextButton->isEnabled(), !leaves);
        form->find(form->byName, QStringLiteral("Cedar"));
        EXPECT_TRUE(form->nextButton->isEnabled()) << "a hit always offers the next match";
    }
}

TEST_F(RecordSearchTest, AControlCharacterInTheSearchBoxFindsNothing)
{
    form->searchBox->setText(QStringLiteral("Ce"));
    form->searchBox->insert(QStringLiteral("\t\x1b"));
    EXPECT_EQ(form->searchBox->text(), QStringLiteral("Ce")) << "typing or pasting it is refused";

    form->find(form->byName, QStringLiteral("Ce") + QChar(0));
    expectMiss(QStringLiteral("no 'Ce") + QChar(0) + QStringLiteral("' data!!"));
    EXPECT_EQ(messages.last().detail, QStringLiteral("The search box takes no control characters (tab, line break, NUL ...)."));
    EXPECT_EQ(form->name->text(), QStringLiteral("Alder"));
}

TEST_F(RecordSearchTest, AnEmptyBoxSearchesNothingAndSomeOptionsEmptyTheBox)
{
    form->click(3);
    form->find(form->byCode, QString());
    EXPECT_FALSE(form->nextButton->isEnabled());
    form->find(form->byName, QString());
    EXPECT_TRUE(form->nextButton->isEnabled()) << "a search by a text column offers the next match, box or not";
    QTest::mouseClick(form->nextButton, Qt::LeftButton);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(form->name->text(), QStringLiteral("Birch O'Neil"));

    form->searchBox->setText(QStringLiteral("x"));
    form->byAddress->setChecked(true);
    EXPECT_EQ(form->searchBox->text(), QStringLiteral("x"));
    form->byCode->setChecked(true);
    EXPECT_TRUE(form->searchBox->text().isEmpty());
}

TEST_F(RecordSearchTest, CancelAfterASearchReturnsToTheRowTheSearchLeft)
{
    form->click(4);
    form->find(form->byName, QStringLiteral("Alder"));
    form->click(7);
    form->click(8);
    EXPECT_EQ(form->name->text(), QStringLiteral("Alder"));
}

TEST_F(RecordSearchTest, SearchingAGridAlongWithTheRecord)
{
    DataSource grid(*db);
    grid.setQuery(QStringLiteral("SELECT c_code, name FROM customer_data ORDER BY name DESC"));
    grid.refresh();
    RememberedPosition position(form->customers.recordset());
    RecordSearch search(messages, form->customers.recordset(), position, form->searchBox, form->searchButton);
    search.addOption({form->byTel, QStringLiteral("name"), RecordSearch::Match::Text, SearchMissStyle::Spaced});
    search.setGrid(&grid.recordset());

    form->byTel->setChecked(true);
    form->searchBox->setText(QStringLiteral("Birch"));
    search.search();
    EXPECT_EQ(form->customers.recordset().value(QStringLiteral("c_code")).toInt(), birch);
    EXPECT_EQ(grid.recordset().value(QStringLiteral("c_code")).toInt(), birch);

    form->searchBox->setText(QStringLiteral("Elm"));
    search.search();
    EXPECT_EQ(grid.recordset().value(QStringLiteral("c_code")).toInt(), birch) << "the grid goes back too";
}

TEST_F(RecordSearchTest, ANumberSearchWithNextMatchesAndAGridThatOnlyFollows)
{
    db->exec(QStringLiteral("UPDATE customer_data SET milk_area = 3 WHERE c_code IN (?, ?)"), {alder, cedar});
    form->customers.refresh();
    DataSource grid(*db);
    grid.setQuery(QStringLiteral("SELECT c_code, milk_area FROM customer_data WHERE c_code <> ? ORDER BY c_code"),
                  {cedar});
    grid.refresh();
    RememberedPosition position(form->customers.recordset());
    RecordSearch search(messages, form->customers.recordset(), position, form->searchBox, form->searchButton,
                        form->nextButton);
    search.addOption({.button = form->byTel, .field = QStringLiteral("milk_area"), .match = RecordSearch::Match::Number,
                      .missStyle = SearchMissStyle::TightOpen, .findsNext = true, .emptyBoxIsZero = true,
                      .nextMissStyle = SearchMissStyle::Spaced});
    search.setGrid(&grid.recordset(), RecordSearch::GridMiss::GridGoesBack);
    search.setEmptiesBoxOnMiss(true);
    auto recordCode = [&] { return form->customers.recordset().value(QStringLiteral("c_code")).toInt(); };
    auto gridCode = [&] { return grid.recordset().value(QStringLiteral("c_code")).toInt(); };

    form->byTel->setChecked(true);
    form->searchBox->setText(QStringLiteral("003"));
    search.search();
    EXPECT_EQ(recordCode(), alder);
    EXPECT_EQ(gridCode(), alder);
    EXPECT_TRUE(form->nextButton->isEnabled());

    search.findNext();
    EXPECT_EQ(recordCode(), cedar);
    EXPECT_EQ(gridCode(), alder) << "the grid misses and goes back alone";
    EXPECT_EQ(messages.count(), 0);

    search.findNext();
    expectMiss(QStringLiteral("no '3' data!!"));
    EXPECT_EQ(recordCode(), cedar);
    EXPECT_TRUE(form->searchBox->text().isEmpty());
    EXPECT_FALSE(form->nextButton->isEnabled());

    search.search();
    expectMiss(QStringLiteral("no'0' data!!"));
    EXPECT_TRUE(form->nextButton->isEnabled()) << "on after every first search";
}

TEST_F(RecordSearchTest, EnterSearchesInTheSearchBoxAndMovesOnInEntryFields)
{
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));

    form->searchBox->setFocus();
    QTest::keyClicks(form->searchBox, QStringLiteral("Cedar"));
    QTest::keyClick(form->searchBox, Qt::Key_Return);
    EXPECT_EQ(form->name->text(), QStringLiteral("Cedar"));
    EXPECT_EQ(form->searchBox->text(), QStringLiteral("Cedar"));

    form->click(7);
    ASSERT_EQ(QApplication::focusWidget(), form->name);
    QTest::keyClick(form->name, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->tel);
    EXPECT_EQ(form->name->text(), QStringLiteral("Cedar")) << "Enter types nothing";
    QTest::keyClick(form->tel, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), form->inputDate);
    QTest::keyClick(form->inputDate, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), form->tel);
    QTest::keyClick(form->tel, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), form->name);
}
