#include "language/TextFileResult.h"

#include "language/TextId.h"

namespace zendrik {

Prompt TextFilePrompt(const TextFileResult& result, const QString& fileName)
{
    const QString name = fileName + QStringLiteral(": ");
    switch (result.status) {
    case TextFileStatus::Ok:
        return Prompt{};
    case TextFileStatus::MissingLines:
        // "12 von 324" is how the memory gauge counts; the same words count the lines read.
        return Prompt::message(Icon::Exclamation,
                               {name, QString::number(kTextCount - result.missingLines), QStringLiteral(" "),
                                TextId::FromAlt, QStringLiteral(" "), QString::number(kTextCount),
                                TextId::LinesSuffix});
    case TextFileStatus::Missing:
        return Prompt::message(Icon::Critical, {name, TextId::FileNotFound});
    case TextFileStatus::Unreadable:
        if (!result.error.isEmpty())
            return Prompt::message(Icon::Critical, {name, TextId::InvalidFile, QStringLiteral(" (") + result.error + QLatin1Char(')')});
        return Prompt::message(Icon::Critical, {name, TextId::InvalidFile});
    case TextFileStatus::Empty:
        return Prompt::message(Icon::Critical, {name, TextId::InvalidFile});
    case TextFileStatus::WriteFailed:
        return Prompt::message(Icon::Critical, {name, TextId::InvalidFileName});
    }
    return Prompt{};
}

} // namespace zendrik
