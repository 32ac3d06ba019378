#pragma once

#include <QVariant>

// The widest a fitted column grows, in characters.
inline constexpr double maximumFittedWidth = 60;

// The width a cell's value takes as the sheet shows it, in characters of a digit's width: a Chinese
// (East Asian wide) character counts two, a date is "yyyy/M/d", a flag TRUE or FALSE.
int cellWidth(const QVariant& value);
