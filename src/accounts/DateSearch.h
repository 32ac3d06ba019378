#pragma once

#include "records/ErrorMessageBoxes.h"

#include <QObject>
#include <QPointer>

class MessageService;
class QAbstractButton;
class QDateEdit;
class Recordset;
class RememberedPosition;

// A search of the cash journal by day: the first row of a recordset dated the picker's day, or the
// next such row after the current one. Days compare as dates. A miss names the day, goes back to the
// row shown before and puts the focus in the picker; a first search that finds offers the repeat,
// a repeat that misses takes it away.
class DateSearch : public QObject {
    Q_OBJECT
public:
    struct Messages {
        SearchMissStyle firstMiss;
        SearchMissStyle repeatMiss;
        MessageBoxText failure; // the rows could not be searched
    };

    // `remembered` is the position of `records` that a miss returns to.
    DateSearch(MessageService& messages, Recordset& records, RememberedPosition& remembered, QDateEdit* picker,
               QAbstractButton* searchButton, QAbstractButton* repeatButton, Messages wording,
               QObject* parent = nullptr);

    void search() { run(true); }
    void searchAgain() { run(false); }

private:
    bool find(bool fromFirst);
    void run(bool fromFirst);

    MessageService& m_messages;
    Recordset& m_records;
    RememberedPosition& m_remembered;
    QPointer<QDateEdit> m_picker;
    QPointer<QAbstractButton> m_repeatButton;
    Messages m_wording;
};
