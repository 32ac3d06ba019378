#include "stock/ProductForm.h"

#include "core/AppContext.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "data/TextRules.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RecordToolbar.h"
#include "records/RunGuarded.h"
#include "stock/StockMessages.h"
#include "widgets/Binder.h"
#include "widgets/DataGrid.h"
#include "widgets/EntryLimit.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/OptionGroup.h"
#include "widgets/SortButton.h"
#include "widgets/TabOrder.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

const QString FormName = u"產品基本資料"_s;
const QString Products = u"products_data"_s;

// The entry boxes of text1 as they stand in the column, top to bottom: the index of the box, the
// column it shows and its caption.
struct EntryBox {
    int index;
    const char* column;
    const char* caption;
};
constexpr std::array<EntryBox, 9> EntryBoxes{{
    {0, "code", "product sserial"},
    {1, "names", "name"},
    {3, "price", "price"},
    {9, "preferen", "preferential"},
    {4, "amount", "existing"},
    {5, "store", "safe capacity"},
    {7, "much", "boxful bottle"},
    {6, "input_date", "date"},
    {8, "other", "other"},
}};
// Tab order, which is also the order Enter and the arrows move in; "preferential" comes last of the
// whole form, after the grid.
constexpr std::array<int, 8> TabOrder{0, 1, 3, 4, 5, 7, 6, 8};
enum Entry { Code = 0, Name = 1, Amount = 4, Store = 5, InputDate = 6, Much = 7, Preferential = 9 };
constexpr int NameLimit = 20;

const QColor CodeBackground(192, 255, 255);
const QColor CounterBackground(192, 255, 192);

void paint(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

QLabel* onLightGreen(QLabel* label)
{
    label->setAutoFillBackground(true);
    paint(label, QPalette::Window, CounterBackground);
    return label;
}

} // namespace

ProductForm::ProductForm(AppContext& app, std::shared_ptr<int> counter, QWidget* parent)
    : QWidget(parent), m_app(app), m_counterStore(std::move(counter)), m_products(new DataSource(app.db, this)),
      m_gridRows(new DataSource(app.db, this)), m_commission(new DataSource(app.db, this))
{
    setWindowTitle(u"products data"_s);
    WorkDateAtLoad(app);

    m_products->setTable(Products);
    m_gridRows->setTable(Products);
    // The commission source only adds the new product's row: it reads none.
    m_commission->setQuery(u"SELECT code, names FROM complete WHERE 1 = 0"_s);
    runGuarded(m_app.messages, [this] {
        for (DataSource* source : {m_products, m_gridRows, m_commission})
            source->refresh();
    });

    createControls();
    bindControls();
    createToolbar();
    createSearch();
    layOutControls();
    arrangeTabOrder();

    m_byName->setChecked(true);
    showRecordInGrid();
}

ProductForm::~ProductForm()
{
    *m_counterStore = m_toolbar->counter();
}

