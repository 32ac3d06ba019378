#include "records/RecordSearch.h"

#include "data/DataError.h"
#include "data/Recordset.h"
#include "data/TextRules.h"
#include "records/SearchBoxEnter.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QRadioButton>

// What one search looks for: the criterion, and the value as a miss names it.
struct RecordSearch::Lookup {
    Criterion match;
    QString shown; // the value as the miss message names it
    const Option* option;
};

namespace {

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

RecordSearch::RecordSearch(MessageService& messages, Recordset& records, RememberedPosition& remembered,
                           QLineEdit* box, QAbstractButton* searchButton, QAbstractButton* nextButton, QObject* parent)
    : QObject(parent), m_messages(messages), m_records(records), m_remembered(remembered), m_box(box),
      m_searchButton(searchButton), m_nextButton(nextButton)
{
    connect(searchButton, &QAbstractButton::clicked, this, &RecordSearch::search);
    // Enter does what a click of the search button does, so nothing while that button is off.
    new SearchBoxEnter(box, [this] {
        if (!m_searchButton || m_searchButton->isEnabled())
            search();
    });
    if (nextButton) {
        nextButton->setEnabled(false);
        connect(nextButton, &QAbstractButton::clicked, this, &RecordSearch::findNext);
    }
}

void RecordSearch::addOption(const Option& option)
{
    m_options.push_back(option);
    if (option.clearsBoxWhenSelected && option.button) {
        connect(option.button, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected && m_box)
                m_box->clear();
        });
    }
}

void RecordSearch::setGrid(Recordset* grid, GridMiss miss)
{
    m_grid = grid;
    m_gridMiss = miss;
    if (grid)
        m_gridRemembered.emplace(*grid);
    else
        m_gridRemembered.reset();
}

const RecordSearch::Option* RecordSearch::selectedOption() const
{
    for (const Option& option : m_options)
        if (!option.button || option.button->isChecked())
            return &option;
    return nullptr;
}

bool RecordSearch::offersNext(const Option& option)
{
    return option.match == Match::Text || option.findsNext;
}

std::optional<RecordSearch::Lookup> RecordSearch::lookup() const
{
    const QString typed = m_box ? m_box->text() : QString();
    const Option* selected = selectedOption();
    if (!selected || (typed.isEmpty() && !(selected->match == Match::Number && selected->emptyBoxIsZero)))
        return std::nullopt;
    const Option& option = *selected;
    if (option.match == Match::Number) {
        // Never rounded: the column's values are compared with the number as typed.
        const double number = TextRules::numberFromText(typed);
        const QString digits = TextRules::numberText(number);
        const QString shown = option.missNumberWithSignPlace && !(number < 0) ? u' ' + digits : digits;
        return Lookup{Criterion::equals(option.field, number), shown, &option};
    }
    if (option.match == Match::Whole)
        return Lookup{Criterion::equals(option.field, withoutTrailingBlanks(typed)), typed, &option};
    return Lookup{Criterion::contains(option.field, withoutTrailingBlanks(typed)), typed, &option};
}

bool RecordSearch::find(Recordset& records, const Lookup& lookup, bool fromFirst)
{
    if (fromFirst) {
        records.moveFirst();
        return records.find(lookup.match);
    }
    return records.hasCurrentRow() && records.find(lookup.match, 1);
}

void RecordSearch::search()
{
    run(true);
}

void RecordSearch::findNext()
{
    run(false);
}

// The record, and the grid along with it. A grid that only follows finds on its own and goes back
// alone when it misses.
bool RecordSearch::findBoth(const Lookup& lookup, bool fromFirst)
{
    if (!m_grid)
        return find(m_records, lookup, fromFirst);
    if (m_gridMiss == GridMiss::BothGoBack)
        return find(m_records, lookup, fromFirst) && find(*m_grid, lookup, fromFirst);
    const bool found = find(m_records, lookup, fromFirst);
    bool gridFound = false;
    try {
        gridFound = find(*m_grid, lookup, fromFirst);
    } catch (const DataError&) {
    }
    if (!gridFound)
        m_gridRemembered->restore();
    return found;
}

void RecordSearch::run(bool fromFirst)
{
    m_remembered.remember();
    if (m_gridRemembered)
        m_gridRemembered->remember();
    const std::optional<Lookup> wanted = lookup();
    if (!wanted) {
        // An empty box searches nothing, yet a search by a text column still offers the next match.
        const Option* selected = selectedOption();
        if (fromFirst && m_nextButton && selected && selected->match == Match::Text)
            m_nextButton->setEnabled(true);
        emit searched(fromFirst);
        return;
    }
    const Option& option = *wanted->option;
    if (!fromFirst && !offersNext(option))
        return;
    // Text given to the box by other means than typing (a paste the box could not stop) finds nothing.
    if (TextRules::hasControlCharacter(m_box ? m_box->text() : QString())) {
        showMessage(m_messages, ErrorMessageBoxes::searchMiss(option.missStyle, wanted->shown),
                    TextRules::controlCharacterRefusal(QStringLiteral("The search box")));
        if (m_box)
            m_box->setFocus();
        emit searched(fromFirst);
        return;
    }
    // A search is not an action that can fail for the clerk: a step the data layer refuses is a miss.
    bool found = false;
    try {
        found = findBoth(*wanted, fromFirst);
    } catch (const DataError&) {
        found = false;
    }
    if (!found) {
        const SearchMissStyle style = !fromFirst && option.nextMissStyle ? *option.nextMissStyle : option.missStyle;
        showMessage(m_messages, ErrorMessageBoxes::searchMiss(style, wanted->shown));
        m_remembered.restore();
        if (m_gridRemembered && m_gridMiss == GridMiss::BothGoBack)
            m_gridRemembered->restore();
        if (m_box) {
            if (m_emptiesBoxOnMiss)
                m_box->clear();
            m_box->setFocus();
        }
    }
    // Search again stays on after every first search (a missed one leaves it, where the form says so)
    // and goes off when it runs out of matches.
    if (m_nextButton && offersNext(option) && !(fromFirst && !found && m_firstMissLeavesNext))
        m_nextButton->setEnabled(fromFirst || found);
    emit searched(fromFirst);
}
