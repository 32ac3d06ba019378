#pragma once

#include "core/MessageService.h"
#include "data/DataError.h"

#include <QString>
#include <exception>

// Runs one event handler of a list form so that no exception leaves it: a query or write that the
// database refuses is shown to the clerk, and the form stays open and usable.
template <class Handler>
void runGuarded(MessageService& messages, Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        messages.reportFailure(QString::fromUtf8(error.what()), refusalDetail(error));
    }
}
