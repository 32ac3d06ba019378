#include "orders/DeliveryTypesForm.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/DayRows.h"
#include "core/AppContext.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "widgets/ExitButton.h"
#include "widgets/GridUnlockCheck.h"
#include "widgets/NamedControls.h"
#include "records/MaxPlusOneNumbering.h"
#include "records/RunGuarded.h"
#include "orders/OrdersMessages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <exception>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString EveryRow = u"select * from send_type order by send_type, serial"_s;

QStringList column(Database& db, const QString& sql)
{
    QStringList values;
    QSqlQuery query = db.exec(sql);
    while (db.nextRow(query))
        values << query.value(0).toString();
    return values;
}

} // namespace

DeliveryTypesForm::DeliveryTypesForm(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_rows(app.db, this), m_types(app.db, this),
      m_typeNames(app, u"send_kind"_s, u"send_type"_s, u"send_type"_s,
                  {ErrorMessageBoxes::DeliveryTypes::addPrompt, ErrorMessageBoxes::DeliveryTypes::addTitle,
                   ErrorMessageBoxes::DeliveryTypes::typeExists, ErrorMessageBoxes::DeliveryTypes::inputError})
{
    setWindowTitle(u"set round mode"_s);
    m_typeNames.followRemovalWith(
        [this](const QString& type) { DayRows::followDeliveryTypeRemoved(m_app.db, type, m_app.clock.today()); });
    buildControls();
    load();
}

void DeliveryTypesForm::buildControls()
{
    auto label = [this](const QString& name, const QString& text) { return named(new QLabel(text, this), name); };
    auto button = [this](const QString& name, const QString& caption, std::function<void()> action) {
        auto* pushButton = named(new QPushButton(caption, this), name);
        connect(pushButton, &QPushButton::clicked, this, std::move(action));
        return pushButton;
    };

    m_typeList = named(new QListWidget(this), u"List1"_s);
    m_current = named(new QLineEdit(this), u"text1"_s);
    m_current->setReadOnly(true);
    m_currentShown = label(u"Label5"_s, QString());
    m_products = named(new QListWidget(this), u"List2"_s);
    m_chosen = named(new QListWidget(this), u"List3"_s);
    m_unlock = named(new QCheckBox(u"UnLock"_s, this), u"Check1"_s);
    m_gridUnlock = named(new QCheckBox(u"UnLock"_s, this), u"Check2"_s);
    m_typeChoice = named(new DataCombo(this), u"DataCombo1"_s);
    DataGrid* grid = readOnlyGrid(&m_app.messages, m_rows, this);
    // Rows can be changed in the grid once unlocked, never added or deleted there. A changed row changes
    // what its type sends, and a row moved to another type changes that one too.
    GridUnlockCheck(m_gridUnlock, {grid}, GridUnlock::ChangeOnly);
    Recordset& rows = m_rows.recordset();
    rows.setRowFollow([this, &rows](const QVector<QVariant>& asRead) {
        const auto asWas = [&](const QString& column) { return asRead.value(rows.fieldIndex(column)).toString(); };
        const QString typeBefore = asWas(u"send_type"_s), typeAfter = rows.value(u"send_type"_s).toString();
        const QString productBefore = asWas(u"names"_s), productAfter = rows.value(u"names"_s).toString();
        const QDate today = m_app.clock.today();
        DayRows::followDeliveryType(m_app.db, typeBefore, typeBefore == typeAfter ? QStringList{productAfter} : QStringList{},
                                    {productBefore}, today);
        if (typeAfter != typeBefore)
            DayRows::followDeliveryType(m_app.db, typeAfter, {productAfter}, {}, today);
    });

    const auto clearChosen = [this] { m_chosen->clear(); };
    m_unlockedOnly = {button(u"Command1"_s, u">>"_s, [this] { addAll(); }),
                      button(u"Command2"_s, u">"_s, [this] { addSelected(); }),
                      button(u"Command3"_s, u"<"_s, [this] { removeSelected(); }),
                      button(u"Command4"_s, u"<<"_s, clearChosen),
                      button(u"確定"_s, u"ok"_s, [this] { saveChosen(); })};
    QPushButton* cancel = button(u"取消"_s, u"cancel"_s, clearChosen);
    connect(m_unlock, &QCheckBox::toggled, this, [this](bool unlocked) {
        for (QPushButton* gated : std::as_const(m_unlockedOnly))
            gated->setEnabled(unlocked);
    });
    connect(m_typeList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { makeCurrent(item->text()); });
    connect(m_current, &QLineEdit::textChanged, m_currentShown, &QLabel::setText);
    connect(m_typeChoice, &QComboBox::editTextChanged, this, &DeliveryTypesForm::filterGrid);

    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    for (QPushButton* arrow : m_unlockedOnly.first(4))
        arrows->addWidget(arrow);
    arrows->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(label(u"Label3"_s, u"type"_s), 0, 0);
    lists->addWidget(label(u"Label4"_s, u"設定"_s), 0, 1);
    lists->addWidget(m_currentShown, 0, 3);
    lists->addWidget(m_typeList, 1, 0);
    lists->addWidget(m_products, 1, 1);
    lists->addLayout(arrows, 1, 2);
    lists->addWidget(m_chosen, 1, 3);
    lists->addWidget(m_current, 2, 0);
    auto* okLine = new QHBoxLayout;
    okLine->addWidget(m_unlock);
    okLine->addWidget(cancel);
    okLine->addWidget(m_unlockedOnly[4]);
    lists->addLayout(okLine, 2, 3);

    auto* gridLine = new QHBoxLayout;
    gridLine->addWidget(label(u"Label2"_s, u" chioce round send view"_s));
    gridLine->addWidget(m_typeChoice, 1);
    gridLine->addWidget(m_gridUnlock);
    gridLine->addWidget(button(u"送法全灠"_s, u"round send view"_s, [this] { showEveryRow(); }));
    // Every row, without forgetting the combo's filter.
    gridLine->addWidget(button(u"排序"_s, u"send sort"_s, [this] { runGridQuery(EveryRow); }));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(u"新增"_s, u"add send type"_s, [this] { addType(); }));
    buttons->addWidget(button(u"刪除"_s, u"del send type"_s, [this] { deleteCurrentType(); }));
    buttons->addStretch();
    buttons->addWidget(makeExitButton(this));

    auto* title = label(u"Label1"_s, u"set round mode"_s);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* page = new QVBoxLayout(this);
    page->addWidget(title);
    page->addLayout(lists);
    page->addLayout(gridLine);
    page->addWidget(grid, 1);
    page->addLayout(buttons);
}

