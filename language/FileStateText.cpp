#include "language/FileStateText.h"

namespace zendrik {

Prompt FileStatePrompt(FileState state, const QString& path, bool tooLarge)
{
    if (tooLarge && state == FileState::Regular)
        return Prompt::message(Icon::Critical, {kFileTooLarge, path});
    switch (state) {
    case FileState::Regular:
        return Prompt{};
    case FileState::Missing:
        return Prompt::message(Icon::Critical, {kFileMissing, path});
    case FileState::NotRegular:
        return Prompt::message(Icon::Critical, {kFileNotRegular, path});
    case FileState::NoPermission:
        return Prompt::message(Icon::Critical, {kFileNoPermission, path});
    case FileState::LinkLoop:
        return Prompt::message(Icon::Critical, {kFileLinkLoop, path});
    case FileState::Unreadable:
        break;
    }
    return Prompt::message(Icon::Critical, {kFileUnreadable, path});
}

} // namespace zendrik
