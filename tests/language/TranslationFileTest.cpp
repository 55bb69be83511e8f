// Translation files: SaveTexts/LoadTexts round trips and the files people
// actually bring (old, short, long, 8-bit, quoted, empty, broken).
#include "language/TranslationFile.h"
#include "tests/language/TextTables.h"

#include <map>
#include <tuple>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// A file of `count` lines "line 1", "line 2", ... with LF endings.
QByteArray NumberedLines(int count)
{
    QByteArray out;
    for (int i = 1; i <= count; ++i)
        out += "line " + QByteArray::number(i) + "\n";
    return out;
}

// The English table's file with some lines replaced.
QByteArray EnglishWith(const std::map<TextId, QByteArray>& replaced)
{
    QByteArray out;
    const QStringList lines = Loaded(&TextTable::LoadEnglish).FileLines();
    for (int i = 0; i < lines.size(); ++i) {
        const auto it = replaced.find(static_cast<TextId>(i));
        out += (it != replaced.end() ? it->second : lines[i].toUtf8()) + "\r\n";
    }
    return out;
}

class TranslationFileTest : public FolderTest {
protected:
    TextFileResult Load(TextTable& t, const QByteArray& bytes) { return t.LoadTexts(write(QStringLiteral("file.ln1"), bytes)); }
};

} // namespace

// Every table comes back, except the few entries whose trailing or leading
// blanks differ from the German entry's: the file cannot carry those.
TEST_F(TranslationFileTest, RoundTripKeepsEveryTable)
{
    const std::map<TextId, const char*> english = {{TextId::FirstDay, "1st "}, {TextId::SerialWritingChip, "write to memory chip:"},
                                                   {TextId::AstroTitle, "Enter The Astronomical Data"}, {TextId::AccessVia, " access via"},
                                                   {TextId::ReadSwitchingTimes, "read switching times"}};
    const std::tuple<Loader, int, std::map<TextId, const char*>> cases[] = {
        {&TextTable::LoadGerman, 1, {}},
        {&TextTable::LoadEnglish, 5, english},
        {&TextTable::LoadFrench, 1, {{TextId::MenuHelpFor, "&Aide Zendrik"}}},
    };
    for (const auto& [load, brand, comesBackAs] : cases) {
        const TextTable original = Loaded(load, brand);
        ASSERT_EQ(original.SaveTexts(path(QStringLiteral("table.ln1"))).status, TextFileStatus::Ok);
        TextTable loaded = Loaded(load == &TextTable::LoadFrench ? &TextTable::LoadGerman : &TextTable::LoadFrench);
        const TextFileResult r = loaded.LoadTexts(path(QStringLiteral("table.ln1")));
        EXPECT_EQ(std::pair(r.status, r.eightBit), std::pair(TextFileStatus::Ok, false));
        for (int i = 0; i < kTextCount; ++i) {
            const auto changed = comesBackAs.find(static_cast<TextId>(i));
            EXPECT_EQ(loaded.text(static_cast<TextId>(i)), changed != comesBackAs.end() ? QString::fromUtf8(changed->second) : original.text(static_cast<TextId>(i)))
                << "entry " << i + 1;
        }
    }
}

TEST_F(TranslationFileTest, FileIsOneUnquotedEntryPerLine)
{
    TextTable t;
    t.set(TextId::Ok, QStringLiteral("O\nk\r\nay")); // a line break must not shift the file
    ASSERT_EQ(t.SaveTexts(path(QStringLiteral("de.ln1"))).status, TextFileStatus::Ok);
    const QList<QByteArray> lines = read(QStringLiteral("de.ln1")).split('\n');
    ASSERT_EQ(lines.size(), kTextCount + 1); // the last line break ends the file
    EXPECT_EQ(lines[0], QByteArray("deutsch.hdy\r"));
    EXPECT_EQ(lines[static_cast<int>(TextId::SaveChangesIn)], QByteArray("Änderungen speichern in \r"));
    EXPECT_EQ(lines[static_cast<int>(TextId::MenuHelpFor)], QByteArray("&Hilfe zu \r"));
    EXPECT_EQ(lines[static_cast<int>(TextId::Ok)], QByteArray("O k ay\r"));
}

