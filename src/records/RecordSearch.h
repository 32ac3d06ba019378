#pragma once

#include "records/ErrorMessageBoxes.h"
#include "records/RememberedPosition.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <optional>

class MessageService;
class QAbstractButton;
class QLineEdit;
class QRadioButton;
class Recordset;

// The search of a record form: the option buttons choose a column, the search box gives the value;
// "search" finds the first matching row, "search again" the next one after the current row. A miss
// says so and goes back to the row shown before. The value is only ever compared in the program, so
// a quote or a percent sign in it is just a character.
class RecordSearch : public QObject {
    Q_OBJECT
public:
    enum class Match {
        Number, // the number the text begins with (none: 0) against a number column
        Text,   // the text, trailing blanks dropped, anywhere in the column, case aside
        Whole,  // the text, trailing blanks dropped, as the column's whole value, case aside
    };

    struct Option {
        QRadioButton* button; // nullptr: the form searches this one column and has no choice to offer
        QString field;
        Match match;
        SearchMissStyle missStyle;
        bool clearsBoxWhenSelected = false;
        // A number search names the number in its miss with a blank where a plus sign would stand.
        bool missNumberWithSignPlace = false;
        // A number search against a text column takes the number as read, fraction and all, instead
        // of rounding it to a whole number: a telephone number is longer than any 32-bit code.
        bool numberAsRead = false;
        // "search again" finds the next row with the same number or whole value; otherwise only a
        // search for text anywhere in the column has a next match.
        bool findsNext = false;
        // A number search of an empty box looks for 0, as one of text without a number does; otherwise
        // an empty box searches nothing.
        bool emptySearchesZero = false;
    };

    // `remembered` is the form's remembered position of `records`, shared with its toolbar.
    RecordSearch(MessageService& messages, Recordset& records, RememberedPosition& remembered, QLineEdit* box,
                 QAbstractButton* searchButton, QAbstractButton* nextButton = nullptr, QObject* parent = nullptr);

    void addOption(const Option& option);
    // A grid over the same rows that is searched along with the record; a miss in either moves both back.
    void setGrid(Recordset* grid);

    void search();
    void findNext();

private:
    struct Lookup;
    std::optional<Lookup> lookup() const;
    const Option* selectedOption() const;
    static bool hasNextMatch(const Option& option);
    bool find(Recordset& records, const Lookup& lookup, bool fromFirst);
    void run(bool fromFirst);

    MessageService& m_messages;
    Recordset& m_records;
    RememberedPosition& m_remembered;
    QPointer<QLineEdit> m_box;
    QPointer<QAbstractButton> m_searchButton;
    QPointer<QAbstractButton> m_nextButton;
    QList<Option> m_options;
    Recordset* m_grid = nullptr;
    std::optional<RememberedPosition> m_gridRemembered;
};