void ProductForm::createControls()
{
    // Wide enough for a whole name of twenty Chinese characters.
    const int boxWidth = fontMetrics().horizontalAdvance(u"中"_s) * NameLimit + 12;
    auto* navigation = new FieldKeyNavigation(this);
    for (const EntryBox& entry : EntryBoxes) {
        auto* box = named(new QLineEdit(this), u"text1(%1)"_s.arg(entry.index));
        box->setMinimumWidth(boxWidth);
        navigation->add(box);
        m_text1.insert(entry.index, box);
    }
    limitTyping(m_text1[Name], NameLimit);
    paint(m_text1[Code], QPalette::Base, CodeBackground);

    m_counter = onLightGreen(named(new QLabel(this), u"計數"_s));
    m_counter->setMinimumWidth(40);
    m_counter->setAlignment(Qt::AlignCenter);
    m_counter->setStyleSheet(u"color: red; font-weight: bold"_s);
    m_byCode = named(new QRadioButton(u"serial"_s, this), u"Option1"_s);
    m_byName = named(new QRadioButton(u"name"_s, this), u"Option2"_s);
    groupOptions({m_byCode, m_byName});
    m_searchBox = named(new QLineEdit(this), u"Text2"_s);
    m_searchButton = named(new QPushButton(u"scratch"_s, this), u"搜尋"_s);

    m_grid = readOnlyGrid(&m_app.messages, *m_gridRows, this);
    m_grid->setCaption(u"products data view"_s);
    connect(m_grid, &DataGrid::rowPicked, this, &ProductForm::showPickedProduct);

    m_sortButtons = {makeSortButton(this, u"編號排序"_s, u"serial sort"_s, *m_gridRows, u"code ASC"_s),
                     makeSortButton(this, u"單價排序"_s, u"price sort"_s, *m_gridRows, u"price ASC"_s),
                     makeSortButton(this, u"數量排序"_s, u"amount sort"_s, *m_gridRows, u"amount ASC"_s),
                     makeSortButton(this, u"名稱排序"_s, u"nane sort"_s, *m_gridRows, u"names ASC"_s)};
    m_exitButton = makeExitButton(this);
}

void ProductForm::layOutControls()
{
    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(u"products data set"_s, this));
    header->addSpacing(24);
    header->addWidget(onLightGreen(new QLabel(u"total"_s, this)));
    header->addWidget(m_counter);
    header->addStretch();
    header->addWidget(m_byCode);
    header->addWidget(m_byName);
    header->addWidget(m_searchBox);
    header->addWidget(m_searchButton);

    auto* record = new QFormLayout;
    for (const EntryBox& entry : EntryBoxes)
        record->addRow(QString::fromLatin1(entry.caption), m_text1[entry.index]);

    auto* sorts = new QHBoxLayout;
    for (QPushButton* button : std::as_const(m_sortButtons))
        sorts->addWidget(button);
    sorts->addStretch();
    auto* exitLine = new QHBoxLayout;
    exitLine->addStretch();
    exitLine->addWidget(m_exitButton);
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(m_grid, 1);
    gridColumn->addLayout(sorts);
    gridColumn->addLayout(exitLine);

    auto* columns = new QHBoxLayout;
    columns->addLayout(record);
    columns->addSpacing(16);
    columns->addLayout(gridColumn, 1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(m_toolbar);
    page->addLayout(header);
    page->addLayout(columns, 1);
}

void ProductForm::arrangeTabOrder()
{
    QList<QWidget*> order;
    for (int index : TabOrder)
        order << m_text1[index];
    order << m_byCode << m_byName << m_searchBox << m_searchButton << m_sortButtons[0] << m_sortButtons[1]
          << m_exitButton << m_sortButtons[2] << m_sortButtons[3] << m_grid << m_text1[Preferential];
    chainTabOrder(order);
}

void ProductForm::bindControls()
{
    using TextRules::NumberRule;
    // Bottles are counted whole; the stock on hand may run below zero, safety stock and bottles per box not.
    const QHash<int, NumberRule> bottleCounts = {{Amount, NumberRule::wholeCount()},
                                                 {Store, NumberRule::wholeCount(0)},
                                                 {Much, NumberRule::wholeCount(0)}};
    auto* binder = new Binder(m_products->recordset(), this);
    for (const EntryBox& entry : EntryBoxes) {
        const QString column = QString::fromLatin1(entry.column);
        if (bottleCounts.contains(entry.index))
            binder->bind(m_text1[entry.index], column, bottleCounts.value(entry.index));
        else
            binder->bind(m_text1[entry.index], column);
    }
}