void DeliveryTypesForm::load()
{
    runGuarded(m_app.messages, [this] {
        m_typeList->addItems(m_typeNames.names());
        m_products->addItems(column(m_app.db, u"select names from products_data order by code"_s));
        AdodcQuery(m_types, u"select distinct send_type from send_type order by send_type"_s);
    });
    m_typeChoice->setRowSource(&m_types, u"send_type"_s);
    m_typeChoice->setEditText(QString());
    runGridQuery(u"select * from send_type order by serial"_s);
    m_current->setText(m_typeList->count() > 0 ? m_typeList->item(0)->text() : QString());
    for (QPushButton* gated : std::as_const(m_unlockedOnly))
        gated->setEnabled(false);
}

// A type picked in the list becomes the current one, and the grid shows its rows.
void DeliveryTypesForm::makeCurrent(const QString& type)
{
    m_current->setText(type);
    m_typeChoice->setEditText(type);
}

// A type's rows; an empty text runs the last filter again, and before the first there is none.
void DeliveryTypesForm::filterGrid(const QString& type)
{
    if (!type.isEmpty()) {
        m_filter = u"select * from send_type where send_type = ? order by send_type, serial"_s;
        m_filterValues = {type};
    }
    if (!m_filter.isEmpty())
        runGridQuery(m_filter, m_filterValues);
}

void DeliveryTypesForm::showEveryRow()
{
    m_filter = EveryRow;
    m_filterValues.clear();
    runGridQuery(m_filter);
}

void DeliveryTypesForm::runGridQuery(const QString& sql, const QVariantList& values)
{
    runGuarded(m_app.messages, [&] { AdodcQuery(m_rows, sql, values); });
}

void DeliveryTypesForm::addAll()
{
    for (int i = 0; i < m_products->count(); ++i)
        m_chosen->addItem(m_products->item(i)->text());
    if (m_products->count() > 0)
        m_products->setCurrentRow(m_products->count() - 1);
}

void DeliveryTypesForm::addSelected()
{
    if (QListWidgetItem* product = m_products->currentItem(); product && product->isSelected())
        m_chosen->addItem(product->text());
}

void DeliveryTypesForm::removeSelected()
{
    if (QListWidgetItem* item = m_chosen->currentItem(); item && item->isSelected() && !item->text().isEmpty())
        delete item;
}

// One row per chosen product, under the current type, numbered on from the table's highest serial,
// and those products' rows on the written delivery days of the type's customers: all of them or none.
void DeliveryTypesForm::saveChosen()
{
    using namespace ErrorMessageBoxes;
    const QString type = m_current->text();
    if (type.isEmpty()) {
        showMessage(m_app.messages, DeliveryTypes::inputError, noTypeChosen);
        return;
    }
    try {
        Transaction transaction(m_app.db);
        qint32 serial = MaxPlusOneNumbering(m_app.db, u"send_type"_s, u"serial"_s).take(m_chosen->count());
        QStringList products;
        for (int i = 0; i < m_chosen->count(); ++i) {
            products << m_chosen->item(i)->text();
            m_app.db.exec(u"insert into send_type (serial, send_type, names) values (?, ?, ?)"_s,
                          {serial++, type, products.constLast()});
        }
        DayRows::followDeliveryType(m_app.db, type, products, {}, m_app.clock.today());
        transaction.commit();
    } catch (const std::exception& error) {
        showMessage(m_app.messages, DeliveryTypes::inputError, refusalDetail(error));
        return;
    }
    m_chosen->clear();
    runGridQuery(m_rows.recordSource(), m_rows.values());
}

void DeliveryTypesForm::addType()
{
    if (const std::optional<QString> type = m_typeNames.add())
        m_typeList->addItem(*type);
}

// The type goes with all of its rows, whichever rows the grid shows.
void DeliveryTypesForm::deleteCurrentType()
{
    using namespace ErrorMessageBoxes;
    const QString type = m_current->text();
    if (showMessage(m_app.messages, DeliveryTypes::deleteQuestion(type)) != MessageService::Yes)
        return;
    if (type.isEmpty() || !m_typeNames.remove(type))
        return;
    qDeleteAll(m_typeList->findItems(type, Qt::MatchExactly));
    m_current->setText(m_typeList->count() > 0 ? m_typeList->item(0)->text() : QString());
    runGridQuery(m_rows.recordSource(), m_rows.values());
}
