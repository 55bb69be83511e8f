#pragma once

#include "language/Prompt.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zendrik {

inline const QString kCardMessageFileName = QStringLiteral("card.msg");

// card.msg, written by the parallel-port adapter tool: a result code and an
// address. Codes 1, 2 and 4 to 7 are failures with a message; 0, 3 and any
// other code mean the tool is content.
struct AdapterToolResult {
    int code = 0;
    int address = 0;

    bool failed() const;
};

// Empty when the text does not start with two whole numbers.
std::optional<AdapterToolResult> ParseCardMessage(const QByteArray& text);
QByteArray CardMessageText(const AdapterToolResult& result);

// The message of a failure code, or nothing.
std::optional<Prompt> AdapterToolMessage(const AdapterToolResult& result, int lpt);

} // namespace zendrik
