#include "orders/SubscriptionTypesForm.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "data/TextRules.h"
#include "core/AppContext.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "widgets/UpDown.h"
#include "records/RunGuarded.h"
#include "orders/OrdersMessages.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

const QColor DeliveryDay(255, 0, 0);

int monthNumber(const QDate& day)
{
    return day.year() * 12 + day.month();
}

} // namespace

SubscriptionTypesForm::SubscriptionTypesForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_month(app.db, this),
      m_typeNames(app, u"order_kind"_s, u"subscribe_type"_s, u"subscribe_type"_s,
                  {ErrorMessageBoxes::SubscriptionTypes::addPrompt, ErrorMessageBoxes::SubscriptionTypes::addTitle,
                   ErrorMessageBoxes::SubscriptionTypes::typeExists, ErrorMessageBoxes::SubscriptionTypes::inputError})
{
    setWindowTitle(u"setting"_s);
    m_typeNames.followRemovalWith(
        [this](const QString& type) { DayRows::followSubscriptionType(m_app.db, type, m_app.clock.today()); });
    buildControls();
    load();
}

void SubscriptionTypesForm::buildControls()
{
    auto box = [this](const QString& name) {
        auto* edit = named(new QLineEdit(this), name);
        return edit;
    };
    auto button = [this](const QString& name, const QString& caption, auto&& action) {
        auto* pushButton = named(new QPushButton(caption, this), name);
        connect(pushButton, &QPushButton::clicked, this, action);
        return pushButton;
    };
    m_typeList = named(new QListWidget(this), u"List1"_s);
    m_current = box(u"text1"_s);
    m_current->setReadOnly(true);
    m_info = box(u"Text9"_s);
    m_year = box(u"Text2"_s);
    m_monthText = box(u"Text3"_s);
    m_yearSpinner = named(new UpDown(this), u"UpDown1"_s);
    m_yearSpinner->setRange(1753, 9999);
    m_monthSpinner = named(new UpDown(this), u"UpDown2"_s);
    m_monthSpinner->setRange(1, 12);
    m_monthShown = named(new QLabel(this), u"現在月份"_s);
    m_firstDay = box(u"Text10"_s);
    m_lastDay = box(u"Text11"_s);
    m_adding = named(new QRadioButton(u"add"_s, this), u"Option1"_s);
    m_deleting = named(new QRadioButton(u"delete"_s, this), u"Option2"_s);
    groupOptions({m_adding, m_deleting});
    m_unlock = named(new QCheckBox(u"Unlock"_s, this), u"Check1"_s);
    m_calendar = named(new QCalendarWidget(this), u"MonthView1"_s);
    DataGrid* grid = readOnlyGrid(&m_app.messages, m_month, this);

    auto* cells = new QGridLayout;
    cells->setSpacing(2);
    for (int i = 0; i < int(m_cells.size()); ++i) {
        auto* number = named(new QLabel(QString::number(i + 1), this), u"Label7(%1)"_s.arg(i));
        number->setAlignment(Qt::AlignCenter);
        m_cells[i] = box(u"Text8(%1)"_s.arg(i));
        m_cells[i]->setReadOnly(true);
        m_cells[i]->setFocusPolicy(Qt::NoFocus);
        m_cells[i]->setFixedWidth(26);
        const int row = (i / 16) * 2, column = i % 16;
        cells->addWidget(number, row, column);
        cells->addWidget(m_cells[i], row + 1, column);
    }

    connect(m_typeList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { makeCurrent(item->text()); });
    connect(m_yearSpinner, &UpDown::changed, this, [this](int year) {
        m_year->setText(QString::number(year));
        repaint();
    });
    connect(m_monthSpinner, &UpDown::changed, this, [this](int month) {
        m_monthText->setText(QString::number(month));
        repaint();
        m_monthShown->setText(m_monthText->text());
    });
    connect(m_calendar, &QCalendarWidget::clicked, this, &SubscriptionTypesForm::dayClicked);

    auto* monthLine = new QHBoxLayout;
    auto label = [this](const QString& name, const QString& text) { return named(new QLabel(text, this), name); };
    for (QWidget* widget : std::initializer_list<QWidget*>{label(u"Label3"_s, u"year"_s), m_year, m_yearSpinner,
                                                          label(u"Label4"_s, u"month"_s), m_monthText, m_monthSpinner,
                                                          label(u"Label9"_s, u"month"_s), m_monthShown})
        monthLine->addWidget(widget);
    monthLine->addStretch();
    auto* info = new QFormLayout;
    info->addRow(label(u"Label5"_s, u"info"_s), m_info);
    auto* range = new QHBoxLayout;
    range->addWidget(m_firstDay);
    range->addWidget(m_lastDay);
    range->addWidget(button(u"Command1"_s, u"display"_s, [this] { showFirstAndLastDay(false); }));
    info->addRow(label(u"Label6"_s, u"set to"_s), range);
    auto* state = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{label(u"Label2"_s, u"state"_s), m_adding, m_deleting, m_unlock})
        state->addWidget(widget);
    state->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(m_typeList, 1);
    left->addWidget(m_current);
    auto* middle = new QVBoxLayout;
    middle->addLayout(monthLine);
    middle->addLayout(cells);
    middle->addWidget(grid, 1);
    middle->addLayout(info);
    auto* right = new QVBoxLayout;
    right->addWidget(label(u"Label8"_s, u"setting"_s)); // the calendar's heading
    right->addLayout(state);
    right->addWidget(m_calendar);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(middle, 3);
    columns->addLayout(right, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(u"新增"_s, u"add agree"_s, [this] { addType(); }));
    buttons->addWidget(button(u"刪除"_s, u"delete"_s, [this] { deleteCurrentType(); }));
    buttons->addWidget(button(u"全灠"_s, u"overview"_s, [this] { OpenFormCommand{m_app}(u"設定訂法全灠"_s); }));
    buttons->addStretch();
    buttons->addWidget(makeExitButton(this));

    auto* title = named(new QLabel(u"setting"_s, this), u"Label1"_s);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* page = new QVBoxLayout(this);
    page->addWidget(title);
    page->addLayout(columns, 1);
    page->addLayout(buttons);
}

