#pragma once

#include <QVariant>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

// A value read back is the value written: its type, whether it is null, whether its text is null,
// the sign of a zero, and the value itself.
inline void expectSameValue(const QVariant& got, const QVariant& wanted, const std::string& where)
{
    SCOPED_TRACE(where);
    EXPECT_EQ(got.typeId(), wanted.typeId());
    EXPECT_EQ(got.isNull(), wanted.isNull());
    EXPECT_EQ(got.toString().isNull(), wanted.toString().isNull());
    if (wanted.typeId() == QMetaType::Double) {
        EXPECT_EQ(std::signbit(got.toDouble()), std::signbit(wanted.toDouble()));
    }
    EXPECT_EQ(got, wanted);
}
