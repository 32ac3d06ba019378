#include "data/RowStore.h"

#include <QDate>
#include <cstring>

namespace {

// A column whose first this many values all differ is a key or free text: sharing them gains nothing.
constexpr qsizetype kKeyTest = 1024;
// The codes are two bytes.
constexpr qsizetype kMostShared = 0x10000;
constexpr qsizetype kTextsCompared = 16;

// Most texts compared differ in length; those that do not are short.
inline bool sameText(const QString& a, const QString& b)
{
    return a.size() == b.size() && std::memcmp(a.constData(), b.constData(), std::size_t(a.size()) * sizeof(QChar)) == 0;
}

} // namespace

void RowStore::reset(int columns)
{
    m_columns.resize(std::size_t(columns));
    for (Column& column : m_columns)
        column.clear();
    m_rows = 0;
}

qsizetype RowStore::addEmptyRow()
{
    for (Column& column : m_columns)
        column.append(QVariant());
    return endRow();
}

QVector<QVariant> RowStore::row(qsizetype slot) const
{
    QVector<QVariant> values;
    values.reserve(columnCount());
    for (const Column& column : m_columns)
        values.push_back(column.at(slot));
    return values;
}

void RowStore::setRow(qsizetype slot, const QVector<QVariant>& values)
{
    for (int i = 0; i < columnCount(); ++i)
        m_columns[std::size_t(i)].set(slot, values[i]);
}

void RowStore::Column::clear()
{
    m_form = Form::Shared;
    forgetSharing();
    m_numbers.clear();
    m_odd.clear();
    m_values.clear();
}

