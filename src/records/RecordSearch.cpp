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

void RecordSearch::setGrid(Recordset* grid)
{
    m_grid = grid;
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

bool RecordSearch::hasNextMatch(const Option& option)
{
    return option.match == Match::Text || option.findsNext;
}

std::optional<RecordSearch::Lookup> RecordSearch::lookup() const
{
    const QString typed = m_box ? m_box->text() : QString();
    if (const Option* selected = selectedOption()) {
        const Option& option = *selected;
        if (typed.isEmpty() && !(option.match == Match::Number && option.emptySearchesZero))
            return std::nullopt;
        if (option.match == Match::Number && option.numberAsRead) {
            const double number = TextRules::numberFromText(typed);
            const QString digits = TextRules::numberText(number);
            const QString shown = option.missNumberWithSignPlace && !(number < 0) ? u' ' + digits : digits;
            return Lookup{Criterion::equals(option.field, number), shown, &option};
        }
        if (option.match == Match::Number) {
            const qint32 number = TextRules::roundToInt32(TextRules::numberFromText(typed));
            const QString shown = option.missNumberWithSignPlace && number >= 0 ? u' ' + QString::number(number)
                                                                                 : QString::number(number);
            return Lookup{Criterion::equals(option.field, number), shown, &option};
        }
        if (option.match == Match::Whole)
            return Lookup{Criterion::equals(option.field, withoutTrailingBlanks(typed)), typed, &option};
        return Lookup{Criterion::contains(option.field, withoutTrailingBlanks(typed)), typed, &option};
    }
    return std::nullopt;
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
        return;
    }
    if (!fromFirst && !hasNextMatch(*wanted->option))
        return;
    // A search is not an action that can fail for the clerk: a step the data layer refuses is a miss.
    bool found = false;
    try {
        found = find(m_records, *wanted, fromFirst) && (!m_grid || find(*m_grid, *wanted, fromFirst));
    } catch (const DataError&) {
        found = false;
    }
    if (!found) {
        showMessage(m_messages, ErrorMessageBoxes::searchMiss(wanted->option->missStyle, wanted->shown));
        m_remembered.restore();
        if (m_gridRemembered)
            m_gridRemembered->restore();
        if (m_box)
            m_box->setFocus();
    }
    if (m_nextButton && wanted->option->match == Match::Text)
        m_nextButton->setEnabled(fromFirst || found);
    else if (m_nextButton && hasNextMatch(*wanted->option) && (found || !fromFirst))
        m_nextButton->setEnabled(found); // a miss of the first search leaves it as it was
}
