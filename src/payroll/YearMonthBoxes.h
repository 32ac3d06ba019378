#pragma once

#include <QDate>
#include <QString>
#include <optional>

class QLineEdit;
class QWidget;
class UpDown;

// The year and month boxes of a payroll window: a year box with its spinner `UpDown1` and a month box
// with `UpDown2` (1 to 12). Each spinner writes its value into its box; what the clerk types into a box
// never moves its spinner, and the window reads the boxes. Up and Down in a box step its spinner, so the
// boxes are the keyboard's way to the year and the month and the spinners are left out of the Tab order.
class YearMonthBoxes {
public:
    YearMonthBoxes(QWidget* form, int firstYear, const QString& yearName = QStringLiteral("text1"),
                   const QString& monthName = QStringLiteral("Text2"));

    // Moves both spinners to the month of `day`; they write the boxes.
    void showMonth(const QDate& day);

    // The first day of the month the boxes name, each read by the number rule ("abc" is 0); none where
    // they name no month (year 0, month 13, "2024.5").
    std::optional<QDate> firstDay() const;

    QLineEdit* const year;
    UpDown* const yearSpinner;
    QLineEdit* const month;
    UpDown* const monthSpinner;
};