void ProductForm::createToolbar()
{
    using Role = RecordToolbar::Role;
    RecordToolbar::Config config;
    config.buttons = {
        {Role::First, u"first      "_s, u"移到筆一筆"_s},
        {Role::Previous, u"pervious"_s, u"移到上一筆"_s},
        {Role::Next, u"next"_s, u"移到下一篝"_s},
        {Role::Last, u"last"_s, u"移到後一筆"_s},
        {Role::Add, u"add"_s, u"新增產品基本資料"_s},
        {Role::Delete, u"del"_s, u"刪除產品基本資料"_s},
        {Role::Modify, u"modify"_s, u"修改產品基本資料"_s},
        {Role::Cancel, u"cancel"_s, u"取消"_s},
        // The grid is read again along with the record: its sort goes, and rows saved elsewhere come.
        {Role::Other, u"update"_s, u"更新資料庫"_s,
         [this] {
             runGuarded(m_app.messages, [this] { m_products->refresh(); });
             rereadGrid();
         }},
    };
    config.main = m_products;
    config.companions = {m_commission};
    for (int index : TabOrder)
        if (index != Code)
            config.entryBoxes << m_text1[index];
    config.entryBoxes << m_text1[Preferential];
    // A code is given by the numbering, yet a clerk may correct it afterwards.
    config.modifyOnlyBoxes = {m_text1[Code]};
    config.searchBox = m_searchBox;
    config.recordMovers = {m_searchButton, m_grid};
    // Codes that stock movements and commission rates still carry are never given again, so a new
    // product takes over neither from a deleted one.
    config.numbering = RecordToolbar::Numbering{
        MaxPlusOneNumbering(m_app.db, Products, u"code"_s).alsoUsedIn({u"complete"_s, u"pass_goods"_s}),
        [this](qint32 code) { m_text1[Code]->setText(QString::number(code)); }};
    config.addDefaults = [this] { m_text1[InputDate]->setText(TextRules::dateText(m_app.values.work_date)); };
    config.addSaveSteps = [this] { prepareCommissionRow(); };
    config.modifyBegins = [this] {
        const Recordset& product = m_products->recordset();
        m_nameAtModify = product.value(u"names"_s).toString();
        m_priceAtModify = product.value(u"price"_s);
    };
    config.modifySaveSteps = [this] { followModifyInDayRows(); };
    config.beforeClick = [this](Role role) {
        const Recordset& product = m_products->recordset();
        if (role == Role::Delete)
            m_nameAtDelete = product.hasCurrentRow() ? product.value(u"names"_s).toString() : QString();
    };
    config.deleteSteps = [this] { DayRows::followProductDeleted(m_app.db, m_nameAtDelete, m_app.clock.today()); };
    config.afterClick = [this](Role role) {
        if (role == Role::First || role == Role::Previous || role == Role::Next || role == Role::Last)
            showRecordInGrid();
    };
    config.deleteQuestion = ErrorMessageBoxes::Products::deleteQuestion;
    config.messages = ErrorMessageBoxes::Products::toolbar;
    config.counter = m_counter;
    config.counterStart = *m_counterStore;

    m_toolbar = new RecordToolbar(m_app, std::move(config), this);
    // A saved add or delete reads the grid again, which drops its sort.
    connect(m_toolbar, &RecordToolbar::added, this, &ProductForm::rereadGrid);
    connect(m_toolbar, &RecordToolbar::deleted, this, &ProductForm::rereadGrid);
}

void ProductForm::createSearch()
{
    using Match = RecordSearch::Match;
    auto* search = new RecordSearch(m_app.messages, m_products->recordset(), m_toolbar->rememberedPosition(),
                                     m_searchBox, m_searchButton, nullptr, this);
    search->setGrid(&m_gridRows->recordset());
    search->addOption({.button = m_byCode, .field = u"code"_s, .match = Match::Number, .missStyle = SearchMissStyle::Tight});
    search->addOption({.button = m_byName, .field = u"names"_s, .match = Match::Whole, .missStyle = SearchMissStyle::Tight});
}

