// Translation files: SaveTexts/LoadTexts round trips and the files people
// actually bring (old, short, long, 8-bit, quoted, empty, broken).
#include "language/TranslationFile.h"
#include "tests/language/TextTables.h"

#include <map>

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
    // Loads the bytes into t through a file.
    TextFileResult Load(TextTable& t, const QByteArray& bytes)
    {
        return t.LoadTexts(write(QStringLiteral("file.ln1"), bytes));
    }
};

} // namespace

// Every table comes back, except the few entries whose trailing or leading
// blanks differ from the German entry's: the file cannot carry those.
TEST_F(TranslationFileTest, RoundTripKeepsEveryTable)
{
    const std::map<TextId, const char*> english = {{TextId::FirstDay, "1st "},
                                                   {TextId::SerialWritingChip, "write to memory chip:"},
                                                   {TextId::AstroTitle, "Enter The Astronomical Data"},
                                                   {TextId::AccessVia, " access via"},
                                                   {TextId::ReadSwitchingTimes, "read switching times"}};
    const struct {
        Loader load;
        int brand;
        std::map<TextId, const char*> comesBackAs;
    } cases[] = {
        {&TextTable::LoadGerman, 1, {}},
        {&TextTable::LoadEnglish, 5, english},
        {&TextTable::LoadFrench, 1, {{TextId::MenuHelpFor, "&Aide Zendrik"}}},
    };
    for (const auto& c : cases) {
        const TextTable original = Loaded(c.load, c.brand);
        ASSERT_EQ(original.SaveTexts(path(QStringLiteral("table.ln1"))).status, TextFileStatus::Ok);
        TextTable loaded = Loaded(c.load == &TextTable::LoadFrench ? &TextTable::LoadGerman : &TextTable::LoadFrench);
        const TextFileResult r = loaded.LoadTexts(path(QStringLiteral("table.ln1")));
        EXPECT_EQ(r.status, TextFileStatus::Ok);
        EXPECT_FALSE(r.eightBit);
        for (int i = 0; i < kTextCount; ++i) {
            const TextId id = static_cast<TextId>(i);
            const auto changed = c.comesBackAs.find(id);
            const QString expected =
                changed != c.comesBackAs.end() ? QString::fromUtf8(changed->second) : original.text(id);
            EXPECT_EQ(loaded.text(id), expected) << "entry " << i + 1;
        }
    }
}

TEST_F(TranslationFileTest, FileIsOneUnquotedEntryPerLine)
{
    TextTable t;
    t.set(TextId::Ok, QStringLiteral("O\nk\r\nay")); // a line break must not shift the file
    ASSERT_EQ(t.SaveTexts(path(QStringLiteral("de.ln1"))).status, TextFileStatus::Ok);
    QFile f(path(QStringLiteral("de.ln1")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), kTextCount + 1); // the last line break ends the file
    EXPECT_EQ(lines[0], QByteArray("deutsch.hdy\r"));
    EXPECT_EQ(lines[static_cast<int>(TextId::SaveChangesIn)], QByteArray("Änderungen speichern in \r"));
    EXPECT_EQ(lines[static_cast<int>(TextId::MenuHelpFor)], QByteArray("&Hilfe zu \r"));
    EXPECT_EQ(lines[static_cast<int>(TextId::Ok)], QByteArray("O k ay\r"));
}

