#include "widgets/SortButton.h"

#include "data/DataSource.h"

#include <QPushButton>
#include <exception>

QPushButton* makeSortButton(QWidget* form, const QString& name, const QString& caption, DataSource& source,
                            const QString& sort)
{
    auto* button = new QPushButton(caption, form);
    button->setObjectName(name);
    QObject::connect(button, &QPushButton::clicked, form, [&source, sort] {
        try {
            source.recordset().setSort(sort);
        } catch (const std::exception&) {
            // A table that could not be read has no rows, and no columns, to sort.
        }
    });
    return button;
}
