#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

// Enter in a search box runs the search instead of typing anything; the box takes no control characters.
class SearchBoxEnter : public QObject {
    Q_OBJECT
public:
    SearchBoxEnter(QLineEdit* box, std::function<void()> search);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_search;
};