TEST_F(TranslationFileTest, CommasAndBlanksOfHandWrittenFiles)
{
    const TextTable english = Loaded(&TextTable::LoadEnglish);
    TextTable t;
    ASSERT_EQ(Load(t, EnglishWith({
                          {TextId::Monday, "lundi, premier jour"},      // a comma stays inside its entry
                          {TextId::FileWord, "Fichier"},                // trailing blank lost
                          {TextId::Seconds, "   s   "},                 // surrounded by blanks
                          {TextId::ShortMonday, "Lu"},                  // leading blank lost
                          {TextId::AlreadyExistsOverwrite, "existe !"}, // joined after a name
                          {TextId::Ok, "\t Ok \t"},
                          {TextId::SaveChangesIn, "\"Sauver dans \""}, // quoted by hand
                          {TextId::Cancel, "\"Annuler"},               // quote never closed
                      }))
                  .status,
              TextFileStatus::Ok);
    EXPECT_EQ(t.text(TextId::Monday), QStringLiteral("lundi, premier jour"));
    EXPECT_EQ(t.text(TextId::Tuesday), english.text(TextId::Tuesday));
    EXPECT_EQ(t.text(TextId::FileWord), QStringLiteral("Fichier "));
    EXPECT_EQ(t.text(TextId::Seconds), QStringLiteral(" s"));
    EXPECT_EQ(t.text(TextId::ShortMonday), QStringLiteral(" Lu"));
    EXPECT_EQ(t.text(TextId::AlreadyExistsOverwrite), QStringLiteral(" existe !"));
    EXPECT_EQ(t.text(TextId::Ok), QStringLiteral("Ok"));
    EXPECT_EQ(t.text(TextId::SaveChangesIn), QStringLiteral("Sauver dans "));
    EXPECT_EQ(t.text(TextId::Cancel), QStringLiteral("Annuler"));
    EXPECT_EQ(t.text(TextId::NeedOtherChipType), english.text(TextId::NeedOtherChipType));
    // The help menu gets the program's name once, whether the file has it or not.
    for (const QByteArray line : {"&Help for", "&Help for ", "&Help for Zendrik"}) {
        ASSERT_TRUE(Load(t, EnglishWith({{TextId::MenuHelpFor, line}})).loaded());
        EXPECT_EQ(t.text(TextId::MenuHelpFor), QStringLiteral("&Help for Zendrik")) << line.constData();
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
    for (int i = 10; i < kTextCount; ++i)
        EXPECT_EQ(t.text(static_cast<TextId>(i)), english.text(static_cast<TextId>(i))) << "entry " << i + 1;
    EXPECT_EQ(TextFilePrompt(r, QStringLiteral("short.ln1")).render(english),
              QStringLiteral("short.ln1: 10 of 422 lines"));

    const TextFileResult longer = Load(t, NumberedLines(kTextCount + 78));
    EXPECT_EQ(longer.status, TextFileStatus::Ok);
    EXPECT_EQ(longer.missingLines, 0);
    EXPECT_EQ(t.text(TextId::NeedOtherChipType), QStringLiteral("line 422"));
    // A huge file is read only as far as needed.
    EXPECT_EQ(Load(t, NumberedLines(kTextCount) + QByteArray(3 * TranslationFile::kMaxBytes, 'x')).status,
              TextFileStatus::Ok);
}

TEST_F(TranslationFileTest, EncodingsAndLineEnds)
{
    QByteArray utf16("\xFF\xFE", 2);
    for (const QString& line : Loaded(&TextTable::LoadFrench).FileLines()) {
        const QString withBreak = line + QStringLiteral("\r\n");
        utf16.append(reinterpret_cast<const char*>(withBreak.utf16()), withBreak.size() * 2);
    }
    const struct {
        const char* what;
        QByteArray bytes;
        bool eightBit;
        TextId id;
        const char* text;
    } cases[] = {
        {"Windows-1252", EnglishWith({{TextId::March, "M\xE4rz"}}), true, TextId::March, "März"},
        {"Windows-1252 euro", EnglishWith({{TextId::MenuHelpFor, "\x80 Hilfe zu"}}), true, TextId::MenuHelpFor,
         "€ Hilfe zu Zendrik"},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + EnglishWith({{TextId::HolidayFileName, "d\xC3\xA9.hdy"}}), false,
         TextId::HolidayFileName, "dé.hdy"},
        {"UTF-16", utf16, false, TextId::February, "février"},
        {"CR line ends", NumberedLines(kTextCount).replace('\n', '\r'), false, TextId::PlaceFileName, "line 2"},
    };
    for (const auto& c : cases) {
        TextTable t;
        const TextFileResult r = Load(t, c.bytes);
        EXPECT_EQ(r.status, TextFileStatus::Ok) << c.what;
        EXPECT_EQ(r.eightBit, c.eightBit) << c.what;
        EXPECT_EQ(t.text(c.id), QString::fromUtf8(c.text)) << c.what;
    }
}

TEST_F(TranslationFileTest, FilesThatChangeNothing)
{
    QDir(dir.path()).mkdir(QStringLiteral("folder.ln1"));
    const TextTable french = Loaded(&TextTable::LoadFrench);
    const struct {
        QString file;
        TextFileStatus status;
    } cases[] = {
        {write(QStringLiteral("empty.ln1"), ""), TextFileStatus::Empty},
        {write(QStringLiteral("blank.ln1"), "\r\n   \r\n\t\r\n\r\n"), TextFileStatus::Empty},
        {path(QStringLiteral("missing.ln1")), TextFileStatus::Missing},
        {path(QStringLiteral("folder.ln1")), TextFileStatus::Unreadable},
    };
    for (const auto& c : cases) {
        TextTable t = french;
        const TextFileResult r = t.LoadTexts(c.file);
        EXPECT_EQ(r.status, c.status) << qPrintable(c.file);
        EXPECT_FALSE(r.loaded()) << qPrintable(c.file);
        EXPECT_EQ(CountDiffering(t, french), 0) << qPrintable(c.file);
        EXPECT_FALSE(TextFilePrompt(r, c.file).render(french).isEmpty()) << qPrintable(c.file);
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