// The grid's current row shows the record's product. Where the grid has no such row (it was read
// before the product's code was changed) it shows no current row.
void ProductForm::showRecordInGrid()
{
    Recordset& product = m_products->recordset();
    Recordset& rows = m_gridRows->recordset();
    bool found = false;
    try {
        if (product.hasCurrentRow()) {
            rows.moveFirst();
            found = rows.find(Criterion::equals(u"code"_s, product.value(u"code"_s)));
        }
    } catch (const std::exception&) {
    }
    if (!found)
        m_grid->selectionModel()->clear();
}

void ProductForm::rereadGrid()
{
    runGuarded(m_app.messages, [this] { m_gridRows->refresh(); });
    showRecordInGrid();
}

// A row picked in the grid brings its product into the record. A product the record does not have
// under that code (the grid was read before the code was changed) is said so, and the record goes
// back to the product of the last add, modify or search.
void ProductForm::showPickedProduct()
{
    Recordset& product = m_products->recordset();
    const Recordset::Bookmark shownBefore = product.bookmark();
    try {
        const qint32 code = TextRules::roundToInt32(m_gridRows->recordset().value(u"code"_s).toDouble());
        product.moveFirst();
        if (product.find(Criterion::equals(u"code"_s, code)))
            return;
        showMessage(m_app.messages, ErrorMessageBoxes::searchMiss(SearchMissStyle::Tight, QString::number(code)));
        if (!m_toolbar->rememberedPosition().restore())
            product.gotoBookmark(shownBefore);
    } catch (const std::exception&) {
        product.gotoBookmark(shownBefore);
    }
}

// A new name reaches the product's delivery types and its delivery rows from today on, and a new price
// their money, in the save's transaction. The rates of commission go on under the new name too.
void ProductForm::followModifyInDayRows()
{
    const Recordset& product = m_products->recordset();
    const QString name = product.value(u"names"_s).toString();
    const QDate today = m_app.clock.today();
    if (name != m_nameAtModify) {
        DayRows::followProductRenamed(m_app.db, m_nameAtModify, name, today);
        carryCommissionRates(name);
    }
    if (product.value(u"price"_s) != m_priceAtModify)
        DayRows::followPrice(m_app.db, name, today);
}

// The old name keeps its row of rates, for the days that carry it; the new name gets a row of the same
// rates, unless it has one already (a deleted product's).
void ProductForm::carryCommissionRates(const QString& name)
{
    m_app.db.exec(u"INSERT INTO complete (names, code, o_c, n_c, w_c, b_c)"
                  " SELECT ?, ?, o_c, n_c, w_c, b_c FROM complete WHERE names = ?"
                  " AND NOT EXISTS (SELECT 1 FROM complete WHERE names = ?) ORDER BY id LIMIT 1"_s,
                  {name, m_products->recordset().value(u"code"_s), m_nameAtModify, name});
}

// Payroll finds a product's commission rates by its name, so a name has one row of them. A name that
// has its row already (a deleted product's, or another product's of that name) keeps it, rates and code
// as they are: a second row would pay the commission twice.
void ProductForm::prepareCommissionRow()
{
    Recordset& product = m_products->recordset();
    Recordset& rates = m_commission->recordset();
    const QVariant name = product.value(u"names"_s);
    if (m_app.db.scalar(u"SELECT count(*) FROM complete WHERE names = ?"_s, {name}).toInt() > 0) {
        rates.cancelUpdate();
        return;
    }
    // A save tried before under a name that had its row gave the new row up.
    if (rates.editMode() != Recordset::EditMode::Adding)
        rates.addNew();
    rates.setValue(u"code"_s, product.value(u"code"_s));
    rates.setValue(u"names"_s, name);
}

void registerProductForm(AppContext& app)
{
    auto counter = std::make_shared<int>(0);
    app.forms.add(FormName, u"products data"_s, FormRegistry::Placement::Child,
                  [counter](AppContext& context) { return new ProductForm(context, counter); });
}
