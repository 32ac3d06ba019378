#pragma once

#include "data/Database.h"

#include <QDate>
#include <QString>
#include <QVariant>

// A small business whose April 2002 pay was worked out by hand: 林一 sells (area 1), 陳二 delivers
// milk (area 2), 張三 works inside (area 9) and left on 2002/4/20. Settled with the reference date
// 2002/4/30 the bottle commissions are 9 + 7.5, 2.1 + 1.4 and 0 + 0.
namespace AprilPayroll {

inline const QDate ReferenceDate(2002, 4, 30);
inline const QDate SettlementDate(2002, 5, 3);

inline void addDelivery(Database& db, int customer, QDate day, const QString& product, double subscribed,
                        double given = 0, double added = 0, double takenOff = 0, int refund = 0, int suspend = 0,
                        int area = 2)
{
    db.exec(QStringLiteral("INSERT INTO order_date (c_code, date_d, names, subscribe_num, give_num, add_num, "
                           "subtract_num, refund, suspend, milk_area) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {customer, day, product, subscribed, given, added, takenOff, refund, suspend, area});
}

inline void addCustomer(Database& db, int code, const QString& signedBy, QDate orderStart, int area = 2,
                        bool differentMove = true)
{
    db.exec(QStringLiteral("INSERT INTO customer_data (c_code, name, enter_worker, milk_area) VALUES (?, ?, ?, ?)"),
            {code, QStringLiteral("Customer %1").arg(code), signedBy, area});
    if (differentMove)
        db.exec(QStringLiteral("INSERT INTO different_move (c_code) VALUES (?)"), {code});
    db.exec(QStringLiteral("INSERT INTO order_data (c_code, start_date) VALUES (?, ?)"), {code, orderStart});
}

inline void addEmployee(Database& db, int code, const QString& name, const QString& title, int area,
                        const QVariant& leaveDate = QVariant(QMetaType::fromType<QDate>()))
{
    db.exec(QStringLiteral("INSERT INTO employees_data (e_code, name, job_leave, milk_area, leave_date) "
                           "VALUES (?, ?, ?, ?, ?)"),
            {code, name, title, area, leaveDate});
}

inline void fill(Database& db)
{
    db.exec(QStringLiteral("INSERT INTO complete (names, code, o_c, n_c, w_c, b_c) VALUES "
                           "('鮮奶', 1, 1.5, 2, 0.5, 0.1), ('優酪乳', 2, 1, 2.5, 0.3, 0.2)"));
    addEmployee(db, 1, QStringLiteral("林一"), QStringLiteral("業務"), 1);
    addEmployee(db, 2, QStringLiteral("陳二"), QStringLiteral("送奶員"), 2);
    addEmployee(db, 3, QStringLiteral("張三"), QStringLiteral("內勤"), 9, QDate(2002, 4, 20));

    addCustomer(db, 101, QStringLiteral("林一"), QDate(2001, 11, 15));
    addCustomer(db, 105, QStringLiteral("林一"), QDate(2002, 3, 30));
    addCustomer(db, 102, QStringLiteral("林一"), QDate(2002, 3, 31));
    addCustomer(db, 103, QStringLiteral("陳二"), QDate(2002, 1, 1));
    addCustomer(db, 104, QStringLiteral("林一"), QDate(2002, 5, 2), 1);

    addDelivery(db, 101, QDate(2002, 4, 1), QStringLiteral("鮮奶"), 2, 1);
    addDelivery(db, 101, QDate(2002, 4, 2), QStringLiteral("鮮奶"), 2, 0, 1, 0, 1);
    addDelivery(db, 101, QDate(2002, 4, 3), QStringLiteral("豆漿"), 3);
    addDelivery(db, 101, QDate(2002, 3, 31), QStringLiteral("鮮奶"), 5);
    addDelivery(db, 102, QDate(2002, 4, 15), QStringLiteral("優酪乳"), 4, 0, 0, 1);
    addDelivery(db, 105, QDate(2002, 4, 20), QStringLiteral("鮮奶"), 1);
    addDelivery(db, 103, QDate(2002, 4, 5), QStringLiteral("鮮奶"), 3, 2, 0, 0, 0, 1);
    addDelivery(db, 103, QDate(2002, 4, 6), QStringLiteral("優酪乳"), 2);
    addDelivery(db, 103, QDate(2002, 5, 1), QStringLiteral("優酪乳"), 2);
    addDelivery(db, 104, QDate(2002, 4, 30), QStringLiteral("鮮奶"), 1, 0, 0, 0, 0, 0, 1);

    db.exec(QStringLiteral("INSERT INTO salary_data (e_code, name, salary, boss, food, oil, work, health) VALUES "
                           "(1, '林一', 30000, 1000, 1800, 500, 600.5, 450.5), "
                           "(2, '陳二', 28000, 0, 1800, 1500, 500, 400), (3, '張三', 25000, 0, 0, 0, 0, 0)"));
    db.exec(QStringLiteral("INSERT INTO salary_detailed (e_code, overtime, fully, late) VALUES (1, 1200, 1000, 100)"));
    db.exec(QStringLiteral("INSERT INTO salary_detailed (e_code, dispatch, effectsbonus, late, request) "
                           "VALUES (2, 0.1, 0.2, 0.5, 1.5)"));
    db.exec(QStringLiteral("INSERT INTO salary_detailed (e_code) VALUES (3)"));
}

} // namespace AprilPayroll
