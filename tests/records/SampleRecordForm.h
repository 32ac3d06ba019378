#pragma once

#include "FormTest.h"
#include "widgets/Binder.h"
#include "data/DataSource.h"
#include "data/TextRules.h"
#include "records/ErrorMessageBoxes.h"
#include "records/FieldKeyNavigation.h"
#include "records/RecordSearch.h"
#include "records/RecordToolbar.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

// A small record form over customer_data whose new records bring a different_move row along, as the
// real forms put the toolbar, the search and the key navigation together.
class SampleRecordForm : public QWidget {
public:
    explicit SampleRecordForm(AppContext& app)
        : customers(app.db, this), moves(app.db, this)
    {
        WorkDateAtLoad(app);
        customers.setQuery(QStringLiteral("SELECT * FROM customer_data ORDER BY c_code"));
        customers.refresh();
        moves.setQuery(QStringLiteral("SELECT c_code FROM different_move WHERE 1 = 0"));
        moves.refresh();

        auto* layout = new QFormLayout(this);
        for (QLineEdit** box : {&code, &name, &tel, &inputDate, &goodsAddress, &searchBox}) {
            *box = new QLineEdit(this);
            layout->addRow(QString(), *box);
        }
        cancelled = new QCheckBox(QStringLiteral("nullify"), this);
        handOver = new QPushButton(QStringLiteral("order"), this);
        searchButton = new QPushButton(QStringLiteral("search"), this);
        nextButton = new QPushButton(QStringLiteral("search2"), this);
        byCode = new QRadioButton(QStringLiteral("number"), this);
        byName = new QRadioButton(QStringLiteral("name"), this);
        byTel = new QRadioButton(QStringLiteral("tel"), this);
        byAddress = new QRadioButton(QStringLiteral("addr"), this);
        counter = new QLabel(this);
        for (QWidget* widget : std::initializer_list<QWidget*>{cancelled, handOver, searchButton, nextButton, byCode,
                                                              byName, byTel, byAddress, counter})
            layout->addRow(QString(), widget);

        auto* binder = new Binder(customers.recordset(), this);
        binder->bind(code, QStringLiteral("c_code"));
        binder->bind(name, QStringLiteral("name"));
        binder->bind(tel, QStringLiteral("tel"));
        binder->bind(inputDate, QStringLiteral("input_date"));
        binder->bind(goodsAddress, QStringLiteral("goods_addr"));
        binder->bind(cancelled, QStringLiteral("cancel"));

        using Role = RecordToolbar::Role;
        RecordToolbar::Config config;
        config.buttons = {{Role::First, QStringLiteral("first"), {}},   {Role::Previous, QStringLiteral("previous"), {}},
                          {Role::Next, QStringLiteral("next"), {}},     {Role::Last, QStringLiteral("last"), {}},
                          {Role::Add, QStringLiteral("add"), {}},       {Role::Delete, QStringLiteral("del"), {}},
                          {Role::Modify, QStringLiteral("modify"), {}}, {Role::Cancel, QStringLiteral("cannel"), {}},
                          {Role::Update, QStringLiteral("update"), {}}};
        config.main = &customers;
        config.companions = {&moves};
        config.keyBoxes = {code};
        config.entryBoxes = {name, tel, inputDate, goodsAddress};
        config.checkBoxes = {cancelled};
        config.handOverButtons = {handOver};
        config.recordMovers = {searchBox, searchButton, nextButton};
        config.addDefaults = [this, &app] { inputDate->setText(TextRules::dateText(app.values.work_date)); };
        config.addSaveSteps = [this] {
            moves.recordset().setValue(QStringLiteral("c_code"), customers.recordset().value(QStringLiteral("c_code")));
        };
        config.deleteQuestion = ErrorMessageBoxes::Customers::deleteQuestion;
        config.messages = ErrorMessageBoxes::Customers::toolbar;
        config.counter = counter;
        config.counterStart = customers.recordset().recordCount();
        toolbar = new RecordToolbar(app, std::move(config), this);
        layout->addRow(toolbar);

        search = new RecordSearch(app.messages, customers.recordset(), toolbar->rememberedPosition(), searchBox,
                                  searchButton, nextButton, this);
        using Match = RecordSearch::Match;
        search->addOption({byCode, QStringLiteral("c_code"), Match::Number, SearchMissStyle::Tight, true});
        search->addOption({byName, QStringLiteral("name"), Match::Text, SearchMissStyle::Spaced});
        search->addOption({byTel, QStringLiteral("tel"), Match::Text, SearchMissStyle::TightOpen, true});
        search->addOption({byAddress, QStringLiteral("goods_addr"), Match::Text, SearchMissStyle::Search});
        byName->setChecked(true);

        auto* navigation = new FieldKeyNavigation(this);
        for (QLineEdit* box : {code, name, tel, inputDate})
            navigation->add(box);
    }

    void click(int index) { QTest::mouseClick(toolbar->widgetForAction(toolbar->button(index)), Qt::LeftButton); }
    QString caption(int index) const { return toolbar->button(index)->text(); }
    QList<int> enabledButtons() const
    {
        QList<int> enabled;
        for (int i = 1; toolbar->button(i); ++i)
            if (toolbar->button(i)->isEnabled())
                enabled << i;
        return enabled;
    }
    void find(QRadioButton* option, const QString& text)
    {
        option->setChecked(true);
        searchBox->setText(text);
        QTest::mouseClick(searchButton, Qt::LeftButton);
    }

    DataSource customers;
    DataSource moves;
    QLineEdit* code;
    QLineEdit* name;
    QLineEdit* tel;
    QLineEdit* inputDate;
    QLineEdit* goodsAddress;
    QLineEdit* searchBox;
    QCheckBox* cancelled;
    QPushButton* handOver;
    QPushButton* searchButton;
    QPushButton* nextButton;
    QRadioButton* byCode;
    QRadioButton* byName;
    QRadioButton* byTel;
    QRadioButton* byAddress;
    QLabel* counter;
    RecordToolbar* toolbar;
    RecordSearch* search;
};

class RecordFormTest : public FormTest {
protected:
    // A customer as another form or clerk saved it; returns its code.
    int addCustomer(const QString& name, const QString& tel = {}, const QString& goodsAddress = {})
    {
        return db->scalar(QStringLiteral("INSERT INTO customer_data (name, tel, goods_addr) VALUES (?, ?, ?) "
                                         "RETURNING c_code"),
                          {name, tel, goodsAddress})
            .toInt();
    }
    int count(const QString& table) { return db->scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt(); }

    SampleRecordForm* openSample()
    {
        auto* form = new SampleRecordForm(*app);
        form->show();
        return form;
    }
};
