#pragma once

#include "records/ErrorMessageBoxes.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct AppContext;

// The names of the subscription types and of the delivery types: a table of names (order_kind,
// send_kind) and a table of each type's rows under the same column (subscribe_type, send_type).
// Names are compared exactly and kept without trailing blanks.
class TypeNames {
public:
    struct Texts {
        QString prompt;
        QString promptTitle;
        MessageBoxText exists;
        MessageBoxText refused;
    };

    // The tables and the column are the program's own names, never text a clerk typed.
    TypeNames(AppContext& app, QString namesTable, QString rowsTable, QString column, Texts texts);

    // Asks for a name and saves it. The saved name; nothing when none was given, when the name is
    // taken or when the database refused it (both said).
    std::optional<QString> add();
    // The name and every row of the type go in one transaction, with what `follow` (below) writes;
    // false (and said) when refused.
    bool remove(const QString& type);
    // Writes what follows from a type taken away, in the transaction that takes it.
    void followRemovalWith(std::function<void(const QString& type)> follow) { m_followRemoval = std::move(follow); }
    // The names in the order they were added, not sorted. Throws DataError.
    QStringList names() const;

private:
    AppContext& m_app;
    QString m_namesTable;
    QString m_rowsTable;
    QString m_column;
    Texts m_texts;
    std::function<void(const QString& type)> m_followRemoval;
};
