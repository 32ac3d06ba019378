#include "orders/TypeNames.h"

#include "core/AppContext.h"
#include "data/DataError.h"
#include "data/Database.h"
#include "data/TextRules.h"
#include "records/MaxPlusOneNumbering.h"

#include <QSqlQuery>
#include <exception>

using namespace Qt::StringLiterals;

TypeNames::TypeNames(AppContext& app, QString namesTable, QString rowsTable, QString column, Texts texts)
    : m_app(app), m_namesTable(std::move(namesTable)), m_rowsTable(std::move(rowsTable)), m_column(std::move(column)),
      m_texts(std::move(texts))
{
}

std::optional<QString> TypeNames::add()
{
    QString type = m_app.messages.inputBox(m_texts.prompt, m_texts.promptTitle).value_or(QString());
    while (type.endsWith(u' '))
        type.chop(1);
    if (type.isEmpty())
        return std::nullopt;
    if (TextRules::hasControlCharacter(type)) {
        showMessage(m_app.messages, m_texts.refused, TextRules::controlCharacterRefusal(QStringLiteral("A name")));
        return std::nullopt;
    }
    bool exists = false;
    try {
        Transaction transaction(m_app.db);
        const qint32 place = MaxPlusOneNumbering(m_app.db, m_namesTable, u"type_order"_s).take();
        exists = m_app.db.scalar(u"select count(*) from %1 where %2 = ?"_s.arg(m_namesTable, m_column), {type}).toInt() > 0;
        if (!exists)
            m_app.db.exec(u"insert into %1 (%2, type_order) values (?, ?)"_s.arg(m_namesTable, m_column), {type, place});
        transaction.commit();
    } catch (const std::exception& error) {
        showMessage(m_app.messages, m_texts.refused, refusalDetail(error));
        return std::nullopt;
    }
    // Said once the books are let go: the clerk may take a while over the box.
    if (exists) {
        showMessage(m_app.messages, m_texts.exists, u"A type named '%1' exists already."_s.arg(type));
        return std::nullopt;
    }
    return type;
}

bool TypeNames::remove(const QString& type)
{
    try {
        Transaction transaction(m_app.db);
        m_app.db.exec(u"delete from %1 where %2 = ?"_s.arg(m_rowsTable, m_column), {type});
        m_app.db.exec(u"delete from %1 where %2 = ?"_s.arg(m_namesTable, m_column), {type});
        if (m_followRemoval)
            m_followRemoval(type);
        transaction.commit();
    } catch (const std::exception& error) {
        showMessage(m_app.messages, m_texts.refused, refusalDetail(error));
        return false;
    }
    return true;
}

QStringList TypeNames::names() const
{
    QStringList names;
    QSqlQuery query = m_app.db.exec(u"select %1 from %2 order by type_order"_s.arg(m_column, m_namesTable));
    while (m_app.db.nextRow(query))
        names << query.value(0).toString();
    return names;
}
