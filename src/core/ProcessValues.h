#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// The values every form of one process shares, held for the life of the process and never stored.
struct ProcessValues {
    QDate work_date;            // the working date; forms set it to today as they load
    QString user_name;          // set by the login, shown in the frame's status bar
    qint32 current_c_code = 0;  // the customer the customer form last saved as new or handed over
    qint32 selected_c_code = 0; // the customer chosen for the order form and the contact log; 0 = none
    qint32 next_e_code = 0;     // the code of the employee being added
};
