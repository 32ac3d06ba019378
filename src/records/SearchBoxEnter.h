#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Enter in a search box (or a date picker) runs the search instead of typing anything; a search box takes
// no control characters.
class SearchBoxEnter : public QObject {
    Q_OBJECT
public:
    SearchBoxEnter(QWidget* box, std::function<void()> search);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_search;
};
