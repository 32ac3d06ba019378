#include "stock/GoodsEntryForm.h"

#include "core/AppContext.h"
#include "data/DeliveredRows.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "data/Decimal.h"
#include "data/TextRules.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RecordToolbar.h"
#include "records/RunGuarded.h"
#include "stock/GoodsMovement.h"
#include "stock/ProductFigures.h"
#include "stock/StockMessages.h"
#include "widgets/Binder.h"
#include "widgets/DataGrid.h"
#include "widgets/DatePicker.h"
#include "widgets/DataSourceBar.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// The ampersand doubled, so the button shows it rather than taking it for a shortcut mark.
const QString idleCaption = u"incoming && outting"_s;

// The movement boxes Text2(0) to Text2(8), by index.
enum Movement { Date, Opening, Shipped, Received, Retail, Loss, Business, Other, Serial };
const std::array<QString, 9> movementColumns = {u"date_d"_s, u"original_store"_s, u"today_exit"_s,
                                                u"today_enter"_s, u"retail"_s, u"loss"_s,
                                                u"sales_milk"_s, u"other"_s, u"serial"_s};
const std::array<QString, 9> movementLabels = {u"date"_s, u"original store"_s, u"today_enter"_s,
                                               u"daily stock"_s, u"retail sale"_s, u"loss"_s,
                                               u"business"_s, u"other"_s, u"goods serial"_s};

void setBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

GoodsEntryForm::GoodsEntryForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_products(app.db, this), m_movements(app.db, this), m_stamp(app.db, this),
      m_productPosition(m_products.recordset()), m_movementPosition(m_movements.recordset()),
      m_numbering(app.db, u"pass_goods"_s, u"serial"_s), m_today(app.clock.today())
{
    setWindowTitle(u"goods"_s);
    m_products.setTable(u"products_data"_s);
    m_movements.setQuery(u"select * from pass_goods order by serial"_s);
    m_stamp.setTable(u"update_date"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildProductSide(), 1);
    layout->addLayout(buildSearchLine());
    layout->addLayout(buildMovementSide());
    layout->addLayout(buildButtons());

    // After the figure boxes show the new product: its day, its latest movement, its splits.
    connect(&m_products.recordset(), &Recordset::currentChanged, this, &GoodsEntryForm::showProduct);
    connect(m_date, &QDateEdit::dateChanged, this, &GoodsEntryForm::showProduct);
    runGuarded(m_app.messages, [this] {
        m_stamp.refresh();
        m_movements.refresh();
        m_products.refresh();
    });
    m_byName->setChecked(true);
    setEntryInProgress(false);
}

QLayout* GoodsEntryForm::buildProductSide()
{
    auto* productBar = new DataSourceBar(m_products, this);
    productBar->setObjectName(u"Adodc1"_s);
    productBar->setCaption(u"products"_s);
    productBar->setMessageService(&m_app.messages);
    DataGrid* grid = readOnlyGrid(&m_app.messages, m_products, this);
    grid->setCaption(u"products data"_s);

    m_figures = new ProductFigures(this);
    m_figures->bind(*new Binder(m_products.recordset(), this));

    auto* list = new QVBoxLayout;
    list->addWidget(productBar);
    list->addWidget(grid, 1);
    auto* side = new QHBoxLayout;
    side->addLayout(list, 3);
    side->addWidget(m_figures, 2, Qt::AlignTop);
    m_entryLocks << productBar << grid;
    return side;
}

QLayout* GoodsEntryForm::buildSearchLine()
{
    m_date = makeDatePicker(this, u"DTPicker2"_s, m_today);
    auto* stampBox = named(new QLineEdit(this), u"Text3"_s);
    stampBox->setReadOnly(true);
    setBackground(stampBox, QPalette::Base, QColor(0xC0, 0xFF, 0xC0));
    (new Binder(m_stamp.recordset(), this))->bind(stampBox, u"update_date"_s);

    m_searchBox = named(new QLineEdit(this), u"Text4"_s);
    m_byCode = named(new QRadioButton(u"products code"_s, this), u"Option1"_s);
    m_byName = named(new QRadioButton(u"name"_s, this), u"Option2"_s);
    groupOptions({m_byCode, m_byName});
    auto* searchButton = named(new QPushButton(u"search"_s, this), u"搜尋"_s);
    auto* search = new RecordSearch(m_app.messages, m_products.recordset(), m_productPosition, m_searchBox,
                                    searchButton, nullptr, this);
    search->addOption({.button = m_byCode, .field = u"code"_s, .match = RecordSearch::Match::Number,
                       .missStyle = SearchMissStyle::Tight, .emptyBoxIsZero = true});
    search->addOption({.button = m_byName, .field = u"names"_s, .match = RecordSearch::Match::Whole,
                       .missStyle = SearchMissStyle::Tight});

    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(u"date modify"_s, this));
    line->addWidget(m_date);
    line->addWidget(new QLabel(u"goods upgreat"_s, this));
    line->addWidget(stampBox);
    line->addStretch();
    line->addWidget(m_searchBox);
    line->addWidget(m_byCode);
    line->addWidget(m_byName);
    line->addWidget(searchButton);
    m_entryLocks << m_date << m_searchBox << m_byCode << m_byName << searchButton;
    return line;
}

