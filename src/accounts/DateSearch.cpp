#include "accounts/DateSearch.h"

#include "data/DataError.h"
#include "data/Recordset.h"
#include "data/TextRules.h"
#include "records/RememberedPosition.h"

#include <QAbstractButton>
#include <QDateEdit>

DateSearch::DateSearch(MessageService& messages, Recordset& records, RememberedPosition& remembered,
                       QDateEdit* picker, QAbstractButton* searchButton, QAbstractButton* repeatButton,
                       Messages wording, QObject* parent)
    : QObject(parent), m_messages(messages), m_records(records), m_remembered(remembered), m_picker(picker),
      m_repeatButton(repeatButton), m_wording(std::move(wording))
{
    repeatButton->setEnabled(false);
    connect(searchButton, &QAbstractButton::clicked, this, &DateSearch::search);
    connect(repeatButton, &QAbstractButton::clicked, this, &DateSearch::searchAgain);
}

bool DateSearch::find(bool fromFirst)
{
    const Criterion sameDay = Criterion::equals(QStringLiteral("date_d"), m_picker->date());
    if (fromFirst) {
        m_records.moveFirst();
        return m_records.find(sameDay);
    }
    return m_records.hasCurrentRow() && m_records.find(sameDay, 1);
}

void DateSearch::run(bool fromFirst)
{
    m_remembered.remember();
    bool found = false;
    try {
        found = find(fromFirst);
    } catch (const DataError&) {
        showMessage(m_messages, m_wording.failure);
        return;
    }
    if (found) {
        if (fromFirst)
            m_repeatButton->setEnabled(true);
        return;
    }
    const QString day = TextRules::dateText(m_picker->date());
    showMessage(m_messages, ErrorMessageBoxes::searchMiss(fromFirst ? m_wording.firstMiss : m_wording.repeatMiss, day));
    m_remembered.restore();
    m_picker->setFocus();
    if (!fromFirst)
        m_repeatButton->setEnabled(false);
}
