#include "transfer/chip/AdapterToolResult.h"

#include "model/SequentialReader.h"

#include <climits>

namespace zendrik {

bool AdapterToolResult::failed() const
{
    return code == 1 || code == 2 || (code >= 4 && code <= 7);
}

std::optional<AdapterToolResult> ParseCardMessage(const QByteArray& text)
{
    SequentialReader reader(text);
    const auto code = reader.readInteger();
    const auto address = reader.readInteger();
    if (!code || !address || *code < INT_MIN || *code > INT_MAX || *address < INT_MIN || *address > INT_MAX)
        return std::nullopt;
    return AdapterToolResult{static_cast<int>(*code), static_cast<int>(*address)};
}

QByteArray CardMessageText(const AdapterToolResult& r)
{
    auto number = [](int v) { return (v < 0 ? QByteArray::number(v) : ' ' + QByteArray::number(v)) + ' '; };
    return number(r.code) + number(r.address) + "\r\n";
}

std::optional<Prompt> AdapterToolMessage(const AdapterToolResult& r, int lpt)
{
    const QString address = QString::number(r.address);
    switch (r.code) {
    case 1:
        return Prompt::message(Icon::Critical, {TextId::NoAdapterAtLpt, QString::number(lpt), TextId::OrDelayTooLow});
    case 2:
        return Prompt::message(Icon::Critical, {TextId::NoChipInAdapter, TextId::OrDelayTooLow});
    case 4:
    case 5:
        return Prompt::message(Icon::Critical, {TextId::ErrorSettingAddress, address, TextId::MaybeIncreaseDelay});
    case 6:
        return Prompt::message(Icon::Critical, {TextId::ErrorWritingAddress, address, TextId::MaybeIncreaseDelay});
    case 7:
        return Prompt::message(Icon::Critical,
                               {TextId::ErrorSendingReadCommand, QStringLiteral(","), TextId::MaybeIncreaseDelay});
    default:
        return std::nullopt;
    }
}

} // namespace zendrik
