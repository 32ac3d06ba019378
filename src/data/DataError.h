#pragma once

#include <QString>
#include <stdexcept>

// A failure of the data layer: a statement the database refused, a row another clerk changed,
// a value that cannot be converted. Forms catch it in their handlers and show their own message.
class DataError : public std::runtime_error {
public:
    enum class Kind { Database, Conflict, Conversion, NoCurrentRow, Usage };

    DataError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message) {}

    Kind kind() const { return m_kind; }
    QString message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};
