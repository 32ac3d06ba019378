#include "ScriptedMessageService.h"
#include "SheetRuns.h"
#include "TestDatabase.h"
#include "core/AppContext.h"
#include "data/Recordset.h"
#include "sheets/DesktopOpen.h"
#include "sheets/SpreadsheetWriter.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

class SpreadsheetWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = openTestDatabase(Backend::SQLite);
        app = std::make_unique<AppContext>(*db, messages, clock);
        runs = std::make_unique<SheetRuns>(*app);
    }

    std::unique_ptr<Database> db;
    ScriptedMessageService messages;
    FixedClock clock{QDate(2026, 12, 8)};
    std::unique_ptr<AppContext> app;
    std::unique_ptr<SheetRuns> runs;
};

TEST_F(SpreadsheetWriterTest, CopyWritesEveryFieldInSelectOrderFromItsRowAndColumn)
{
    db->exec(u"insert into customer_data (c_code, name) values (7, '林小姐')"_s);
    db->exec(u"insert into order_date (c_code, date_d, names, subscribe_num, refund) values "
             "(7, '2026-12-08', 'milk', 2, 0), (7, '2026-12-09', 'tea', 1.5, 1)"_s);
    Recordset records(*db);
    // A join: its fields take their types from the columns of the same name.
    records.load(u"select order_date.c_code, name, date_d, subscribe_num, refund, order_date.bottle_type "
                 "from customer_data, order_date where customer_data.c_code = order_date.c_code order by date_d"_s);

    SpreadsheetWriter sheet(*app, u"listing"_s);
    EXPECT_EQ(sheet.copyRecords(records, 4, 2), 2);

    EXPECT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.columnCount(), 7);
    EXPECT_EQ(sheet.cell(4, 1), QVariant());
    EXPECT_EQ(sheet.cell(4, 2).toInt(), 7);
    EXPECT_EQ(sheet.cell(4, 3), QVariant(u"林小姐"_s));
    EXPECT_EQ(sheet.cell(4, 4), QVariant(QDate(2026, 12, 8)));
    EXPECT_EQ(sheet.cell(5, 5).toDouble(), 1.5);
    EXPECT_EQ(sheet.cell(4, 6), QVariant(false));
    EXPECT_EQ(sheet.cell(5, 6), QVariant(true));
    EXPECT_TRUE(sheet.cell(5, 7).isNull());

    records.load(u"select c_code, name from customer_data where c_code = 0"_s);
    EXPECT_EQ(sheet.copyRecords(records, 6, 1), 0);
    EXPECT_EQ(sheet.rowCount(), 5);
}

TEST_F(SpreadsheetWriterTest, SavedWorkbookKeepsNumbersDatesFlagsTextAndEmptyCells)
{
    SpreadsheetWriter sheet(*app, u"goods address"_s);
    sheet.setCell(1, 1, 12.5);
    sheet.setCell(1, 2, QDate(2026, 12, 8));
    sheet.setCell(1, 3, true);
    sheet.setCell(1, 4, u"鮮乳 全脂"_s);
    sheet.setCell(1, 5, QVariant());
    sheet.setCell(2, 1, 3);
    sheet.fitColumns();
    const QString file = sheet.saveAndOpen();

    EXPECT_TRUE(QFileInfo(file).fileName().startsWith(u"goods address 20"_s)) << file.toStdString();
    EXPECT_EQ(QFileInfo(file).suffix(), u"xlsx"_s);
    const QString cells = SheetRuns::partOf(file, u"xl/worksheets/sheet1.xml"_s);
    EXPECT_TRUE(cells.contains(u"<c r=\"A1\"><v>12.5</v></c>"_s)) << cells.toStdString();
    // 2026/12/8 is day 46364 of the spreadsheet's calendar, shown through the date format.
    EXPECT_TRUE(cells.contains(u"<c r=\"B1\" s=\"1\"><v>46364</v></c>"_s)) << cells.toStdString();
    EXPECT_TRUE(cells.contains(u"<c r=\"C1\" s=\"2\" t=\"b\"><v>1</v></c>"_s)) << cells.toStdString();
    EXPECT_TRUE(cells.contains(u"<c r=\"D1\" t=\"inlineStr\"><is><t>鮮乳 全脂</t></is></c>"_s)) << cells.toStdString();
    EXPECT_FALSE(cells.contains(u"r=\"E1\""_s));
    EXPECT_TRUE(cells.contains(u"<c r=\"A2\"><v>3</v></c>"_s));
    // "鮮乳 全脂" is nine characters wide, so its column ten.
    EXPECT_TRUE(cells.contains(u"<col min=\"4\" max=\"4\" width=\"10.7109375\" customWidth=\"1\"/>"_s)) << cells.toStdString();
    EXPECT_TRUE(SheetRuns::partOf(file, u"xl/styles.xml"_s).contains(u"formatCode=\"yyyy/m/d\""_s));

    ASSERT_EQ(runs->sheets().size(), 1);
    EXPECT_EQ(runs->sheets()[0].cell(1, 4), QVariant(u"鮮乳 全脂"_s));
    EXPECT_EQ(runs->opened(), QStringList{file});
}

