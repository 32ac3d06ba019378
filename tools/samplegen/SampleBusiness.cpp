#include "samplegen/SampleBusiness.h"

#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/DayRows.h"
#include "data/DeliveredRows.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringList>

#include <cmath>
#include <random>
#include <utility>

namespace SampleBusiness {

namespace {

using namespace Qt::StringLiterals;

constexpr int kMilkAreas = 8;

// The job titles that the commission rules tell apart.
const QString salesperson = u"業務"_s;
const QString milkman = u"送奶員"_s;

// One character each.
const QStringList surnames = u"陳林黃張李王吳劉蔡楊許鄭謝郭洪曾邱廖賴周"_s.split(QString(), Qt::SkipEmptyParts);
const QStringList givenNames =
    u"志明淑芬美玲俊傑家豪怡君雅婷建宏冠宇佳慧文雄秀英世昌麗華"_s.split(QString(), Qt::SkipEmptyParts);
// The milk areas 1 to 8, in order.
const QStringList districts = {u"台北市大安區"_s, u"台北市信義區"_s, u"台北市中山區"_s, u"台北市士林區"_s,
                               u"台北市文山區"_s, u"新北市板橋區"_s, u"新北市中和區"_s, u"新北市永和區"_s};
const QStringList roads = {u"復興南路"_s, u"和平東路"_s, u"忠孝東路"_s, u"民生東路"_s, u"中山北路"_s,
                           u"羅斯福路"_s, u"文化路"_s, u"中正路"_s, u"永和路"_s, u"信義路"_s};

struct ProductKind {
    QString names;
    double price;
};
const QList<ProductKind> productKinds = {{u"鮮乳"_s, 30},     {u"低脂鮮乳"_s, 32}, {u"優酪乳"_s, 35},
                                         {u"巧克力牛乳"_s, 28}, {u"果汁牛乳"_s, 28}, {u"麥芽牛乳"_s, 30},
                                         {u"羊乳"_s, 45},     {u"豆漿"_s, 20}};

const QStringList bottleTypes = {u"玻璃瓶"_s, u"塑膠瓶"_s, u"紙盒"_s};
const QStringList warmBoxes = {u"小保溫盒"_s, u"大保溫盒"_s, u"無"_s};
const QStringList addReasons = {u"朋友介紹"_s, u"傳單"_s, u"電話推銷"_s, u"路過看到"_s};
const QStringList returnReasons = {u"搬家"_s, u"價格"_s, u"口味"_s, u"出國"_s};
const QStringList notes = {u"放門口"_s, u"放信箱旁"_s, u"按電鈴"_s, u"交管理員"_s};

// A subscription type: a name and the rule that picks its days.
struct Calendar {
    QString name;
    bool (*delivers)(QDate first, QDate day);
};

const QList<Calendar> calendars = {
    {u"每日"_s, [](QDate, QDate) { return true; }},
    {u"週一至週五"_s, [](QDate, QDate day) { return day.dayOfWeek() <= 5; }},
    {u"隔日"_s, [](QDate first, QDate day) { return first.daysTo(day) % 2 == 0; }},
    {u"一三五"_s, [](QDate, QDate day) { return day.dayOfWeek() % 2 == 1 && day.dayOfWeek() < 7; }},
    {u"二四六"_s, [](QDate, QDate day) { return day.dayOfWeek() % 2 == 0; }},
};

// The delivery types, as positions in the product list (taken modulo its length).
const QList<QList<int>> deliveryGroups = {{0}, {1}, {0, 2}, {1, 3}, {0, 2, 4}, {3, 5}};

// Random choices from the seed. A draw is the engine's output modulo n: unlike
// std::uniform_int_distribution, that gives the same numbers with every standard library.
class Dice {
public:
    explicit Dice(quint32 seed) : m_engine(seed) {}

