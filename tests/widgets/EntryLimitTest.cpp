#include "widgets/EntryLimit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// What a box holds after the clerk types or pastes `entry` at its end.
QString afterTyping(QLineEdit& box, const QString& entry, bool paste)
{
    box.end(false);
    if (paste) {
        QApplication::clipboard()->setText(entry);
        box.paste();
    } else {
        box.insert(entry);
    }
    return box.text();
}

TEST(EntryLimit, CountsCharactersNeverSplitsOneAndRefusesControlCharacters)
{
    struct Case { QString start; QString entry; bool paste; QString expected; };
    const QString emoji = u"😀"_s; // two UTF-16 units, one character
    const Case cases[] = {
        {u"ab"_s, emoji, false, u"ab"_s + emoji},     // the third character fits whole
        {u"abc"_s, emoji, false, u"abc"_s},           // a fourth is refused whole, never half of it
        {u"ab"_s, u"c\u0000d"_s, true, u"ab"_s},      // a pasted NUL is refused with its text
        {u"a"_s, u"b\nc"_s, true, u"a"_s},            // so is a line break in a one-line box
        {u"a"_s, u"\t"_s, false, u"a"_s},
        {u"中文"_s, u"字"_s, false, u"中文字"_s},
    };
    for (const Case& c : cases) {
        QLineEdit box;
        limitTyping(&box, 3);
        box.setText(c.start);
        EXPECT_EQ(afterTyping(box, c.entry, c.paste), c.expected) << c.entry.toStdString();
    }

    QLineEdit stored;
    limitTyping(&stored, 3);
    stored.setText(u"a stored longer text"_s);
    EXPECT_EQ(stored.text(), u"a stored longer text"_s) << "a value the box is given is shown whole";
}

TEST(EntryLimit, BoxIsWideEnoughForItsLimit)
{
    QLineEdit address;
    limitTyping(&address, 30);
    address.setText(QString(27, u'路'));
    address.resize(address.minimumSizeHint().expandedTo(address.minimumSize()));
    EXPECT_GE(address.width(), address.fontMetrics().horizontalAdvance(address.text()));

    QLineEdit plain;
    refuseControlCharacters(&plain);
    EXPECT_EQ(afterTyping(plain, u"x\u0001"_s, true), QString());
    EXPECT_EQ(afterTyping(plain, u"no limit at all, just words"_s, false), u"no limit at all, just words"_s);
}

} // namespace
