#include "transfer/bus/BusErrors.h"

#include "transfer/bus/BusTexts.h"

namespace zendrik {

Prompt BusErrorMessage(int code, const QString& portLabel, const QString& detail)
{
    const auto plain = [](TextId id) { return Prompt::message(Icon::None, {id}); };
    switch (code) {
    case BusOk:
    case BusRunTimeFailure:
        return Prompt::message(Icon::None, {TextId::EibUnknownError, detail});
    case BusClockNotReady:
        return plain(TextId::EibClockNotReady);
    case BusNoAnswerFromClock:
        return plain(TextId::EibNoAnswerFromClock);
    case BusWrongTelegramLength:
        return plain(TextId::EibWrongTelegramLength);
    case BusNoValidData:
        return plain(TextId::EibNoValidData);
    case BusNoConnectionToBus:
        return plain(TextId::EibNoConnectionToBus);
    case BusNoConnectionToDevice:
        return Prompt::message(Icon::None, {TextId::EibNoConnectionToDevice, TextId::EibSeeProtocolFile});
    case BusNoBusAccess:
        return Prompt::message(Icon::None, {TextId::EibNoBusAccessViaCom, portLabel});
    case BusConnecting:
        return plain(TextId::EibLogConnectTo);
    case BusNoMaskResponse:
        return plain(TextId::EibNoMaskResponse);
    case BusWrongMaskVersion:
        return plain(TextId::EibWrongMaskVersion);
    case BusAnswerFromWrongDevice:
        return plain(TextId::EibAnswerFromWrongDevice);
    case BusMemoryNotWritten:
        return plain(TextId::EibMemoryNotWritten);
    case BusWrongDeviceProperties:
        return plain(TextId::EibWrongDeviceProperties);
    case BusAddressTableNotRestored:
        return Prompt::message(Icon::None, {kBusAddressTableNotRestored});
    case BusNoSavedApplication:
        return Prompt::message(Icon::None, {kBusNoSavedApplication, detail});
    default:
        break;
    }
    return Prompt::message(Icon::None, {TextId::EibUnknownError, QString::number(code), TextId::EibSeeProtocolFile});
}

} // namespace zendrik