void SubscriptionTypesForm::load()
{
    runGuarded(m_app.messages, [this] {
        m_typeList->addItems(m_typeNames.names());
    });
    WorkDateAtLoad(m_app);
    const QDate workDate = m_app.values.work_date;
    {
        // The spinners start on the working date without painting twice on the way.
        const QSignalBlocker yearBlocker(m_yearSpinner), monthBlocker(m_monthSpinner);
        m_yearSpinner->setValue(workDate.year());
        m_monthSpinner->setValue(workDate.month());
    }
    m_year->setText(QString::number(workDate.year()));
    m_monthText->setText(QString::number(workDate.month()));
    m_monthShown->setText(QString::number(workDate.month()));
    if (m_typeList->count() > 0)
        m_typeList->setCurrentRow(0);
    makeCurrent(m_typeList->count() > 0 ? m_typeList->item(0)->text() : QString());
    m_adding->setChecked(true);
    m_calendar->setSelectedDate(workDate);
}

void SubscriptionTypesForm::makeCurrent(const QString& type)
{
    m_current->setText(type);
    repaint();
    showFirstAndLastDay(true);
}

// The first day of the month the year and month boxes name; nothing where either is not a number in range.
std::optional<QDate> SubscriptionTypesForm::firstDayShown() const
{
    const std::optional<int> year = TextRules::wholeNumberIn(m_year->text(), 1753, 9999);
    const std::optional<int> month = TextRules::wholeNumberIn(m_monthText->text(), 1, 12);
    if (!year || !month)
        return std::nullopt;
    return QDate(*year, *month, 1);
}

// The cells of the month on show, red on the current type's days, as the table holds them now.
void SubscriptionTypesForm::repaint()
{
    for (QLineEdit* cell : m_cells) {
        QPalette palette = cell->palette();
        palette.setColor(QPalette::Base, this->palette().color(QPalette::Base));
        cell->setPalette(palette);
    }
    const std::optional<QDate> firstDay = firstDayShown();
    Recordset& days = m_month.recordset();
    try {
        if (!firstDay) {
            days.clear();
            return;
        }
        AdodcQuery(m_month,
                   u"select subscribe_type, date_d from subscribe_type where subscribe_type = ? and date_d >= ? "
                   "and date_d < ? order by date_d, id"_s,
                   {m_current->text(), *firstDay, firstDay->addMonths(1)});
    } catch (const std::exception& error) {
        days.clear();
        m_app.messages.reportFailure(QString::fromUtf8(error.what()));
        return;
    }
    const int dayColumn = days.fieldIndex(u"date_d"_s);
    for (int row = 0; row < days.recordCount(); ++row) {
        QLineEdit* cell = m_cells[days.valueAt(row, dayColumn).toDate().day() - 1];
        QPalette palette = cell->palette();
        palette.setColor(QPalette::Base, DeliveryDay);
        cell->setPalette(palette);
    }
}