QLayout* GoodsEntryForm::buildMovementSide()
{
    auto* movementBar = new DataSourceBar(m_movements, this);
    movementBar->setObjectName(u"Adodc2"_s);
    movementBar->setCaption(u"pass goods"_s);
    movementBar->setMessageService(&m_app.messages);
    m_entryLocks << movementBar;

    auto* binder = new Binder(m_movements.recordset(), this);
    auto* navigation = new FieldKeyNavigation(this);
    auto* block = new QGridLayout;
    // Created column by column, so Tab runs down the first column, then the second, then the third.
    const QList<QList<int>> columns = {{Date, Received, Business}, {Opening, Retail, Other}, {Shipped, Loss}};
    for (int column = 0; column < columns.size(); ++column) {
        for (int row = 0; row < columns[column].size(); ++row) {
            const int index = columns[column][row];
            const QString& label = movementLabels[index];
            m_movement[index] = named(new QLineEdit(this), u"Text2(%1)"_s.arg(index));
            block->addWidget(new QLabel(label, this), row, 2 + 2 * column);
            block->addWidget(m_movement[index], row, 3 + 2 * column);
        }
    }
    // The clerk may overtype the closing stock; the commit takes what it shows.
    m_closingStock = named(new QLineEdit(this), u"Text6"_s);
    block->addWidget(new QLabel(u"now_store"_s, this), 2, 6);
    block->addWidget(m_closingStock, 2, 7);

    m_movement[Serial] = named(new QLineEdit(this), u"Text2(8)"_s);
    m_productCode = named(new QLineEdit(this), u"Text5"_s);
    block->addWidget(new QLabel(movementLabels[Serial], this), 0, 0);
    block->addWidget(m_movement[Serial], 0, 1);
    block->addWidget(new QLabel(u"products serial"_s, this), 1, 0);
    block->addWidget(m_productCode, 1, 1);
    for (QLineEdit* key : {m_movement[Serial], m_productCode})
        setBackground(key, QPalette::Base, QColor(0xC0, 0xFF, 0xFF));
    for (int column : {1, 3, 5, 7})
        block->setColumnStretch(column, 1);

    for (int index = 0; index < int(m_movement.size()); ++index) {
        binder->bind(m_movement[index], movementColumns[index]);
        navigation->add(m_movement[index]);
    }
    binder->bind(m_productCode, u"code"_s);
    // Typing, and each row the movements go to, even one whose boxes read as the last one's did.
    for (int index = Opening; index <= Other; ++index)
        connect(m_movement[index], &QLineEdit::textChanged, this, &GoodsEntryForm::showClosingStock);
    connect(&m_movements.recordset(), &Recordset::currentChanged, this, &GoodsEntryForm::showClosingStock);

    auto* side = new QVBoxLayout;
    side->addWidget(movementBar);
    side->addLayout(block);
    return side;
}

QLayout* GoodsEntryForm::buildButtons()
{
    m_ok = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), idleCaption, this), u"確定"_s);
    m_cancel = named(new QPushButton(u"cancel"_s, this), u"取消"_s);
    connect(m_ok, &QPushButton::clicked, this, &GoodsEntryForm::okClicked);
    connect(m_cancel, &QPushButton::clicked, this, &GoodsEntryForm::cancelEntry);
    m_cancel->setEnabled(false);

    auto* line = new QHBoxLayout;
    line->addWidget(m_ok);
    line->addWidget(m_cancel);
    line->addStretch();
    // The two listings, each a form of its own opened by name.
    const QList<std::tuple<QString, QString, QString, QColor>> listings = {
        {u"出貨預估"_s, u"exit calculate"_s, u"日期出貨"_s, QColor(0xC0, 0xE0, 0xFF)},
        {u"進出貨全灠"_s, u"cargoes view"_s, u"進出貨一灠"_s, QColor(0xFF, 0xC0, 0xE0)},
    };
    for (const auto& [name, caption, form, colour] : listings) {
        auto* button = named(new QPushButton(caption, this), name);
        setBackground(button, QPalette::Button, colour);
        button->setEnabled(m_app.forms.contains(form));
        connect(button, &QPushButton::clicked, this, [this, form] { OpenFormCommand{m_app}(form); });
        line->addWidget(button);
    }
    line->addWidget(makeExitButton(this));
    return line;
}

