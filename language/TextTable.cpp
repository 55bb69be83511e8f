#include "language/TextTable.h"

#include "util/FileCheck.h"

#include "language/EnglishTexts.h"
#include "language/FrenchTexts.h"
#include "language/GermanTexts.h"
#include "language/TranslationFile.h"
#include "util/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

namespace zendrik {

namespace {

constexpr auto kHelpFor = static_cast<std::size_t>(TextId::MenuHelpFor);

} // namespace

TextTable::TextTable()
{
    LoadGerman();
}

void TextTable::fill(const std::array<const char*, kTextCount>& texts, std::span<const MemoryChipText> chipTexts,
                     int brandIndex)
{
    for (std::size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = QString::fromUtf8(texts[i]);
    if (brandIndex == kMemoryChipBrand) {
        for (const MemoryChipText& t : chipTexts)
            texts_[static_cast<std::size_t>(t.id)] = QString::fromUtf8(t.text);
    }
    version_ = kVersionText;
}

void TextTable::LoadGerman(int brandIndex)
{
    fill(germanTexts(), germanMemoryChipTexts(), brandIndex);
    texts_[kHelpFor] += kAppTitel;
    extraLanguage_ = ExtraLanguage::German;
}

void TextTable::LoadEnglish(int brandIndex)
{
    fill(englishTexts(), englishMemoryChipTexts(), brandIndex);
    texts_[kHelpFor] += kAppTitel;
    extraLanguage_ = ExtraLanguage::English;
}

void TextTable::LoadFrench(int brandIndex)
{
    fill(frenchTexts(), {}, brandIndex);
    extraLanguage_ = ExtraLanguage::French;
}

TextFileResult TextTable::LoadTexts(const QString& path)
{
    TextFileResult result;
    // Only a regular file is read: a pipe would block, a device never ends.
    const LimitedRead read = ReadRegularFile(path, TranslationFile::kMaxBytes);
    if (read.state == FileState::Missing) {
        result.status = TextFileStatus::Missing;
        return result;
    }
    if (read.state != FileState::Regular) {
        result.status = TextFileStatus::Unreadable;
        result.error = FileStateReason(read.state);
        return result;
    }
    const bool truncated = read.tooLarge;
    QByteArray bytes = read.data;
    if (truncated) {
        // The beginning of an overlong file, as far as the limit goes.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.read(TranslationFile::kMaxBytes);
    }
    QStringList lines = TranslationFile::lines(TranslationFile::decode(bytes, truncated, &result.eightBit));
    if (lines.size() > kTextCount)
        lines.resize(kTextCount);

    bool anyText = false;
    for (const QString& line : lines)
        anyText = anyText || !TranslationFile::item(line).isEmpty();
    if (!anyText) {
        result.status = TextFileStatus::Empty;
        return result;
    }

    const auto& german = germanTexts();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        QString entry = TranslationFile::withJoiningBlanks(TranslationFile::item(lines[i]),
                                                           QString::fromUtf8(german[at]));
        // The file holds the help menu's words without the program's name
        // (older versions wrote it with the name).
        if (at == kHelpFor && !entry.trimmed().endsWith(kAppTitel))
            entry += kAppTitel;
        else if (at == kHelpFor)
            entry = entry.trimmed();
        texts_[at] = entry;
    }
    version_ = kVersionText;
    extraLanguage_ = ExtraLanguage::English;
    result.missingLines = kTextCount - static_cast<int>(lines.size());
    result.status = result.missingLines > 0 ? TextFileStatus::MissingLines : TextFileStatus::Ok;
    return result;
}

QStringList TextTable::FileLines() const
{
    QStringList out;
    out.reserve(kTextCount);
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        QString line = texts_[i];
        if (i == kHelpFor && line.endsWith(kAppTitel))
            line.chop(kAppTitel.size());
        // One entry per line: a line break inside a text would shift every later entry.
        line.replace(QLatin1String("\r\n"), QLatin1String(" "));
        line.replace(QLatin1Char('\r'), QLatin1Char(' '));
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        out << line;
    }
    return out;
}

TextFileResult TextTable::SaveTexts(const QString& path) const
{
    QByteArray bytes;
    for (const QString& line : FileLines())
        bytes += line.toUtf8() + "\r\n";
    TextFileResult result;
    if (!WriteFileAtomically(path, bytes, &result.error))
        result.status = TextFileStatus::WriteFailed;
    return result;
}

} // namespace zendrik