// The type's first and last day of all; a type without days leaves the last day shown before,
// unless the type was just picked.
void SubscriptionTypesForm::showFirstAndLastDay(bool clearLastFirst)
{
    const QString type = m_current->text();
    m_info->setText(type);
    if (clearLastFirst)
        m_lastDay->clear();
    try {
        QSqlQuery range = m_app.db.exec(
            u"select min(date_d), max(date_d) from subscribe_type where subscribe_type = ?"_s, {type});
        const bool any = m_app.db.nextRow(range) && !range.value(0).isNull();
        m_firstDay->setText(any ? TextRules::dateText(range.value(0).toDate()) : QString());
        if (any)
            m_lastDay->setText(TextRules::dateText(range.value(1).toDate()));
    } catch (const std::exception&) {
        m_firstDay->clear();
    }
}

void SubscriptionTypesForm::dayClicked(const QDate& day)
{
    if (!m_unlock->isChecked())
        return;
    m_adding->isChecked() ? addDay(day) : deleteDay(day);
}

bool SubscriptionTypesForm::isDayOfType(const QString& type, const QDate& day)
{
    return m_app.db.scalar(u"select count(*) from subscribe_type where subscribe_type = ? and date_d = ?"_s,
                           {type, day})
               .toInt() > 0;
}

// A day of this month or a later one, for the current type, once, whoever adds it at the same moment.
// The day's written rows follow in the same transaction, as they do when a day is taken out.
void SubscriptionTypesForm::addDay(const QDate& day)
{
    using namespace ErrorMessageBoxes;
    const QString type = m_current->text();
    if (monthNumber(day) < monthNumber(m_app.values.work_date)) {
        showMessage(m_app.messages, SubscriptionTypes::monthCannotInput,
                    u"Days can be added from %1 on."_s.arg(m_app.values.work_date.toString(u"yyyy/M"_s)));
        return;
    }
    if (type.isEmpty()) {
        showMessage(m_app.messages, SubscriptionTypes::noTypeWarning, noTypeChosen);
        return;
    }
    bool added = false;
    try {
        added = DayRows::addSubscriptionDay(m_app.db, type, day, m_app.clock.today());
    } catch (const std::exception& error) {
        showMessage(m_app.messages, SubscriptionTypes::inputError, refusalDetail(error));
        return;
    }
    if (!added) {
        showMessage(m_app.messages, SubscriptionTypes::input, u"%1 is a day of %2 already."_s.arg(TextRules::dateText(day), type));
        return;
    }
    repaint();
}

void SubscriptionTypesForm::deleteDay(const QDate& day)
{
    using namespace ErrorMessageBoxes;
    const QString type = m_current->text();
    try {
        if (!isDayOfType(type, day)) {
            showMessage(m_app.messages, SubscriptionTypes::noData,
                        u"%1 is not a day of %2."_s.arg(TextRules::dateText(day), type));
            return;
        }
        if (showMessage(m_app.messages, SubscriptionTypes::deleteDayQuestion(TextRules::dateText(day))) !=
            MessageService::Yes)
            return;
        DayRows::removeSubscriptionDay(m_app.db, type, day, m_app.clock.today());
    } catch (const std::exception& error) {
        showMessage(m_app.messages, SubscriptionTypes::inputError, refusalDetail(error));
        return;
    }
    repaint();
}

void SubscriptionTypesForm::addType()
{
    if (const std::optional<QString> type = m_typeNames.add())
        m_typeList->addItem(*type);
}

// The type goes with its days of every month; the first type left becomes the current one.
void SubscriptionTypesForm::deleteCurrentType()
{
    using namespace ErrorMessageBoxes;
    const QString type = m_current->text();
    if (showMessage(m_app.messages, SubscriptionTypes::deleteQuestion(type)) != MessageService::Yes)
        return;
    if (type.isEmpty()) {
        showMessage(m_app.messages, SubscriptionTypes::noType, noTypeChosen);
        return;
    }
    if (!m_typeNames.remove(type))
        return;
    qDeleteAll(m_typeList->findItems(type, Qt::MatchExactly));
    if (m_typeList->count() > 0)
        m_typeList->setCurrentRow(0);
    makeCurrent(m_typeList->count() > 0 ? m_typeList->item(0)->text() : QString());
}