TEST_F(SpreadsheetWriterTest, EachRunSavesANewFileReadableByItsOwnerOnlyAndOpensIt)
{
    QStringList files;
    const mode_t umaskBefore = ::umask(0); // a umask that would let every account read and write
    for (int run = 0; run < 2; ++run) {
        SpreadsheetWriter sheet(*app, u"customer subscribe date"_s);
        sheet.setCell(4, 1, run);
        files << sheet.saveAndOpen();
    }
    ::umask(umaskBefore);
    EXPECT_NE(files[0], files[1]);
    EXPECT_TRUE(QFile::exists(files[0]) && QFile::exists(files[1]));
    EXPECT_EQ(runs->opened(), files);
    // Readable by the clerk's account only, as the books are, whatever the umask lets through.
    for (const QString& file : files)
        EXPECT_EQ(QFileInfo(file).permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser)
            << file.toStdString();
    // Two runs within one second: the second name takes a number.
    const QString firstStem = files[0].chopped(5);
    if (files[1].startsWith(firstStem)) {
        EXPECT_EQ(files[1], firstStem + u" (2).xlsx"_s);
    }
}

TEST_F(SpreadsheetWriterTest, AFolderThatCannotBeMadeStopsTheSaveAndOpensNothing)
{
    QFile blocker(runs->folder() + u"/plain file"_s);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    app->spreadsheets.folder = blocker.fileName() + u"/listings"_s;

    SpreadsheetWriter sheet(*app, u"goods address"_s);
    sheet.setCell(4, 1, 1);
    EXPECT_THROW(sheet.saveAndOpen(), SheetError);
    EXPECT_TRUE(runs->opened().isEmpty());
}

TEST_F(SpreadsheetWriterTest, ARunThatFailsPartWayStillSavesAndOpensWhatItWrote)
{
    const auto failing = [](SpreadsheetWriter& sheet, bool writeFirst) {
        return sheet.run([&] {
            if (writeFirst)
                sheet.setCell(4, 1, u"first line"_s);
            throw SheetError(u"refused"_s);
        });
    };
    SpreadsheetWriter partial(*app, u"goods address"_s);
    EXPECT_FALSE(failing(partial, true));
    ASSERT_EQ(runs->opened().size(), 1);
    EXPECT_EQ(runs->sheets().last().cell(4, 1), QVariant(u"first line"_s));

    SpreadsheetWriter nothing(*app, u"goods address"_s);
    EXPECT_FALSE(failing(nothing, false));
    EXPECT_EQ(runs->opened().size(), 1);

    SpreadsheetWriter empty(*app, u"goods address"_s);
    EXPECT_TRUE(empty.run([] {}));
    EXPECT_EQ(runs->opened().size(), 2);
}

TEST_F(SpreadsheetWriterTest, RowsEndAtTheSheetsLastRow)
{
    SpreadsheetWriter sheet(*app, u"listing"_s);
    sheet.setCell(SpreadsheetWriter::lastRow, 1, 1);
    EXPECT_THROW(sheet.setCell(SpreadsheetWriter::lastRow + 1, 1, 1), SheetError);
    EXPECT_THROW(sheet.setCell(0, 1, 1), SheetError);
    EXPECT_THROW(sheet.setCell(1, 0, 1), SheetError);

    db->exec(u"insert into milk_area (milk_area) values (1), (2), (3)"_s);
    Recordset areas(*db);
    areas.load(u"select milk_area from milk_area order by milk_area"_s);
    // A copy that runs past the last row keeps what fits.
    EXPECT_THROW(sheet.copyRecords(areas, SpreadsheetWriter::lastRow - 1, 2), SheetError);
    EXPECT_EQ(sheet.cell(SpreadsheetWriter::lastRow, 2).toInt(), 2);
}

