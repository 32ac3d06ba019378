#include "accounts/CashJournalForm.h"

#include "accounts/AccountsMessages.h"
#include "widgets/DatePicker.h"
#include "accounts/DateSearch.h"
#include "accounts/InOutWords.h"
#include "core/AppContext.h"
#include "data/TextRules.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordToolbar.h"
#include "records/RunGuarded.h"
#include "widgets/Binder.h"
#include "widgets/DataGrid.h"
#include "widgets/EntryLimit.h"
#include "widgets/ExitButton.h"
#include "widgets/GridUnlockCheck.h"
#include "widgets/NamedControls.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Cells of a grid that open for typing only where their row may change: a refused row is told as the
// edit begins, before anything is typed.
class ChangeableRowDelegate : public QStyledItemDelegate {
public:
    ChangeableRowDelegate(std::function<bool(int row)> refused, QObject* parent)
        : QStyledItemDelegate(parent), m_refused(std::move(refused))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return m_refused(index.row()) ? nullptr : QStyledItemDelegate::createEditor(parent, option, index);
    }

private:
    std::function<bool(int row)> m_refused;
};

} // namespace

CashJournalForm::CashJournalForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_gridDay(app.values.work_date), m_journal(app.db, this), m_allRows(app.db, this),
      m_dayRows(app.db, this), m_allRowsPosition(m_allRows.recordset()), m_posting(app.db, m_allRows.recordset())
{
    setWindowTitle(u"流水帳明細表"_s);
    runGuarded(m_app.messages, [this] {
        const QString everyRow = u"select %1 from account_table order by serial"_s.arg(InOutWords::JournalColumns);
        AdodcQuery(m_dayRows, u"select %1 from account_table where date_d = ? order by serial"_s.arg(InOutWords::JournalColumns),
                   {m_gridDay});
        AdodcQuery(m_journal, everyRow);
        AdodcQuery(m_allRows, everyRow);
    });
    WorkDateAtLoad(m_app);
    createControls();
    m_toolbar = makeToolbar();
    layOutControls();
    connectSearches();
    runGuarded(m_app.messages, [this] { showLastPostedDay(); });
}

void CashJournalForm::createControls()
{
    const QDate& workDate = m_app.values.work_date;
    m_recordDay = makeDatePicker(this, u"DTPicker1"_s, workDate);
    m_listDay = makeDatePicker(this, u"DTPicker2"_s, workDate);
    m_postingDay = makeDatePicker(this, u"DTPicker3"_s, workDate);
    m_search = named(new QPushButton(u"date search"_s, this), u"搜尋"_s);
    m_searchAgain = named(new QPushButton(u"search"_s, this), u"再搜尋"_s);
    m_listSearch = named(new QPushButton(u"datesearch"_s, this), u"日期搜尋"_s);
    m_listSearchAgain = named(new QPushButton(u"search"_s, this), u"日期再搜尋"_s);

    m_inOutWord = named(new QLineEdit(this), u"Text2"_s);
    m_inOutWord->setReadOnly(true);
    auto* navigation = new FieldKeyNavigation(this);
    auto* record = new Binder(m_journal.recordset(), this);
    const QStringList columns = InOutWords::JournalColumns.split(u", "_s);
    for (int i = 0; i < int(m_text1.size()); ++i) {
        m_text1[i] = named(new QLineEdit(this), u"text1(%1)"_s.arg(i));
        navigation->add(m_text1[i]);
        if (i == 2) {
            connect(m_text1[i], &QLineEdit::textChanged, this,
                    [this](const QString& amount) { m_inOutWord->setText(InOutWords::forAmountText(amount)); });
        }
        record->bind(m_text1[i], columns[i]);
    }
    limitTyping(m_text1[1], 20);

    for (int i = 0; i < int(m_text6.size()); ++i) {
        m_text6[i] = named(new QLineEdit(this), u"Text6(%1)"_s.arg(i));
        m_text6[i]->setReadOnly(true);
    }
    auto* allRowsRecord = new Binder(m_allRows.recordset(), this);
    allRowsRecord->bind(m_text6[0], u"date_d"_s);
    allRowsRecord->bind(m_text6[4], u"serial"_s);
    m_lastPosted = named(new QLineEdit(this), u"Text5"_s);
    m_lastPosted->setReadOnly(true);

    m_dayGrid = readOnlyGrid(&m_app.messages, m_dayRows, this);
    m_dayGrid->setCaption(u"today"_s);
    m_allGrid = named(new DataGrid(&m_app.messages, this), u"DataGrid2"_s);
    m_allGrid->setDataSource(&m_allRows);
    m_allGrid->setCaption(u"number"_s);
    m_allGrid->setAllowAddNew(false);
    // A row changed in the list takes the word of its amount at its save, as a save of the record does.
    Recordset& listed = m_allRows.recordset();
    listed.addWriteBack(this, [&listed] {
        if (listed.editMode() == Recordset::EditMode::Editing)
            listed.setValue(u"in_out"_s, InOutWords::forAmount(listed.value(u"expense"_s)));
    });
    // A row a posting took stays as the posting summed it, in the record and in the list alike: refused
    // as its change begins, and at the save where a posting took it meanwhile.
    for (Recordset* rows : {&m_journal.recordset(), &listed})
        rows->setRowCheck([this, rows] { DailyPosting::refuseChangeOfPostedRow(m_app.db, rows->value(u"serial"_s)); });
    m_allGrid->setItemDelegate(new ChangeableRowDelegate(
        [this, &listed](int row) { return refusedAsPosted(listed.valueAt(row, listed.fieldIndex(u"serial"_s))); },
        m_allGrid));
    m_unlock = named(new QCheckBox(u"modify"_s, this), u"Check1"_s);
    GridUnlockCheck(m_unlock, {m_allGrid}, GridUnlock::ChangeDelete);
}