bool RowStore::Column::isNumberType(int type)
{
    switch (type) {
    case QMetaType::LongLong: case QMetaType::ULongLong: case QMetaType::Int: case QMetaType::UInt:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// Read once for every value loaded, so it reads the variant's own flag rather than asking isNull(),
// which tells the same for every type kept here.
Q_ALWAYS_INLINE bool RowStore::Column::keyOf(const QVariant& value, Key& key)
{
    const QVariant::Private& d = value.data_ptr();
    key.type = d.type().id();
    key.bits = 0;
    if (d.is_null || key.type == QMetaType::UnknownType) {
        key.null = 1;
        return true;
    }
    key.null = 0;
    const void* data = d.storage();
    switch (key.type) {
    case QMetaType::LongLong: case QMetaType::ULongLong: case QMetaType::Double:
        std::memcpy(&key.bits, data, sizeof key.bits);
        return true;
    case QMetaType::Int:
        key.bits = quint64(qint64(*static_cast<const int*>(data)));
        return true;
    case QMetaType::UInt:
        key.bits = *static_cast<const uint*>(data);
        return true;
    case QMetaType::Bool:
        key.bits = *static_cast<const bool*>(data) ? 1 : 0;
        return true;
    case QMetaType::QDate:
        key.bits = quint64(static_cast<const QDate*>(data)->toJulianDay());
        return true;
    case QMetaType::QString:
        // Only a null text is told by its key: "" and a null text are written as different things.
        if (!static_cast<const QString*>(data)->isNull())
            return false;
        key.null = 2;
        return true;
    default:
        return false;
    }
}

QVariant RowStore::Column::numberOf(int type, quint64 bits)
{
    switch (type) {
    case QMetaType::LongLong:
        return QVariant(qint64(bits));
    case QMetaType::ULongLong:
        return QVariant(bits);
    case QMetaType::Int:
        return QVariant(int(qint64(bits)));
    case QMetaType::UInt:
        return QVariant(uint(bits));
    default: {
        double number = 0;
        std::memcpy(&number, &bits, sizeof number);
        return QVariant(number);
    }
    }
}

Q_ALWAYS_INLINE int RowStore::Column::codeOf(const QVariant& value)
{
    Key key;
    if (keyOf(value, key)) {
        if (m_lastCode >= 0 && key == m_lastKey)
            return m_lastCode;
        m_lastKey = key;
        return m_lastCode = findOrAdd(key, nullptr, value);
    }
    if (key.type != QMetaType::QString)
        return -1;
    // The last key stands for a text when it says a text that is not null.
    const QString& text = *static_cast<const QString*>(value.constData());
    if (m_lastCode >= 0 && key == m_lastKey && sameText(text, textOf(m_lastCode)))
        return m_lastCode;
    m_lastKey = key;
    return m_lastCode = findOrAdd(key, &text, value);
}

int RowStore::Column::findOrAdd(const Key& key, const QString* text, const QVariant& value)
{
    // A few texts (product names, bottle types) are told apart sooner by comparing than by hashing.
    if (text && m_distinct.size() <= kTextsCompared) {
        for (int code = 0; code < m_distinct.size(); ++code)
            if (m_keys[std::size_t(code)] == key && sameText(textOf(code), *text))
                return code;
    }
    const quint32 hash = text ? quint32(qHash(*text, 0))
                              : quint32(((key.bits ^ (quint64(key.type) << 40) ^ (quint64(key.null) << 60))
                                         * 0x9E3779B97F4A7C15ull) >> 32);
    if (m_table.empty())
        rehash(64);
    const std::size_t mask = m_table.size() - 1;
    std::size_t at = hash & mask;
    for (; m_table[at] != 0; at = (at + 1) & mask) {
        const quint32 code = m_table[at] - 1;
        if (m_hashes[code] == hash && m_keys[code] == key
            && (!text || sameText(textOf(int(code)), *text)))
            return int(code);
    }
    if (m_distinct.size() >= kMostShared)
        return -1;
    const int code = int(m_distinct.size());
    m_distinct.push_back(value);
    m_keys.push_back(key);
    m_hashes.push_back(hash);
    m_table[at] = quint32(code) + 1;
    if (m_distinct.size() * 2 > qsizetype(m_table.size()))
        rehash(m_table.size() * 2);
    return code;
}

void RowStore::Column::rehash(std::size_t size)
{
    m_table.assign(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t code = 0; code < m_hashes.size(); ++code) {
        std::size_t at = m_hashes[code] & mask;
        while (m_table[at] != 0)
            at = (at + 1) & mask;
        m_table[at] = quint32(code) + 1;
    }
}

void RowStore::Column::append(const QVariant& value)
{
    switch (m_form) {
    case Form::Shared: {
        const int code = codeOf(value);
        if (code >= 0) {
            m_codes.push_back(quint16(code));
            if (qsizetype(m_codes.size()) == kKeyTest && m_distinct.size() == kKeyTest)
                stopSharing();
            return;
        }
        stopSharing();
        return append(value);
    }
    case Form::Numbers:
        m_numbers.push_back(0);
        return setNumber(qsizetype(m_numbers.size()) - 1, value);
    case Form::Values:
        break;
    }
    m_values.push_back(value);
}

// A value that is not a number of the column's type (the empty key of a new row) is kept aside, until
// there are so many that the column keeps its values as they are.
void RowStore::Column::setNumber(qsizetype slot, const QVariant& value)
{
    Key key;
    if (keyOf(value, key) && key.null == 0 && key.type == m_numberType) {
        m_numbers[std::size_t(slot)] = key.bits;
        if (!m_odd.isEmpty())
            m_odd.remove(slot);
        return;
    }
    m_odd.insert(slot, value);
    if (m_odd.size() * 8 > qsizetype(m_numbers.size()))
        keepAsValues();
}

QVariant RowStore::Column::at(qsizetype slot) const
{
    switch (m_form) {
    case Form::Shared:
        return m_distinct.at(m_codes[std::size_t(slot)]);
    case Form::Numbers:
        if (!m_odd.isEmpty()) {
            if (const auto odd = m_odd.constFind(slot); odd != m_odd.cend())
                return *odd;
        }
        return numberOf(m_numberType, m_numbers[std::size_t(slot)]);
    case Form::Values:
        break;
    }
    return m_values.at(slot);
}

qsizetype RowStore::Column::valueCount() const
{
    switch (m_form) {
    case Form::Shared:
        return m_distinct.size();
    case Form::Numbers:
        return qsizetype(m_numbers.size());
    case Form::Values:
        break;
    }
    return m_values.size();
}

void RowStore::Column::set(qsizetype slot, const QVariant& value)
{
    switch (m_form) {
    case Form::Shared:
        if (const int code = codeOf(value); code >= 0) {
            m_codes[std::size_t(slot)] = quint16(code);
            return;
        }
        stopSharing();
        return set(slot, value);
    case Form::Numbers:
        return setNumber(slot, value);
    case Form::Values:
        break;
    }
    m_values[slot] = value;
}

// A key column: its numbers alone where they are all numbers of one type, else its values as they are.
void RowStore::Column::stopSharing()
{
    if (m_distinct.isEmpty())
        return keepAsValues();
    Key key;
    QVector<quint64> bits;
    bits.reserve(m_distinct.size());
    for (const QVariant& value : std::as_const(m_distinct)) {
        if (!keyOf(value, key) || key.null != 0 || !isNumberType(key.type) || (!bits.isEmpty() && key.type != m_numberType))
            return keepAsValues();
        m_numberType = key.type;
        bits.push_back(key.bits);
    }
    m_numbers.clear();
    m_numbers.reserve(m_codes.size());
    for (const quint16 code : m_codes)
        m_numbers.push_back(bits[code]);
    m_form = Form::Numbers;
    forgetSharing();
    std::vector<quint16>().swap(m_codes);
}

void RowStore::Column::keepAsValues()
{
    if (m_form == Form::Values)
        return;
    m_values.clear();
    if (m_form == Form::Shared) {
        m_values.reserve(qsizetype(m_codes.size()));
        for (const quint16 code : m_codes)
            m_values.push_back(m_distinct[code]);
        forgetSharing();
        std::vector<quint16>().swap(m_codes);
    } else {
        m_values.reserve(qsizetype(m_numbers.size()));
        for (const quint64 number : m_numbers)
            m_values.push_back(numberOf(m_numberType, number));
        for (auto odd = m_odd.cbegin(); odd != m_odd.cend(); ++odd)
            m_values[odd.key()] = odd.value();
        m_odd.clear();
        std::vector<quint64>().swap(m_numbers);
    }
    m_form = Form::Values;
}

void RowStore::Column::forgetSharing()
{
    m_distinct.clear();
    m_keys.clear();
    m_hashes.clear();
    m_table.clear();
    m_codes.clear();
    m_lastCode = -1;
}
