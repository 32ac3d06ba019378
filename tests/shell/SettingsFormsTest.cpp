#include "ShellTest.h"

#include "widgets/DataGrid.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "app/FormCatalog.h"
#include "shell/DesktopMessageService.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>

namespace {

using namespace Qt::StringLiterals;

class SettingsFormsTest : public ShellTest {
protected:
    QVariantList column(const QString& sql)
    {
        QVariantList values;
        QSqlQuery query = db->exec(sql);
        while (query.next())
            values << query.value(0);
        return values;
    }

    static QString cellText(DataGrid* grid, int row, int column)
    {
        return grid->model()->index(row, column).data().toString();
    }

    static void clickCell(DataGrid* grid, int row, int column)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QApplication::processEvents();
    }

    // Types over a cell, as a clerk does with F2, and confirms with Enter; the row is written when left.
    static void typeInto(DataGrid* grid, int row, int column, const QString& text)
    {
        clickCell(grid, row, column);
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << "the cell did not open for editing";
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }

    static bool locked(DataGrid* grid)
    {
        return !grid->allowAddNew() && !grid->allowDelete() && !grid->allowUpdate();
    }
};

TEST_F(SettingsFormsTest, LookupGridsStayLockedUntilTheBoxIsTicked)
{
    QWidget* form = open(u"其它設定"_s);
    auto* unlock = child<QCheckBox>(form, u"Check1"_s);
    QList<DataGrid*> grids;
    for (int number = 1; number <= 4; ++number)
        grids << child<DataGrid>(form, u"DataGrid%1"_s.arg(number));
    EXPECT_FALSE(unlock->isChecked());
    for (DataGrid* grid : grids)
        EXPECT_TRUE(locked(grid));

    QTest::mouseClick(unlock, Qt::LeftButton);
    for (DataGrid* grid : grids)
        EXPECT_TRUE(grid->allowAddNew() && grid->allowDelete() && grid->allowUpdate());

    for (int click = 0; click < 3; ++click)
        QTest::mouseClick(unlock, Qt::LeftButton);
    for (DataGrid* grid : grids)
        EXPECT_TRUE(locked(grid)) << "two pairs of clicks leave the grids as after the first pair";
}

TEST_F(SettingsFormsTest, UnlockedMilkAreasCanBeAddedChangedAndDeleted)
{
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (5), (2)"_s);
    db->exec(u"INSERT INTO expense_area (expense_area) VALUES (9)"_s);
    QWidget* form = openActive(u"奶區費區"_s);
    auto* milkAreas = child<DataGrid>(form, u"DataGrid1"_s);
    EXPECT_EQ(cellText(milkAreas, 0, 0), u"2"_s) << "listed in ascending order";
    EXPECT_EQ(cellText(child<DataGrid>(form, u"DataGrid2"_s), 0, 0), u"9"_s);

    QTest::mouseClick(child<QCheckBox>(form, u"Check1"_s), Qt::LeftButton);
    ASSERT_EQ(milkAreas->model()->rowCount(), 3) << "the empty last line takes new rows";
    typeInto(milkAreas, 2, 0, u"7"_s);
    clickCell(milkAreas, 0, 0);
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s), (QVariantList{2, 5, 7}));

    typeInto(milkAreas, 0, 0, u"3"_s);
    clickCell(milkAreas, 1, 0);
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s), (QVariantList{3, 5, 7}));

    clickCell(milkAreas, 1, 0);
    QTest::keyClick(milkAreas, Qt::Key_Delete);
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s), (QVariantList{3, 7}));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(SettingsFormsTest, TextInANumberColumnIsRefusedAndNotWritten)
{
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1)"_s);
    QWidget* form = openActive(u"奶區費區"_s);
    auto* milkAreas = child<DataGrid>(form, u"DataGrid1"_s);
    QTest::mouseClick(child<QCheckBox>(form, u"Check1"_s), Qt::LeftButton);

    typeInto(milkAreas, 0, 0, u"north"_s);
    clickCell(milkAreas, 1, 0);
    ASSERT_GE(messages.count(), 1);
    EXPECT_EQ(messages.last().flags, MessageService::Critical);
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area"_s), QVariantList{1});

    typeInto(milkAreas, 1, 0, u"4x"_s);
    clickCell(milkAreas, 0, 0);
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s), QVariantList{1})
        << "a partly numeric entry is not a number either";
}

TEST_F(SettingsFormsTest, AnAreaThatIsNoWholeNumberOfTheColumnIsRefusedWithItsRange)
{
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1)"_s);
    QWidget* form = openActive(u"奶區費區"_s);
    auto* milkAreas = child<DataGrid>(form, u"DataGrid1"_s);
    QTest::mouseClick(child<QCheckBox>(form, u"Check1"_s), Qt::LeftButton);

    for (const QString& typed : {u"2.5"_s, u"1000000000000000"_s, u"1e400"_s}) {
        typeInto(milkAreas, 1, 0, typed);
        clickCell(milkAreas, 0, 0);
        ASSERT_GE(messages.count(), 1) << typed.toStdString();
        EXPECT_EQ(messages.last().flags, MessageService::Critical);
        EXPECT_EQ(messages.last().detail, u"milk area must be a whole number from -2147483648 to 2147483647."_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTest::keyClick(milkAreas, Qt::Key_Escape);
    }
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area"_s), QVariantList{1});
}

