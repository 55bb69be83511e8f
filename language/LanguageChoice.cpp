#include "language/LanguageChoice.h"

#include "language/TextTable.h"

#include <QDir>

namespace zendrik {

TextFileResult SelectLanguage(TextTable& texts, int sprache, int brandIndex, const QString& directory)
{
    switch (sprache) {
    case kSpracheDeutsch:
        texts.LoadGerman(brandIndex);
        return {};
    case kSpracheEnglisch:
        texts.LoadEnglish(brandIndex);
        return {};
    case kSpracheFranzoesisch:
        texts.LoadFrench(brandIndex);
        return {};
    default:
        texts.LoadGerman(brandIndex);
        return texts.LoadTexts(QDir(directory).filePath(kSpeechFileName));
    }
}

TextFileResult InstallTranslation(TextTable& texts, int& sprache, const QString& file,
                                  const QString& directory)
{
    TextTable installed = texts;
    const TextFileResult read = installed.LoadTexts(file);
    if (!read.loaded())
        return read;
    const TextFileResult written = installed.SaveTexts(QDir(directory).filePath(kSpeechFileName));
    if (written.status != TextFileStatus::Ok)
        return written;
    texts = installed;
    sprache = kSpracheDatei;
    return read;
}

} // namespace zendrik
