#pragma once

#include <QString>
#include <exception>
#include <stdexcept>

// A failure of the data layer: a statement the database refused, a row another clerk changed,
// a value that cannot be converted. Forms catch it in their handlers and show their own message,
// with detail() as the box's detail line: why it failed, in the clerk's words.
class DataError : public std::runtime_error {
public:
    enum class Kind { Database, Conflict, Conversion, NoCurrentRow, Usage };

    // Why the database refused, as far as the clerk can act on it.
    enum class Reason {
        Other,            // the message says it
        ChangedByAnother, // the row was changed or deleted by another clerk since it was read
        KeyTaken,         // a code or key another row already has
        Busy,             // another clerk's work held the books past the time-out
        ReadOnly,         // the books cannot be written
        DiskFull,
        Damaged,          // a part of the books cannot be read
        ServerUnreachable,
        OutOfRange,       // a number beyond what its column holds; the message names the range
    };

    DataError(Kind kind, const QString& message)
        : DataError(kind, kind == Kind::Conflict ? Reason::ChangedByAnother : Reason::Other, message) {}
    // `detail`, where given, is the box's detail line instead of the one the reason gives.
    DataError(Kind kind, Reason reason, const QString& message, const QString& detail = {})
        : std::runtime_error(message.toStdString()), m_kind(kind), m_reason(reason), m_message(message),
          m_detail(detail) {}

    Kind kind() const { return m_kind; }
    Reason reason() const { return m_reason; }
    QString message() const { return m_message; }

    // The detail line of the refusal's box.
    QString detail() const;
    // The detail line where it says more than the message; empty where it would only repeat it.
    QString detailBesidesMessage() const
    {
        const QString line = detail();
        return line != m_message ? line : QString();
    }

private:
    Kind m_kind;
    Reason m_reason;
    QString m_message;
    QString m_detail;
};

// The detail line for any failure a handler caught: the data layer's reason, or the failure's own text.
QString refusalDetail(const std::exception& error);
