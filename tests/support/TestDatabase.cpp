#include "TestDatabase.h"

#include "data/Schema.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString uniqueName()
{
    static QAtomicInt counter;
    return QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(counter.fetchAndAddRelaxed(1));
}

// SQLite files live in one temporary folder per test program; a file, unlike :memory:, can be opened twice.
QString sqliteFile()
{
    static QTemporaryDir folder;
    return QDir(folder.path()).filePath(uniqueName() + QStringLiteral(".sqlite"));
}

} // namespace

std::string backendName(Backend backend)
{
    return backend == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

bool postgresAvailable()
{
    return !qEnvironmentVariable("HALCYON_TEST_PG").isEmpty();
}

std::unique_ptr<Database> openTestDatabase(Backend backend, bool withSchema)
{
    QString location;
    if (backend == Backend::SQLite) {
        location = sqliteFile();
    } else {
        if (!postgresAvailable())
            return nullptr;
        QUrl url(qEnvironmentVariable("HALCYON_TEST_PG"));
        QUrlQuery query(url);
        query.removeAllQueryItems(QStringLiteral("schema"));
        query.addQueryItem(QStringLiteral("schema"), uniqueName());
        url.setQuery(query);
        location = url.toString();
    }
    auto db = Database::open(location);
    if (withSchema)
        Schema::create(*db);
    return db;
}

std::unique_ptr<Database> openSecondConnection(const Database& first)
{
    return Database::open(first.location());
}