// The current product's day, its latest movement row and its figures. During an entry the movement
// row stays on the pending row.
void GoodsEntryForm::showProduct()
{
    if (!m_products.recordset().hasCurrentRow()) {
        m_figures->showNoProduct();
        return;
    }
    showDayTotal();
    if (!m_entryInProgress)
        goToLatestMovementOfProduct();
    m_figures->showSplits();
}

// The shipments proposed for the product and day: its delivered rows, as the expected shipments count
// them, so the stock drops by no bottle of a refunded or suspended delivery.
void GoodsEntryForm::showDayTotal()
{
    static const QString statement =
        u"select sum("_s + DeliveredRows::shippedBottles()
        + u") as 總瓶數 from order_date where names = ? and date_d = ? and "_s + DeliveredRows::condition();
    QVariant total;
    runGuarded(m_app.messages, [&] {
        total = m_app.db.scalar(statement, {m_products.recordset().value(u"names"_s), m_date->date()});
    });
    const std::optional<Decimal> dayTotal = Decimal::tryFromDouble(total.toDouble());
    m_figures->setDayTotal(total.isNull() || !dayTotal ? QString() : dayTotal->toString());
}

// The product's row with the highest serial, or the last row when it has none.
void GoodsEntryForm::goToLatestMovementOfProduct()
{
    Recordset& rows = m_movements.recordset();
    if (rows.recordCount() == 0)
        return;
    const qint64 code = m_products.recordset().value(u"code"_s).toLongLong();
    const int codeColumn = rows.fieldIndex(u"code"_s);
    int row = rows.recordCount() - 1;
    while (row >= 0 && (rows.valueAt(row, codeColumn).isNull() || rows.valueAt(row, codeColumn).toLongLong() != code))
        --row;
    runGuarded(m_app.messages, [&] { rows.moveTo(row >= 0 ? row : rows.recordCount() - 1); });
}

// Opening stock and goods received, less everything that went out; nothing where a box or the sum lies
// beyond the range of figures.
std::optional<Decimal> GoodsEntryForm::closingOfBoxes() const
{
    std::optional<Decimal> closing = Decimal::tryFromText(m_movement[Opening]->text());
    for (int index : {Received, Shipped, Retail, Loss, Business, Other}) {
        const std::optional<Decimal> figure = Decimal::tryFromText(m_movement[index]->text());
        if (!closing || !figure)
            return std::nullopt;
        closing = index == Received ? Decimal::checkedAdd(*closing, *figure) : Decimal::checkedSubtract(*closing, *figure);
    }
    return closing;
}

void GoodsEntryForm::showClosingStock()
{
    const std::optional<Decimal> closing = closingOfBoxes();
    m_closingStock->setText(closing ? closing->toString() : QString());
}

void GoodsEntryForm::okClicked()
{
    if (m_entryInProgress)
        commitEntry();
    else
        startEntry();
}

// A new movement row of the current product and the picked day, opening on the stock as it stands now
// and shipping the day's expected total.
void GoodsEntryForm::startEntry()
{
    Recordset& rows = m_movements.recordset();
    qint32 serial = 0; // shown at the start; the save takes the next free one
    try {
        if (rows.bof() || rows.eof())
            rows.moveLast();
        // The row the clerk is on, before reading the product again takes the rows to its latest one.
        m_movementPosition.remember();
        rereadProduct();
        m_stockAtStart = Decimal::fromVariant(m_products.recordset().value(u"amount"_s));
        serial = m_numbering.next();
        rows.addNew();
    } catch (const std::exception& error) {
        showMessage(m_app.messages, ErrorMessageBoxes::GoodsEntry::inputError, refusalDetail(error));
        return;
    }
    setEntryInProgress(true);
    m_movement[Received]->setFocus();
    m_movement[Serial]->setText(QString::number(serial));
    m_productCode->setText(m_figures->box(2)->text());
    m_movement[Date]->setText(TextRules::dateText(m_date->date()));
    m_movement[Shipped]->setText(m_figures->box(8)->text());
    m_movement[Opening]->setText(m_figures->box(4)->text());
}

