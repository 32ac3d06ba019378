#include "records/ErrorMessageBoxes.h"

int showMessage(MessageService& messages, const MessageBoxText& box, const QString& detail)
{
    return messages.msgBox(box.text, box.flags, box.title, detail);
}

namespace ErrorMessageBoxes {

MessageBoxText searchMiss(SearchMissStyle style, const QString& value)
{
    QString text;
    switch (style) {
    case SearchMissStyle::Spaced:
        text = QStringLiteral("no '%1' data!!").arg(value);
        break;
    case SearchMissStyle::Tight:
        text = QStringLiteral("no'%1'data!!").arg(value);
        break;
    case SearchMissStyle::TightOpen:
        text = QStringLiteral("no'%1' data!!").arg(value);
        break;
    case SearchMissStyle::TightClose:
        text = QStringLiteral("no '%1'data!!").arg(value);
        break;
    case SearchMissStyle::Search:
        text = QStringLiteral("no search'%1'data!!").arg(value);
        break;
    }
    return {text, MessageService::OkOnly, QStringLiteral("search")};
}

} // namespace ErrorMessageBoxes
