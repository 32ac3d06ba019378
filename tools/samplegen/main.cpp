// halcyon-sample: fills an empty database with a made-up milk-delivery business.

#include "samplegen/SampleBusiness.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"halcyon-sample"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Fills an empty database with a sample milk-delivery business."_s);
    parser.addHelpOption();
    parser.addPositionalArgument(u"database"_s, u"A SQLite file or a postgresql:// URI; empty for HALCYON_DATABASE."_s);
    parser.addPositionalArgument(u"customers"_s, u"How many customers (50)."_s, u"[customers]"_s);
    parser.addPositionalArgument(u"seed"_s, u"The random seed (1); the same seed gives the same rows."_s, u"[seed]"_s);
    parser.addPositionalArgument(u"days"_s, u"How many days of delivery rows (365) from 2026-01-01."_s, u"[days]"_s);
    parser.process(app);

    QTextStream err(stderr);
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty() || args.size() > 4) {
        err << parser.helpText();
        return 2;
    }
    if (Database::holdsPassword(args.value(0))) {
        err << "halcyon-sample: a password on the command line can be read by every account on this computer; "
               "leave it out of the address and set HALCYON_DATABASE or a password file (~/.pgpass) instead\n";
        return 2;
    }
    SampleSize size;
    bool valid = true;
    auto number = [&](qsizetype index, uint fallback) {
        bool ok = true;
        const uint value = index < args.size() ? args.at(index).toUInt(&ok) : fallback;
        valid = valid && ok;
        return value;
    };
    size.customers = int(number(1, size.customers));
    size.seed = number(2, size.seed);
    size.days = int(number(3, size.days));
    if (!valid || size.customers < 0 || size.days < 1) {
        err << "halcyon-sample: customers, seed and days are whole numbers, days at least 1\n";
        return 2;
    }

    try {
        const auto db = Schema::openBooks(args.at(0));
        if (db->scalar(u"SELECT count(*) FROM customer_data"_s).toInt() > 0) {
            err << "halcyon-sample: the database already holds customers; it fills only an empty one\n";
            return 1;
        }
        QElapsedTimer timer;
        timer.start();
        SampleBusiness::fill(*db, size);
        QTextStream(stdout) << size.customers << " customers and "
                            << db->scalar(u"SELECT count(*) FROM order_date"_s).toLongLong() << " delivery rows in "
                            << timer.elapsed() / 1000.0 << " s\n";
    } catch (const DataError& error) {
        err << "halcyon-sample: " << error.message() << '\n';
        return 1;
    }
    return 0;
}