    int below(int n) { return int(m_engine() % quint32(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
    QString pick(const QStringList& list) { return list.at(below(int(list.size()))); }

    // The pattern with each '#' replaced by a random digit: "02-2###-####".
    QString digits(QString pattern)
    {
        for (QChar& c : pattern)
            if (c == u'#')
                c = QChar(u'0' + below(10));
        return pattern;
    }

private:
    std::mt19937 m_engine;
};

struct Product {
    int code = 0;
    QString names;
    double amount = 0; // stock on hand
    double store = 0;  // safety stock
    int much = 0;      // bottles per box
};

struct Employee {
    int code = 0;
    QString name;
    QString job;
    int milkArea = 0;
};

class Generator {
public:
    Generator(Database& db, const SampleSize& size)
        : m_db(db),
          m_size(size),
          m_first(size.firstDay),
          m_last(size.firstDay.addDays(size.days - 1)),
          m_dice(size.seed)
    {
    }

    void run()
    {
        lookups();
        company();
        employees();
        products();
        subscriptionTypes();
        deliveryTypes();
        customers();
        deliveries();
        goodsEntries();
    }

private:
    // The rows must follow from the seed alone, so the draws must come in a fixed order. The
    // operands of one expression are evaluated in an order of the compiler's choosing: here each
    // draw is a statement of its own. The elements of a braced list, as handed to PreparedStatement::run,
    // are evaluated from left to right.
    QString personName()
    {
        QString name = m_dice.pick(surnames);
        name += m_dice.pick(givenNames);
        name += m_dice.pick(givenNames);
        return name;
    }

    QString address(int milkArea)
    {
        QString text = districts.at(milkArea - 1);
        text += m_dice.pick(roads);
        text += u"%1號"_s.arg(m_dice.between(1, 300));
        if (m_dice.percent(60))
            text += u"%1樓"_s.arg(m_dice.between(2, 12));
        return text;
    }

    QString idNumber()
    {
        const QChar region(u'A' + m_dice.below(26));
        return region + m_dice.digits(u"#########"_s);
    }

    // Taipei numbers, leading zero and all.
    QString telephone() { return m_dice.digits(u"02-2###-####"_s); }
    QString mobile() { return m_dice.digits(u"09##-###-###"_s); }

    void insertAll(const QString& sql, const QStringList& values)
    {
        PreparedStatement statement(m_db, sql);
        for (const QString& value : values)
            statement.run({value});
    }

    void lookups()
    {
        PreparedStatement milkArea(m_db, u"INSERT INTO milk_area (milk_area) VALUES (?)"_s);
        for (int area = 1; area <= kMilkAreas; ++area)
            milkArea.run({area});
        PreparedStatement expenseArea(m_db, u"INSERT INTO expense_area (expense_area) VALUES (?)"_s);
        for (int area = 1; area <= kMilkAreas / 2; ++area)
            expenseArea.run({area});
        insertAll(u"INSERT INTO bottle_type (bottle_type) VALUES (?)"_s, bottleTypes);
        insertAll(u"INSERT INTO warm_box (warm_box) VALUES (?)"_s, warmBoxes);
        insertAll(u"INSERT INTO add_reason (add_reason) VALUES (?)"_s, addReasons);
        insertAll(u"INSERT INTO return_reason (return_reason) VALUES (?)"_s, returnReasons);
    }

    void company()
    {
        m_db.exec(u"UPDATE company_data SET company_name = ?, addr = ?, tel = ?, fax = ?, unifyserial = ?, owner = ?"_s,
                  {u"晨光鮮乳配送"_s, address(1), telephone(), telephone(), m_dice.digits(u"########"_s),
                   personName()});
    }

    void employees()
    {
        PreparedStatement employee(m_db, u"INSERT INTO employees_data (e_code, name, id, tel, cell_phone, birthday, addr,"
                                 " input_date, dep_code, reach_date, contact, contact_tel, account, job_leave,"
                                 " job_level, expense_area, milk_area)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
        PreparedStatement salary(m_db, u"INSERT INTO salary_data (e_code, name, salary, food, oil, work, health, input_date)"
                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s);
        PreparedStatement openPay(m_db, u"INSERT INTO salary_detailed (e_code) VALUES (?)"_s);
        for (int i = 0; i < m_size.employees; ++i) {
            // Every fourth is a salesperson; the others deliver, one milk area each.
            const Employee e{i + 1, personName().left(5), i % 4 == 3 ? salesperson : milkman, i % kMilkAreas + 1};
            const QDate joined = m_first.addDays(-m_dice.between(30, 2000));
            employee.run({e.code, e.name, idNumber(), telephone(), mobile(),
                          QDate(m_dice.between(1960, 2000), m_dice.between(1, 12), m_dice.between(1, 28)),
                          address(e.milkArea), joined, u"01"_s, joined, personName(), mobile(),
                          m_dice.digits(u"0###########"_s), e.job, QString::number(m_dice.between(1, 12)),
                          (e.milkArea + 1) / 2, e.milkArea});
            const bool sells = e.job == salesperson;
            salary.run({e.code, e.name, sells ? 32000 : 28000, 2400, sells ? 0 : 1500, 600, 500, joined});
            openPay.run({e.code});
            m_employees.append(e);
            if (e.job == milkman && !m_milkmen.contains(e.milkArea))
                m_milkmen.insert(e.milkArea, e.code);
        }
    }

    void products()
    {
        PreparedStatement product(m_db, u"INSERT INTO products_data (code, names, price, preferen, amount, store, much,"
                                " input_date) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s);
        PreparedStatement rates(m_db, u"INSERT INTO complete (names, code, o_c, n_c, w_c, b_c) VALUES (?, ?, ?, ?, ?, ?)"_s);
        for (int i = 0; i < m_size.products; ++i) {
            const ProductKind& kind = productKinds.at(i % productKinds.size());
            // Past the end of the list the names come round again with a number: 鮮乳2, 低脂鮮乳2, ...
            const qsizetype round = i / productKinds.size();
            const QString name = round ? kind.names + QString::number(round + 1) : kind.names;
            const Product p{i + 1, name, double(m_dice.between(200, 600)), 100, i % 2 ? 12 : 24};
            product.run({p.code, name, kind.price, kind.price - 2, p.amount, p.store, p.much, m_first.addDays(-30)});
            // Per bottle: old customers, new customers, a milkman's own customers, his milk area.
            rates.run({name, i + 1, 1.0, 2.0, 0.5, 0.3});
            m_products.append(p);
        }
    }

    void subscriptionTypes()
    {
        PreparedStatement kind(m_db, u"INSERT INTO order_kind (subscribe_type, type_order) VALUES (?, ?)"_s);
        PreparedStatement day(m_db, u"INSERT INTO subscribe_type (subscribe_type, date_d) VALUES (?, ?)"_s);
        int order = 0;
        for (const Calendar& calendar : calendars) {
            kind.run({calendar.name, ++order});
            for (QDate d = m_first; d <= m_last; d = d.addDays(1))
                if (calendar.delivers(m_first, d))
                    day.run({calendar.name, d});
        }
    }

    void deliveryTypes()
    {
        PreparedStatement kind(m_db, u"INSERT INTO send_kind (send_type, type_order) VALUES (?, ?)"_s);
        PreparedStatement product(m_db, u"INSERT INTO send_type (serial, send_type, names) VALUES (?, ?, ?)"_s);
        int serial = 0;
        for (const QList<int>& group : deliveryGroups) {
            QStringList names;
            for (int position : group) {
                const QString& name = m_products.at(position % m_products.size()).names;
                if (!names.contains(name))
                    names.append(name);
            }
            const QString type = names.join(u'+');
            if (m_deliveryTypes.contains(type))
                continue;
            kind.run({type, int(m_deliveryTypes.size()) + 1});
            for (const QString& name : std::as_const(names))
                product.run({++serial, type, name});
            m_deliveryTypes.append(type);
        }
    }

    void customers()
    {
        QStringList signers; // the salespeople, or everybody where there is none
        for (const Employee& e : std::as_const(m_employees))
            if (e.job == salesperson)
                signers.append(e.name);
        if (signers.isEmpty())
            for (const Employee& e : std::as_const(m_employees))
                signers.append(e.name);

        PreparedStatement customer(m_db, u"INSERT INTO customer_data (name, tel, cell_phone, addr, input_date, other,"
                                 " goods_addr_code, goods_addr, billhead, unifyserial, enter_worker, milk_area,"
                                 " expense_area, warm_box, add_reason, bill2, bill3, advancepay, cancel, temp)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
                                 " RETURNING c_code"_s);
        PreparedStatement acrossBills(m_db, u"INSERT INTO acrossbills_data (c_code) VALUES (?)"_s);
        PreparedStatement differentMove(m_db, u"INSERT INTO different_move (c_code) VALUES (?)"_s);
        PreparedStatement order(m_db, u"INSERT INTO order_data (c_code, start_date, input_date, amount, subscribe_type,"
                              " send_type, bottle_type, ice, hot, grounp, bottle_m, special)"
                              " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);

        QHash<int, int> routeStops; // per milk area, for the delivery address codes
        const QVariant noMoney(QMetaType::fromType<double>());
        for (int i = 0; i < m_size.customers; ++i) {
            const int area = m_dice.between(1, kMilkAreas);
            // Most customers were there before the first day; some join during the year.
            const QDate entered = m_dice.percent(15) ? m_first.addDays(m_dice.below(m_size.days))
                                                     : m_first.addDays(-m_dice.between(1, 720));
            const QString addr = address(area);
            const bool company = m_dice.percent(10);
            const QString name = personName();
            const QString routeCode = u"%1-%2"_s.arg(area).arg(++routeStops[area], 3, 10, QChar(u'0'));
            QSqlQuery& inserted = customer.run(
                {name, telephone(), mobile(), addr, entered, m_dice.percent(10) ? u"週末不在家"_s : u""_s,
                 routeCode, m_dice.percent(90) ? addr : address(area),
                 company ? name.left(1) + u"記商行"_s : u""_s, company ? m_dice.digits(u"########"_s) : u""_s,
                 m_dice.pick(signers), area, (area + 1) / 2, m_dice.pick(warmBoxes), m_dice.pick(addReasons),
                 int(!company && m_dice.percent(30)), int(company), int(m_dice.percent(20)), int(m_dice.percent(3)),
                 m_dice.percent(10) ? m_dice.pick(notes) : u""_s});
            if (!inserted.next())
                throw DataError(DataError::Kind::Database, u"no customer code came back"_s);
            const int code = inserted.value(0).toInt();
            acrossBills.run({code});
            differentMove.run({code});

            const int orders = m_dice.percent(20) ? 2 : 1;
            for (int n = 0; n < orders; ++n) {
                const bool group = m_dice.percent(5);
                const int amount = m_dice.percent(60) ? 1 : m_dice.percent(75) ? 2 : 3;
                order.run({code, entered.addDays(m_dice.between(1, 7)), entered, amount,
                           calendars.at(m_dice.below(int(calendars.size()))).name, m_dice.pick(m_deliveryTypes),
                           m_dice.pick(bottleTypes), int(m_dice.percent(10)), int(m_dice.percent(5)), int(group),
                           group ? QVariant(5.0) : noMoney, int(m_dice.percent(5))});
            }
        }
    }

    // The delivery rows the orders call for, with the day-to-day changes of a real round: a bottle
    // given or added, one taken off, one lost, a refunded or a suspended delivery.
    void deliveries()
    {
        DayRows::write(m_db, m_first, m_last, m_first, [this](DayRow& row) {
            const double price = row.subscribe_num > 0 ? row.expense / row.subscribe_num : 0;
            const int roll = m_dice.below(1000); // per mille
            if (roll < 20)
                row.give_num = 1;
            else if (roll < 50)
                row.add_num = 1;
            else if (roll < 70)
                row.subtract_num = 1;
            else if (roll < 80) {
                row.not_bottle = 1;
                row.loss_duty = m_milkmen.value(row.milk_area);
            } else if (roll < 85)
                row.refund = true;
            else if (roll < 95)
                row.suspend = true;
            row.expense = price * (row.subscribe_num + row.add_num - row.subtract_num);
        });
    }

    // A goods entry per product and day, as a clerk would make them: shipped what the delivery rows
    // call for, received whole boxes enough to keep the safety stock, each day opening on the stock
    // the day before closed on. The last day's stock is the product's stock on hand.
    void goodsEntries()
    {
        QHash<QPair<QString, QDate>, double> shipped;
        QSqlQuery totals = m_db.exec(
            u"SELECT names, date_d, sum("_s + DeliveredRows::shippedBottles()
            + u") FROM order_date WHERE "_s + DeliveredRows::condition() + u" GROUP BY names, date_d"_s);
        while (totals.next())
            shipped.insert({totals.value(0).toString(), totals.value(1).toDate()}, totals.value(2).toDouble());

        PreparedStatement entry(m_db, u"INSERT INTO pass_goods (serial, code, date_d, original_store, today_enter,"
                                      " today_exit, retail, loss, sales_milk, other) VALUES (?, ?, ?, ?, ?, ?, 0, 0, 0, 0)"_s);
        int serial = 0;
        for (QDate day = m_first; day <= m_last; day = day.addDays(1)) {
            for (Product& p : m_products) {
                const double out = shipped.value({p.names, day});
                const double missing = p.store + out - p.amount;
                const double received = missing > 0 ? std::ceil(missing / p.much) * p.much : 0;
                entry.run({++serial, p.code, day, p.amount, received, out});
                p.amount += received - out;
            }
        }
        PreparedStatement stock(m_db, u"UPDATE products_data SET amount = ? WHERE code = ?"_s);
        for (const Product& p : std::as_const(m_products))
            stock.run({p.amount, p.code});
        m_db.exec(u"UPDATE update_date SET update_date = ?"_s, {m_last});
    }

    Database& m_db;
    const SampleSize m_size;
    const QDate m_first;
    const QDate m_last;
    Dice m_dice;
    QList<Employee> m_employees;
    QHash<int, int> m_milkmen; // milk area → the code of the employee who delivers there
    QList<Product> m_products;
    QStringList m_deliveryTypes;
};

} // namespace

void fill(Database& db, const SampleSize& size)
{
    if (size.employees < 1 || size.products < 1 || size.days < 1)
        throw DataError(DataError::Kind::Usage, u"a sample business needs an employee, a product and a day"_s);
    Schema::create(db);
    // Two million delivery rows with four indexes: a page cache of 256 MiB keeps the inserts off
    // the disk. The setting lasts as long as the connection.
    if (db.kind() == Database::Kind::SQLite)
        db.exec(u"PRAGMA cache_size = -262144"_s);
    Transaction transaction(db);
    Generator(db, size).run();
    transaction.commit();
}

} // namespace SampleBusiness
