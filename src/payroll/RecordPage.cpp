#include "payroll/RecordPage.h"

#include "widgets/ExitButton.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

void layOutRecordPage(QWidget* form, QToolBar* toolbar, QLayout* topLine, QLayout* record, QWidget* grid,
                      GridPlacement placement)
{
    auto* exitLine = new QHBoxLayout;
    exitLine->addStretch();
    exitLine->addWidget(makeExitButton(form));

    auto* page = new QVBoxLayout(form);
    page->addWidget(toolbar);
    page->addLayout(topLine);
    if (placement == GridPlacement::BesideRecord) {
        auto* recordAndGrid = new QHBoxLayout;
        recordAndGrid->addLayout(record);
        recordAndGrid->addSpacing(24);
        recordAndGrid->addWidget(grid, 1);
        page->addLayout(recordAndGrid, 1);
    } else {
        page->addLayout(record);
        page->addWidget(grid, 1);
    }
    page->addLayout(exitLine);
}
