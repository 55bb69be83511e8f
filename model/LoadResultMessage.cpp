#include "model/LoadResultMessage.h"

#include "model/DeviceImage.h"
#include "model/DeviceTypes.h"
#include "language/FileStateText.h"

namespace zendrik {

Prompt LoadResultMessage(int result, int brand, const QString& path)
{
    switch (result) {
    case LoadInvalid:
        return Prompt::message(Icon::Critical, {TextId::InvalidFile});
    case LoadNotAFile:
        return FileStatePrompt(FileState::NotRegular, path);
    case LoadNoPermission:
        return FileStatePrompt(FileState::NoPermission, path);
    case LoadLinkLoop:
        return FileStatePrompt(FileState::LinkLoop, path);
    case LoadUnreadable:
        return FileStatePrompt(FileState::Unreadable, path);
    case LoadMissing:
        return Prompt::message(Icon::Critical, {TextId::FileNotFound});
    case LoadFamily731:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" "), Family731Text()});
    case LoadFamily752:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" "), *DeviceTypeText(19)});
    case LoadLargeImage:
        return Prompt::message(Icon::Critical, {TextId::FileFor, QStringLiteral(" "), *DeviceTypeText(20)});
    default:
        return Prompt{};
    }
}

} // namespace zendrik
