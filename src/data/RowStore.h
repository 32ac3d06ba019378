#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <vector>

// The values of a recordset's rows, kept column by column so that a year of delivery rows fits in a
// fraction of the memory a value apiece would take. A column whose values repeat (codes, dates, product
// names, counts, flags) holds each different value once and a two-byte number a row; a column of numbers
// that do not repeat (a key) holds the numbers themselves, and aside the few values that are not such
// numbers; any other column holds its values as they are. Every value comes back exactly as it went in:
// its type, and whether it was null, included. Rows are numbered by slot in the order they were added;
// a slot is never reused.
class RowStore {
public:
    // No rows, and `columns` empty columns.
    void reset(int columns);
    int columnCount() const { return int(m_columns.size()); }
    qsizetype rowCount() const { return m_rows; }

    // A row is added a column at a time, left to right, and ended; ending returns its slot.
    void add(int column, const QVariant& value) { m_columns[column].append(value); }
    qsizetype endRow() { return m_rows++; }
    // A row of empty values, as a new record starts.
    qsizetype addEmptyRow();

    QVariant value(qsizetype slot, int column) const { return m_columns[column].at(slot); }
    void setValue(qsizetype slot, int column, const QVariant& value) { m_columns[column].set(slot, value); }
    QVector<QVariant> row(qsizetype slot) const;
    void setRow(qsizetype slot, const QVector<QVariant>& values);

    // A column's different values where it keeps each once, and which of them a slot holds; where it
    // keeps its values as they come, each slot is its own. What a search or a sort makes of a value is
    // then made once for each different value.
    qsizetype valueCount(int column) const { return m_columns[column].valueCount(); }
    qsizetype valueIndex(qsizetype slot, int column) const { return m_columns[column].valueIndex(slot); }
    QVariant valueOfIndex(int column, qsizetype index) const { return m_columns[column].valueOfIndex(index); }

private:
    class Column {
    public:
        void clear();
        void append(const QVariant& value);
        QVariant at(qsizetype slot) const;
        void set(qsizetype slot, const QVariant& value);
        qsizetype valueCount() const;
        qsizetype valueIndex(qsizetype slot) const { return m_form == Form::Shared ? m_codes[std::size_t(slot)] : slot; }
        QVariant valueOfIndex(qsizetype index) const { return m_form == Form::Shared ? m_distinct.at(index) : at(index); }

    private:
        // What tells a number, a date, a flag or a null from every other: its type, its kind of
        // null, its bits. A text that is not null has the key of every such text and is told by itself.
        struct Key {
            int type = 0;
            int null = 0; // 0 a value; 1 a null variant; 2 a null text in a variant that is not null
            quint64 bits = 0;
            bool operator==(const Key&) const = default;
        };
        enum class Form { Shared, Numbers, Values };

        static bool keyOf(const QVariant& value, Key& key);
        static bool isNumberType(int type);
        static QVariant numberOf(int type, quint64 bits);
        // The code of `value`, added where it is new; -1 where it cannot be shared.
        int codeOf(const QVariant& value);
        int findOrAdd(const Key& key, const QString* text, const QVariant& value);
        const QString& textOf(int code) const { return *static_cast<const QString*>(m_distinct[code].constData()); }
        void rehash(std::size_t size);
        void setNumber(qsizetype slot, const QVariant& value);
        void stopSharing();
        void keepAsValues();
        void forgetSharing();

        Form m_form = Form::Shared;
        // Shared: the different values with their keys and hashes, a table of codes open by hash, and
        // each row's code.
        QVector<QVariant> m_distinct;
        std::vector<Key> m_keys;
        std::vector<quint32> m_hashes;
        std::vector<quint32> m_table; // a code plus one; 0 is free
        std::vector<quint16> m_codes;
        // The last value coded, since a column's values come in runs (a day's rows, a flag's zeros).
        int m_lastCode = -1;
        Key m_lastKey;
        // Numbers: one type, each row's bits, and the few rows that hold something else.
        int m_numberType = 0;
        std::vector<quint64> m_numbers;
        QHash<qsizetype, QVariant> m_odd;
        // Values: each row's value as it is.
        QVector<QVariant> m_values;
    };

    std::vector<Column> m_columns;
    qsizetype m_rows = 0;
};
