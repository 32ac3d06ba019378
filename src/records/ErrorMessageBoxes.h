#pragma once

#include "core/MessageService.h"

#include <QString>
#include <optional>

// One message box: its text, its buttons and icon as MessageService flags, and its title.
struct MessageBoxText {
    QString text;
    int flags = MessageService::OkOnly;
    QString title;
};

// Shows the box and returns the answer (MessageService::Answer); `detail`, where given, is the box's
// detail line: why the program refused.
int showMessage(MessageService& messages, const MessageBoxText& box, const QString& detail = {});

// The messages of a record form's toolbar, one per group of steps that reports its failures. A group
// without a message skips its failing steps and shows nothing.
struct ToolbarMessages {
    std::optional<MessageBoxText> navigation; // buttons 1 to 4
    std::optional<MessageBoxText> addSave;
    std::optional<MessageBoxText> modifySave;
    std::optional<MessageBoxText> cancel;

    // A delete the database refuses is told with the message of the navigation group (the trap the
    // delete ran under), or of the add save where navigation reports nothing.
    std::optional<MessageBoxText> deleteRefused() const { return navigation ? navigation : addSave; }
};

// The four ways the record forms word a search that finds nothing.
enum class SearchMissStyle {
    Spaced,    // no '…' data!!
    Tight,     // no'…'data!!
    TightOpen, // no'…' data!!
    TightClose, // no '…'data!!
    Search,    // no search'…'data!!
};

// Every fixed error, confirmation and warning message of the record forms, in one place.
namespace ErrorMessageBoxes {

inline MessageBoxText critical(const QString& text, const QString& title)
{
    return {text, MessageService::Critical, title};
}

// A search miss: flags 0, title "search".
MessageBoxText searchMiss(SearchMissStyle style, const QString& value);

namespace Customers { // 客戶基本資料
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err.!!!"), QStringLiteral("Err."))};
inline const MessageBoxText deleteQuestion{QStringLiteral("Delete the data???"), 52, QStringLiteral("del")};
} // namespace Customers

namespace Employees { // 員工基本資料表
inline const ToolbarMessages toolbar{critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
inline const MessageBoxText deleteQuestion{QStringLiteral("Delete the data???"), 52, QStringLiteral("del")};
} // namespace Employees

namespace ContactLog { // 輸入聯絡事項
inline const ToolbarMessages toolbar{std::nullopt,
                                     critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("input Err!!!"), QStringLiteral("Err.")),
                                     critical(QStringLiteral("Err!!!"), QStringLiteral("Err"))};
inline const MessageBoxText deleteQuestion{QStringLiteral("delete the data???"), 4, QStringLiteral("data")};
inline const MessageBoxText search = critical(QStringLiteral("input Err.!!!"), QStringLiteral("Err."));
inline const MessageBoxText findNextByDate = critical(QStringLiteral("input_date Err!!!"), QStringLiteral("Err"));
} // namespace ContactLog

} // namespace ErrorMessageBoxes
