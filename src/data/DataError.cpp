#include "data/DataError.h"

QString DataError::detail() const
{
    if (!m_detail.isEmpty())
        return m_detail;
    switch (m_reason) {
    case Reason::ChangedByAnother:
        return QStringLiteral("Another clerk changed or deleted this record since it was read. "
                              "Cancel shows it as it now stands.");
    case Reason::KeyTaken:
        return QStringLiteral("The code is already taken by another record.");
    case Reason::Busy:
        return QStringLiteral("The books are busy with another clerk's work. Please try again.");
    case Reason::ReadOnly:
        return QStringLiteral("The books are read-only: nothing can be written to them.");
    case Reason::DiskFull:
        return QStringLiteral("The disk that holds the books is full.");
    case Reason::Damaged:
        return QStringLiteral("The books are damaged: a part of them cannot be read (%1).").arg(m_message);
    case Reason::ServerUnreachable:
        return QStringLiteral("The database server cannot be reached.");
    case Reason::OutOfRange:
    case Reason::Other:
        break;
    }
    return m_message;
}

QString refusalDetail(const std::exception& error)
{
    if (const auto* dataError = dynamic_cast<const DataError*>(&error))
        return dataError->detail();
    return QString::fromUtf8(error.what());
}
