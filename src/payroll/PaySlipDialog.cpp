#include "payroll/PaySlipDialog.h"

#include "core/AppContext.h"
#include "widgets/ExitButton.h"
#include "widgets/NamedControls.h"
#include "widgets/UpDown.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

PaySlipDialog::PaySlipDialog(AppContext& app, QWidget* parent) : QDialog(parent), m_boxes(this, 1753)
{
    setWindowTitle(u"employees salary"_s);
    WorkDateAtLoad(app);
    m_boxes.showMonth(app.values.work_date);

    auto* ok = named(new QPushButton(u"ok"_s, this), u"OKButton"_s);
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(u"cancel"_s, this), u"CancelButton"_s);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(new QLabel(u"year"_s, this));
    boxes->addWidget(m_boxes.year);
    boxes->addWidget(m_boxes.yearSpinner);
    boxes->addSpacing(12);
    boxes->addWidget(new QLabel(u"monthly"_s, this));
    boxes->addWidget(m_boxes.month);
    boxes->addWidget(m_boxes.monthSpinner);

    auto* layout = new QGridLayout(this);
    layout->addLayout(boxes, 0, 0, 2, 1, Qt::AlignVCenter);
    layout->addWidget(ok, 0, 1);
    layout->addWidget(cancel, 1, 1);

    connect(ok, &QPushButton::clicked, this, [this] { closeForm(this); });
    connect(cancel, &QPushButton::clicked, this, [this] { closeForm(this); });
}