RecordToolbar* CashJournalForm::makeToolbar()
{
    using Role = RecordToolbar::Role;
    namespace Messages = ErrorMessageBoxes::CashJournal;
    RecordToolbar::Config config;
    config.buttons = RecordToolbar::moveButtons(u"first  "_s);
    config.buttons << QList<RecordToolbar::Button>{
        {Role::Add, u"add"_s, u"新增流水帳明細"_s},
        {Role::Delete, u"del"_s, u"刪除流水帳明細"_s},
        {Role::Modify, u"modify"_s, u"修改流水帳明細"_s},
        {Role::Cancel, u"cannel"_s, u"取消"_s},
        // The day's grid is refreshed along with the record, for the same day as before.
        {Role::Other, u"update"_s, u"更新資料庫"_s, [this] { refreshJournalAndDay(); }},
        {Role::ListView, u"all view"_s, u"全灠流水帳明細表"_s},
        {Role::Other, u"across book"_s, u"本日流水帳明細過帳"_s, [this] { postDay(); }},
    };
    config.main = &m_journal;
    config.keyBoxes = {m_text1[0], m_text1[5]};
    config.entryBoxes = {m_text1[1], m_text1[2], m_text1[3], m_text1[4]};
    // The searches of the record would move it off the row in edit; those of the list of all rows
    // move only that list, so they stay.
    config.recordMovers = {m_search, m_searchAgain, m_recordDay};
    config.numbering.emplace(RecordToolbar::Numbering{
        MaxPlusOneNumbering(m_app.db, u"account_table"_s, u"serial"_s),
        [this](qint32 serial) { m_text1[0]->setText(QString::number(serial)); }});
    config.addDefaults = [this] { m_text1[3]->setText(TextRules::dateText(m_app.values.work_date)); };
    config.beforeWrite = [this] { m_text1[5]->setText(m_inOutWord->text()); };
    config.refuseChange = [this] { return refusedAsPosted(m_journal.recordset().value(u"serial"_s)); };
    config.deleteQuestion = Messages::deleteQuestion;
    config.messages = Messages::toolbar;
    config.listForm = u"流水帳明細全灠"_s;
    return new RecordToolbar(m_app, std::move(config), this);
}

