#pragma once

#include <QObject>

class QWidget;

// Entry fields where Enter and the down arrow go on to the next field and the up arrow back to the
// previous one, in the window's tab order. The keys are used up: Enter types nothing, and an arrow
// does not also step a combo box through its list.
class FieldKeyNavigation : public QObject {
    Q_OBJECT
public:
    explicit FieldKeyNavigation(QObject* parent = nullptr) : QObject(parent) {}

    void add(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
