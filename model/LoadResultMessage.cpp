#include "model/LoadResultMessage.h"

#include "model/DeviceImage.h"
#include "model/DeviceTypes.h"

namespace zendrik {

Prompt LoadResultMessage(int result, int brand)
{
    switch (result) {
    case LoadInvalid:
        return Prompt::message(Icon::Critical, {TextId::InvalidFile});
    case LoadMissing:
        return Prompt::message(Icon::Critical, {TextId::FileNotFound});
    case LoadFamily731:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" ") + Family731Name(brand)});
    case LoadFamily752:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" ") + DeviceTypeName(19, brand)});
    case LoadLargeImage:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" ") + DeviceTypeName(20, brand)});
    default:
        return Prompt{};
    }
}

} // namespace zendrik