// The product's row as it stands in the books now, so the entry opens on today's stock.
void GoodsEntryForm::rereadProduct()
{
    Recordset& products = m_products.recordset();
    const QVariant code = products.value(u"code"_s);
    m_products.refresh();
    if (!products.find(Criterion::equals(u"code"_s, code))) {
        products.moveFirst();
        throw DataError(DataError::Kind::NoCurrentRow, u"The product %1 is no longer in the books."_s.arg(code.toString()));
    }
}

namespace {

// Bottles, counted whole, within what the books' figures hold.
const TextRules::NumberRule bottles = TextRules::NumberRule::wholeCount();

// A movement figure as typed: null for an empty box; anything but a whole number of bottles is refused.
QVariant typedFigure(const QLineEdit* box, const QString& label)
{
    if (box->text().trimmed().isEmpty())
        return {};
    return TextRules::numberOrRefuse(box->text(), bottles, label);
}

} // namespace

GoodsMovement GoodsEntryForm::entryAsTyped() const
{
    GoodsMovement entry;
    entry.code = m_products.recordset().value(u"code"_s).toLongLong();
    const std::optional<QDate> day = TextRules::dateFromText(m_movement[Date]->text());
    if (!day)
        throw DataError(DataError::Kind::Conversion, u"'%1' is not a date (yyyy/M/d)."_s.arg(m_movement[Date]->text()));
    entry.day = *day;
    entry.stamp = m_date->date();
    entry.stockAtStart = m_stockAtStart;
    entry.opening = Decimal::fromVariant(typedFigure(m_movement[Opening], movementLabels[Opening]));
    int column = 0;
    for (int index : {Received, Shipped, Retail, Loss, Business, Other})
        entry.figures[column++] = typedFigure(m_movement[index], movementLabels[index]);
    if (!closingOfBoxes())
        throw DataError(DataError::Kind::Conversion, DataError::Reason::OutOfRange,
                        u"The closing stock of these figures is beyond the range of figures."_s,
                        u"The closing stock (now_store) must lie %1."_s.arg(Decimal::rangeText()));
    const QVariant closing = typedFigure(m_closingStock, u"now_store"_s);
    if (closing.isNull())
        throw DataError(DataError::Kind::Conversion, u"now_store is empty: the closing stock becomes the stock on hand."_s);
    entry.closing = Decimal::fromVariant(closing);
    return entry;
}

// The movement row, the date of the last entry and the product's new stock on hand: all or nothing.
void GoodsEntryForm::commitEntry()
{
    try {
        entryAsTyped().save(m_app.db);
    } catch (const std::exception& error) {
        // Nothing is written; the entry stays open for a correction or a cancel.
        showMessage(m_app.messages, ErrorMessageBoxes::GoodsEntry::inputError, refusalDetail(error));
        return;
    }
    m_movements.recordset().cancelUpdate();
    setEntryInProgress(false);
    // The books as they now stand: the saved row, other clerks' rows, the stamp and the new stock.
    runGuarded(m_app.messages, [this] {
        m_stamp.refresh();
        m_movements.refresh();
        rereadProduct();
    });
}

// Drops the pending row; while idle, only goes back to the row shown when the last entry began.
void GoodsEntryForm::cancelEntry()
{
    try {
        Recordset& rows = m_movements.recordset();
        if (rows.editMode() != Recordset::EditMode::None)
            rows.cancelUpdate();
        m_movementPosition.restore();
    } catch (const std::exception& error) {
        showMessage(m_app.messages, ErrorMessageBoxes::GoodsEntry::inputError, refusalDetail(error));
    }
    setEntryInProgress(false);
}

void GoodsEntryForm::setEntryInProgress(bool inProgress)
{
    m_entryInProgress = inProgress;
    m_ok->setText(inProgress ? RecordToolbar::AddingCaption : idleCaption);
    for (int index = Date; index <= Other; ++index)
        m_movement[index]->setReadOnly(!inProgress);
    // The serial comes from the numbering and the code from the product: never typed.
    m_movement[Serial]->setReadOnly(true);
    m_productCode->setReadOnly(true);
    for (QWidget* lock : std::as_const(m_entryLocks))
        lock->setEnabled(!inProgress);
    if (inProgress)
        m_cancel->setEnabled(true);
}