void CashJournalForm::layOutControls()
{
    // A box's caption is also the name a screen reader gives it.
    auto labelFor = [this](const QString& caption, QWidget* box) {
        box->setAccessibleName(caption);
        return new QLabel(caption, this);
    };

    auto* record = new QGridLayout;
    const QStringList captions = {u"serial"_s, u"item"_s, u"expense"_s, u"date_d"_s, u"other"_s, u"in_out"_s};
    for (int i = 0; i < int(m_text1.size()); ++i) {
        record->addWidget(labelFor(captions[i], m_text1[i]), i, 0);
        record->addWidget(m_text1[i], i, 1);
    }
    record->addWidget(labelFor(u"expense or income"_s, m_inOutWord), 2, 2);
    record->addWidget(m_inOutWord, 2, 3);
    record->setColumnStretch(1, 1);
    // Wide enough for the longer word with a character's room either side, whatever the form's width.
    const QFontMetrics metrics(m_inOutWord->font());
    m_inOutWord->setMinimumWidth(std::max(metrics.horizontalAdvance(InOutWords::Income),
                                          metrics.horizontalAdvance(InOutWords::Expense))
                                 + 4 * metrics.averageCharWidth());

    // The pickers go by the caption of what they are for.
    m_recordDay->setAccessibleName(m_search->text());
    m_listDay->setAccessibleName(m_listSearch->text());
    m_postingDay->setAccessibleName(u"across book"_s);

    auto* recordSearch = new QHBoxLayout;
    recordSearch->addWidget(m_recordDay);
    recordSearch->addWidget(m_search);
    recordSearch->addWidget(m_searchAgain);
    recordSearch->addStretch();

    auto* posting = new QGroupBox(u"across book"_s, this);
    auto* postingBoxes = new QGridLayout(posting);
    postingBoxes->addWidget(m_postingDay, 0, 0);
    postingBoxes->addWidget(labelFor(u"已過帳日期"_s, m_lastPosted), 0, 1);
    postingBoxes->addWidget(m_lastPosted, 0, 2);
    const QStringList postingCaptions = {u"date_d"_s, u"原有金額"_s, u"今日金額"_s, u"現有金額"_s, u"serial"_s};
    for (int i = 0; i < int(m_text6.size()); ++i) {
        postingBoxes->addWidget(labelFor(postingCaptions[i], m_text6[i]), 1 + i / 3 * 2, i % 3);
        postingBoxes->addWidget(m_text6[i], 2 + i / 3 * 2, i % 3);
    }

    auto* left = new QVBoxLayout;
    left->addLayout(record);
    left->addLayout(recordSearch);
    left->addWidget(posting);
    left->addStretch();

    auto* listSearch = new QHBoxLayout;
    listSearch->addWidget(m_unlock);
    listSearch->addStretch();
    listSearch->addWidget(m_listDay);
    listSearch->addWidget(m_listSearch);
    listSearch->addWidget(m_listSearchAgain);

    auto* right = new QVBoxLayout;
    right->addWidget(m_dayGrid, 2);
    right->addWidget(m_allGrid, 3);
    right->addLayout(listSearch);

    auto* body = new QHBoxLayout;
    body->addLayout(left, 2);
    body->addLayout(right, 3);

    auto* exitLine = new QHBoxLayout;
    exitLine->addStretch();
    exitLine->addWidget(makeExitButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_toolbar);
    layout->addLayout(body, 1);
    layout->addLayout(exitLine);
}

void CashJournalForm::connectSearches()
{
    namespace Messages = ErrorMessageBoxes::CashJournal;
    new DateSearch(m_app.messages, m_journal.recordset(), m_toolbar->rememberedPosition(), m_recordDay, m_search,
                   m_searchAgain, {SearchMissStyle::Spaced, SearchMissStyle::Spaced, Messages::recordSearchFailed}, this);
    new DateSearch(m_app.messages, m_allRows.recordset(), m_allRowsPosition, m_listDay, m_listSearch, m_listSearchAgain,
                   {SearchMissStyle::Spaced, SearchMissStyle::TightClose, Messages::listSearchFailed}, this);
}

// True, once the clerk is told which day's posting took the row and what to do instead, where a posting
// took it. A row the books cannot answer for is let through: its save asks again.
bool CashJournalForm::refusedAsPosted(const QVariant& serial)
{
    std::optional<QDate> posted;
    try {
        posted = DailyPosting::postingDayOf(m_app.db, serial);
    } catch (const std::exception&) {
        return false;
    }
    if (!posted)
        return false;
    namespace Messages = ErrorMessageBoxes::CashJournal;
    const QString day = TextRules::dateText(*posted);
    showMessage(m_app.messages, Messages::postedRow(day), Messages::postedRowDetail(day));
    return true;
}

void CashJournalForm::refreshJournalAndDay()
{
    runGuarded(m_app.messages, [this] {
        m_journal.refresh();
        m_dayRows.refresh();
    });
}

void CashJournalForm::postDay()
{
    namespace Messages = ErrorMessageBoxes::CashJournal;
    const QDate day = m_postingDay->date();
    if (showMessage(m_app.messages, Messages::postingQuestion(TextRules::dateText(day))) != MessageService::Yes)
        return;
    switch (m_posting.post(day)) {
    case DailyPosting::Outcome::NotLater:
        showMessage(m_app.messages, Messages::dayAlreadyPosted, m_posting.refusal());
        return;
    case DailyPosting::Outcome::Failed:
        showMessage(m_app.messages, Messages::postingFailed, m_posting.refusal());
        return;
    case DailyPosting::Outcome::Posted:
        break;
    }
    // The day and the journal number show through the list of all rows, which stands on the new row.
    const DailyPosting::Figures& figures = m_posting.figures();
    m_text6[1]->setText(figures.opening.toString());
    m_text6[2]->setText(figures.daySum.toString());
    m_text6[3]->setText(figures.closing.toString());
    if (!figures.carriedDays.isEmpty()) {
        QStringList days;
        for (const QDate& carried : figures.carriedDays)
            days << TextRules::dateText(carried);
        showMessage(m_app.messages, Messages::earlierDaysCarried(days.join(u", "_s)));
    }
    runGuarded(m_app.messages, [this] { showLastPostedDay(); });
}

void CashJournalForm::showLastPostedDay()
{
    const std::optional<QDate> last = DailyPosting::lastPostedDay(m_app.db);
    m_lastPosted->setText(last ? TextRules::dateText(*last) : QString());
}
