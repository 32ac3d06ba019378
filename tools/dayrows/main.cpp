// halcyon-dayrows: brings the delivery rows (order_date) of a range of days up to date with the
// customers' orders. An installation runs it once a day; days before today are left as they happened.

#include "data/DayRows.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// The ISO form, or the program's own "yyyy/M/d".
QDate parseDay(const QString& text)
{
    const QDate iso = QDate::fromString(text, Qt::ISODate);
    return iso.isValid() ? iso : QDate::fromString(text, u"yyyy/M/d"_s);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"halcyon-dayrows"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Brings the delivery rows (order_date) of a range of days up to date with the customers' orders;"
        " days before today are left alone."_s);
    parser.addHelpOption();
    parser.addPositionalArgument(u"database"_s, u"A SQLite file or a postgresql:// URI; empty for HALCYON_DATABASE."_s);
    parser.addPositionalArgument(u"first"_s, u"The first day, yyyy-MM-dd or yyyy/M/d."_s);
    parser.addPositionalArgument(u"last"_s, u"The last day, included; today when left out."_s, u"[last]"_s);
    parser.process(app);

    QTextStream err(stderr);
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2 || args.size() > 3) {
        err << parser.helpText();
        return 2;
    }
    if (Database::holdsPassword(args.value(0))) {
        err << "halcyon-dayrows: a password on the command line can be read by every account on this computer; "
               "leave it out of the address and set HALCYON_DATABASE or a password file (~/.pgpass) instead\n";
        return 2;
    }
    const QDate first = parseDay(args.at(1));
    const QDate last = args.size() == 3 ? parseDay(args.at(2)) : QDate::currentDate();
    if (!first.isValid() || !last.isValid()) {
        err << "halcyon-dayrows: a day is not a date: " << (first.isValid() ? args.at(2) : args.at(1)) << '\n';
        return 2;
    }
    if (first > last) {
        err << "halcyon-dayrows: the first day comes after the last\n";
        return 2;
    }

    try {
        const auto db = Schema::openBooks(args.at(0));
        const qint64 written = DayRows::write(*db, first, last, QDate::currentDate());
        QTextStream(stdout) << written << " rows written for " << first.toString(Qt::ISODate) << " to "
                            << last.toString(Qt::ISODate) << '\n';
    } catch (const DataError& error) {
        err << "halcyon-dayrows: " << error.message() << '\n';
        return 1;
    }
    return 0;
}
