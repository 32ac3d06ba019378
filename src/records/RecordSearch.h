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
        // The number the text begins with (none: 0), as typed, against a number column: a fraction or a
        // figure beyond the column's whole numbers finds nothing ("12.7" is never 13). Against a text
        // column (a telephone number) it is the number's plain digits.
        Number,
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
        // A number search that also offers the next match, as a text search does.
        bool findsNext = false;
        // An empty box searches for 0 instead of nothing.
        bool emptyBoxIsZero = false;
        // How a missed search again words its miss, where it differs from the first search.
        std::optional<SearchMissStyle> nextMissStyle = std::nullopt;
    };

    // How a grid searched along with the record takes a miss of its own.
    enum class GridMiss {
        BothGoBack,   // the grid must find the row too; a miss in either moves both back and says so
        GridGoesBack, // the record alone decides; a grid that misses only goes back, silently
    };

    // `remembered` is the form's remembered position of `records`, shared with its toolbar.
    RecordSearch(MessageService& messages, Recordset& records, RememberedPosition& remembered, QLineEdit* box,
                 QAbstractButton* searchButton, QAbstractButton* nextButton = nullptr, QObject* parent = nullptr);

    void addOption(const Option& option);
    // A grid over the same rows that is searched along with the record; a miss in either moves both back.
    void setGrid(Recordset* grid, GridMiss miss = GridMiss::BothGoBack);
    // A search whose record is not found empties the box.
    void setEmptiesBoxOnMiss(bool empties) { m_emptiesBoxOnMiss = empties; }
    // Search again is on after every first search, hit or miss; with this set, a first search that
    // misses leaves it as it was.
    void setFirstMissLeavesNext(bool leaves) { m_firstMissLeavesNext = leaves; }

    void search();
    void findNext();

signals:
    // A search or search again ran, hit or miss.
    void searched(bool fromFirst);

private:
    struct Lookup;
    std::optional<Lookup> lookup() const;
    const Option* selectedOption() const;
    static bool offersNext(const Option& option);
    bool find(Recordset& records, const Lookup& lookup, bool fromFirst);
    bool findBoth(const Lookup& lookup, bool fromFirst);
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
    GridMiss m_gridMiss = GridMiss::BothGoBack;
    bool m_emptiesBoxOnMiss = false;
    bool m_firstMissLeavesNext = false;
};