TEST_F(SpreadsheetWriterTest, FittedWidthsFollowTheWidestCellWithinACap)
{
    SpreadsheetWriter sheet(*app, u"listing"_s);
    sheet.setCell(1, 1, u"牛奶"_s);               // two wide characters: 4
    sheet.setCell(2, 1, u"abc"_s);
    sheet.setCell(1, 2, QDate(2026, 1, 2));       // "2026/1/2": 8
    sheet.setCell(1, 3, -1234.0);                 // 5
    sheet.setCell(1, 4, 0.125);                   // 5
    sheet.setCell(1, 5, false);                   // "FALSE": 5
    sheet.setCell(1, 7, QString(200, u'x'));
    sheet.setCell(1, 27, u"beyond Z"_s);
    sheet.fitColumns();

    const QList<double> expected{5, 9, 6, 6, 6, 0, 60};
    for (int column = 1; column <= expected.size(); ++column)
        EXPECT_EQ(sheet.columnWidth(column), expected[column - 1]) << "column " << column;
    EXPECT_EQ(sheet.columnWidth(27), 0);
}

TEST_F(SpreadsheetWriterTest, ColumnsFittedBlockByBlockTakeLaterAndRewrittenCellsInto)
{
    SpreadsheetWriter sheet(*app, u"goods address"_s);
    sheet.setCell(4, 1, u"林"_s);
    sheet.setCell(5, 2, 12.0);
    sheet.fitColumns();
    sheet.setCell(20, 1, u"0912345678"_s); // a later block
    sheet.setCell(4, 2, 123456.0);         // a cell of an earlier block, written again
    sheet.fitColumns();
    EXPECT_EQ(sheet.columnWidth(1), 11);
    EXPECT_EQ(sheet.columnWidth(2), 7);

    // The widths reach the saved file.
    const QString cells = SheetRuns::partOf(sheet.saveAndOpen(), u"xl/worksheets/sheet1.xml"_s);
    EXPECT_TRUE(cells.contains(u"<col min=\"1\" max=\"1\" width=\"11.7109375\" customWidth=\"1\"/>"_s))
        << cells.toStdString();
}

TEST_F(SpreadsheetWriterTest, AFileNothingOpensIsNamedInOneBox)
{
    runs->failOpening();
    SpreadsheetWriter sheet(*app, u"goods address"_s);
    EXPECT_TRUE(sheet.run([&] { sheet.setCell(4, 1, 1); }));

    ASSERT_EQ(messages.count(), 1);
    const QString file = runs->opened().value(0);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(messages.last().text,
              u"The listing was saved as\n%1\nbut no program on this computer opens it."_s.arg(file));
    EXPECT_EQ(messages.last().title, u"goods address"_s);
    EXPECT_EQ(messages.last().flags, MessageService::Exclamation);
}

// The desktop's opener as it ends: a success, a failure (no program for the kind), or none on the PATH;
// and a failure that comes after the context it would tell is gone, which calls nothing.
TEST(DesktopOpenTest, TheOpenersFailureIsToldWhileItsContextLives)
{
    struct Case {
        const char* opener; // the script's body; none: no xdg-open
        bool contextGone;
        bool told;
    };
    const Case cases[]{{"exit 0", false, false}, {"exit 3", false, true}, {nullptr, false, true},
                       {"sleep 0.3; exit 3", true, false}};
    const QByteArray path = qgetenv("PATH");
    for (const Case& c : cases) {
        QTemporaryDir bin;
        if (c.opener) {
            QFile script(bin.filePath(u"xdg-open"_s));
            ASSERT_TRUE(script.open(QIODevice::WriteOnly));
            script.write(QByteArray("#!/bin/sh\n") + c.opener + "\n");
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        // Without an opener Qt finds no launcher either.
        qputenv("PATH", bin.path().toLocal8Bit());
        auto context = std::make_unique<QObject>();
        auto told = std::make_shared<bool>(false); // outlives the context, so a late call would be seen
        openOnDesktop(bin.filePath(u"list.xlsx"_s), context.get(), [told] { *told = true; });
        if (c.contextGone)
            context.reset();
        // A success, or a context gone, says nothing: it is given a second to say otherwise.
        static_cast<void>(QTest::qWaitFor([&] { return *told; }, c.told ? 10000 : 1000));
        qputenv("PATH", path);
        EXPECT_EQ(*told, c.told) << (c.opener ? c.opener : "no opener");
    }
}

TEST_F(SpreadsheetWriterTest, ALongRunShowsItsProgressWithoutCancel)
{
    QWidget window;
    window.show();
    SpreadsheetWriter sheet(*app, u"goods address"_s, &window);
    for (int row = 1; row <= 2048; ++row)
        sheet.setCell(row, 1, row);
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
    QTest::qWait(600);
    sheet.saveAndOpen();

    auto* progress = window.findChild<QProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->labelText(), u"goods address"_s);
    EXPECT_EQ(progress->findChild<QPushButton*>(), nullptr);
}

} // namespace