TEST_F(TranslationFileTest, CommasBlanksQuotesEncodingsAndLineEnds)
{
    QByteArray utf16("\xFF\xFE", 2);
    for (const QString& line : Loaded(&TextTable::LoadFrench).FileLines()) {
        const QString withBreak = line + QStringLiteral("\r\n");
        utf16.append(reinterpret_cast<const char*>(withBreak.utf16()), withBreak.size() * 2);
    }
    const QByteArray handWritten = EnglishWith({
        {TextId::Monday, "lundi, premier jour"},      // a comma stays inside its entry
        {TextId::FileWord, "Fichier"},                // trailing blank lost
        {TextId::Seconds, "   s   "},                 // surrounded by blanks
        {TextId::ShortMonday, "Lu"},                  // leading blank lost
        {TextId::AlreadyExistsOverwrite, "existe !"}, // joined after a name
        {TextId::Ok, "\t Ok \t"},
        {TextId::SaveChangesIn, "\"Sauver dans \""}, // quoted by hand
        {TextId::Cancel, "\"Annuler"},               // quote never closed
    });
    const QByteArray crLines = NumberedLines(kTextCount).replace('\n', '\r');
    const QByteArray bom = "\xEF\xBB\xBF" + EnglishWith({{TextId::HolidayFileName, "d\xC3\xA9.hdy"}});
    const std::tuple<QByteArray, bool, TextId, const char*> cases[] = {
        {handWritten, false, TextId::Monday, "lundi, premier jour"},
        {handWritten, false, TextId::Tuesday, "tuesday"},
        {handWritten, false, TextId::FileWord, "Fichier "},
        {handWritten, false, TextId::Seconds, " s"},
        {handWritten, false, TextId::ShortMonday, " Lu"},
        {handWritten, false, TextId::AlreadyExistsOverwrite, " existe !"},
        {handWritten, false, TextId::Ok, "Ok"},
        {handWritten, false, TextId::SaveChangesIn, "Sauver dans "},
        {handWritten, false, TextId::Cancel, "Annuler"},
        {handWritten, false, TextId::NeedOtherChipType, "You need an other type of memory chip"},
        // The help menu gets the program's name once, whether the file has it or not.
        {EnglishWith({{TextId::MenuHelpFor, "&Help for"}}), false, TextId::MenuHelpFor, "&Help for Zendrik"},
        {EnglishWith({{TextId::MenuHelpFor, "&Help for "}}), false, TextId::MenuHelpFor, "&Help for Zendrik"},
        {EnglishWith({{TextId::MenuHelpFor, "&Help for Zendrik"}}), false, TextId::MenuHelpFor, "&Help for Zendrik"},
        {EnglishWith({{TextId::March, "M\xE4rz"}}), true, TextId::March, "März"}, // Windows-1252
        {EnglishWith({{TextId::MenuHelpFor, "\x80 Hilfe zu"}}), true, TextId::MenuHelpFor, "€ Hilfe zu Zendrik"},
        {bom, false, TextId::HolidayFileName, "dé.hdy"},
        {utf16, false, TextId::February, "février"},
        {crLines, false, TextId::PlaceFileName, "line 2"},
        {crLines, false, TextId::NeedOtherChipType, "line 422"},
    };
    for (const auto& [bytes, eightBit, id, text] : cases) {
        TextTable t;
        const TextFileResult r = Load(t, bytes);
        EXPECT_EQ(std::pair(r.status, r.eightBit), std::pair(TextFileStatus::Ok, eightBit)) << text;
        EXPECT_EQ(t.text(id), QString::fromUtf8(text));
    }
}

TEST_F(TranslationFileTest, ShortFileKeepsTheRestLongFileIgnoresTheExtraLines)
{
    const TextTable english = Loaded(&TextTable::LoadEnglish);
    TextTable t = english;
    const TextFileResult r = Load(t, NumberedLines(10));
    EXPECT_EQ(r.status, TextFileStatus::MissingLines);
    EXPECT_EQ(r.missingLines, kTextCount - 10);
    EXPECT_EQ(t.text(TextId::Daily), QStringLiteral("line 10"));
    EXPECT_EQ(CountDiffering(t, english), 10);
    EXPECT_EQ(TextFilePrompt(r, QStringLiteral("short.ln1")).render(english), QStringLiteral("short.ln1: 10 of 422 lines"));
    const TextFileResult longer = Load(t, NumberedLines(kTextCount + 78));
    EXPECT_EQ(std::pair(longer.status, longer.missingLines), std::pair(TextFileStatus::Ok, 0));
    EXPECT_EQ(t.text(TextId::NeedOtherChipType), QStringLiteral("line 422"));
    // A huge file is read only as far as needed.
    EXPECT_EQ(Load(t, NumberedLines(kTextCount) + QByteArray(3 * TranslationFile::kMaxBytes, 'x')).status, TextFileStatus::Ok);
}

TEST_F(TranslationFileTest, FilesThatChangeNothing)
{
    QDir(dir.path()).mkdir(QStringLiteral("folder.ln1"));
    const TextTable french = Loaded(&TextTable::LoadFrench);
    const std::pair<QString, TextFileStatus> cases[] = {
        {write(QStringLiteral("empty.ln1"), ""), TextFileStatus::Empty},
        {write(QStringLiteral("blank.ln1"), "\r\n   \r\n\t\r\n\r\n"), TextFileStatus::Empty},
        {path(QStringLiteral("missing.ln1")), TextFileStatus::Missing},
        {path(QStringLiteral("folder.ln1")), TextFileStatus::Unreadable},
    };
    for (const auto& [file, status] : cases) {
        TextTable t = french;
        const TextFileResult r = t.LoadTexts(file);
        EXPECT_EQ(std::pair(r.status, r.loaded()), std::pair(status, false)) << qPrintable(file);
        EXPECT_EQ(CountDiffering(t, french), 0) << qPrintable(file);
        EXPECT_FALSE(TextFilePrompt(r, file).render(french).isEmpty()) << qPrintable(file);
    }
    // Binary garbage neither crashes nor puts a line break into a text.
    QByteArray garbage;
    for (quint32 x = 12345, i = 0; i < 200000; ++i) {
        x = x * 1664525u + 1013904223u;
        garbage.append(static_cast<char>(x >> 24));
    }
    TextTable t;
    EXPECT_TRUE(Load(t, garbage).eightBit);
    for (int i = 0; i < kTextCount; ++i)
        EXPECT_FALSE(t.text(static_cast<TextId>(i)).contains(QLatin1Char('\n')));
    const TextFileResult r = t.SaveTexts(path(QStringLiteral("no/such/dir/speech.txt")));
    EXPECT_EQ(r.status, TextFileStatus::WriteFailed);
    EXPECT_FALSE(r.error.isEmpty());
}