TEST_F(SettingsFormsTest, ACorrectedEntryIsWrittenWhenTheKeyboardLeavesTheRow)
{
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1), (2)"_s);
    QWidget* form = openActive(u"奶區費區"_s);
    auto* milkAreas = child<DataGrid>(form, u"DataGrid1"_s);
    QTest::mouseClick(child<QCheckBox>(form, u"Check1"_s), Qt::LeftButton);

    typeInto(milkAreas, 0, 0, u"x7"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QApplication::processEvents();
    ASSERT_EQ(messages.count(), 1);

    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "the refused text waits in its cell";
    editor->selectAll();
    QTest::keyClicks(editor, u"7"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s), (QVariantList{2, 7}));
    EXPECT_EQ(messages.count(), 1);
}

// The same with the desktop's own box, which takes the focus from the grid while it is open and gives
// it back when the clerk presses Enter on it.
TEST_F(SettingsFormsTest, ACorrectionAfterTheDesktopsRefusalBoxIsWrittenWhenTheKeyboardLeavesTheRow)
{
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (1), (2)"_s);
    DesktopMessageService desktop;
    AppContext desktopApp(*db, desktop, clock);
    registerForms(desktopApp);
    QWidget* form = OpenFormCommand(desktopApp)(u"奶區費區"_s);
    activate(form->window());
    auto* milkAreas = child<DataGrid>(form, u"DataGrid1"_s);
    QTest::mouseClick(child<QCheckBox>(form, u"Check1"_s), Qt::LeftButton);

    int boxes = 0;
    QTimer clerk;
    QObject::connect(&clerk, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            ++boxes;
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    clerk.start(20);

    clickCell(milkAreas, 0, 0);
    QTest::keyClicks(milkAreas, u"x7"_s); // a key opens the cell, as on the desktop
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes == 1 && !QApplication::activeModalWidget(); }, 5000));
    // The window manager gives the frame back its activation; the offscreen platform does not.
    activate(form->window());

    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "the refused text waits in its cell with the focus";
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, u"7"_s);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::qWait(50);
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s), (QVariantList{2, 7}));
    EXPECT_EQ(boxes, 1);
}

TEST_F(SettingsFormsTest, ARefusedAreaIsToldInTheClerksWords)
{
    db->exec(u"INSERT INTO milk_area (milk_area) VALUES (5), (6)"_s);
    QWidget* form = openActive(u"奶區費區"_s);
    auto* milkAreas = child<DataGrid>(form, u"DataGrid1"_s);
    QTest::mouseClick(child<QCheckBox>(form, u"Check1"_s), Qt::LeftButton);

    typeInto(milkAreas, 1, 0, u"5"_s);
    clickCell(milkAreas, 0, 0);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, u"milk area 5 exists already"_s);
    EXPECT_FALSE(messages.last().detail.contains(u"UNIQUE"_s)) << messages.last().detail.toStdString();
    EXPECT_EQ(column(u"SELECT milk_area FROM milk_area ORDER BY milk_area"_s), (QVariantList{5, 6}));
}

TEST_F(SettingsFormsTest, CompanyRecordCanOnlyBeChanged)
{
    QWidget* form = openActive(u"公司"_s);
    auto* grid = child<DataGrid>(form, u"DataGrid1"_s);
    EXPECT_EQ(grid->caption(), u"Company Setting"_s);
    EXPECT_TRUE(locked(grid));

    QTest::mouseClick(child<QCheckBox>(form, u"Check1"_s), Qt::LeftButton);
    EXPECT_TRUE(grid->allowUpdate());
    EXPECT_FALSE(grid->allowAddNew());
    EXPECT_FALSE(grid->allowDelete());
    EXPECT_EQ(grid->model()->rowCount(), 1) << "no line for new rows";

    typeInto(grid, 0, 0, u"Halcyon Dairy"_s);
    ASSERT_TRUE(grid->commitRow());
    EXPECT_EQ(db->scalar(u"SELECT company_name FROM company_data"_s).toString(), u"Halcyon Dairy"_s);

    clickCell(grid, 0, 0);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(db->scalar(u"SELECT count(*) FROM company_data"_s).toInt(), 1);
}

TEST_F(SettingsFormsTest, ExitClosesTheFormAndTheNextOpenLoadsItAfresh)
{
    QWidget* form = open(u"其它設定"_s);
    QTest::mouseClick(child<QCheckBox>(form, u"Check1"_s), Qt::LeftButton);
    auto* exit = child<QPushButton>(form, u"離開"_s);
    EXPECT_EQ(exit->text(), u"Exit"_s);
    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_FALSE(isOpen(u"其它設定"_s));

    db->exec(u"INSERT INTO bottle_type (bottle_type) VALUES ('glass')"_s);
    form = open(u"其它設定"_s);
    EXPECT_FALSE(child<QCheckBox>(form, u"Check1"_s)->isChecked());
    EXPECT_EQ(cellText(child<DataGrid>(form, u"DataGrid1"_s), 0, 0), u"glass"_s);
    EXPECT_NE(qobject_cast<QMdiSubWindow*>(form->parentWidget()), nullptr);
}

} // namespace
