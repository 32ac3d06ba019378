#include "people/EmployeeListForms.h"

#include "widgets/DataGrid.h"
#include "records/RunGuarded.h"
#include "core/AppContext.h"
#include "widgets/ExitButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;


EmployeeFullList::EmployeeFullList(AppContext& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_employees(app.db, this)
{
    setWindowTitle(u"employees basic data view"_s);

    auto* title = new QLabel(u"employees basic data view"_s, this);
    title->setObjectName(u"Label1"_s);
    DataGrid* grid = readOnlyGrid(&app.messages, m_employees, this);

    auto* buttons = new QHBoxLayout;
    auto addSortButton = [&](const QString& name, const QString& caption, const QString& sort) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, [this, sort] { sortBy(sort); });
        buttons->addWidget(button);
        return button;
    };
    QPushButton* byCode = addSortButton(u"編號排序"_s, u"assign sort"_s, u"e_code ASC"_s);
    QPushButton* byName = addSortButton(u"姓名排序"_s, u"name sort"_s, u"name ASC"_s);
    QPushButton* byJob = addSortButton(u"職別排序"_s, u"official sort"_s, u"job_leave ASC"_s);
    QPushButton* byAddress = addSortButton(u"地址排序"_s, u"addr. sort"_s, u"addr ASC"_s);
    buttons->addStretch();
    QPushButton* exit = makeExitButton(this);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(buttons);
    layout->addWidget(grid, 1);
    layout->addLayout(bottom);

    setTabOrder(grid, byName);
    setTabOrder(byName, byJob);
    setTabOrder(byJob, exit);
    setTabOrder(exit, byAddress);
    setTabOrder(byAddress, byCode);

    runGuarded(m_app.messages, [this] {
        m_employees.setTable(u"employees_data"_s);
        m_employees.refresh();
    });
}

// A sort orders the rows already loaded; rows changed since the load appear only on the next open.
void EmployeeFullList::sortBy(const QString& sort)
{
    runGuarded(m_app.messages, [&] { m_employees.recordset().setSort(sort); });
}

EmployeeBriefGrid::EmployeeBriefGrid(AppContext& app, QWidget* parent)
    : QWidget(parent), m_employees(app.db, this)
{
    setWindowTitle(u"employees data"_s);
    resize(440, 420);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(readOnlyGrid(&app.messages, m_employees, this));
    runGuarded(app.messages, [this] { AdodcQuery(m_employees, u"select e_code, name,tel  from employees_data"_s); });
}
