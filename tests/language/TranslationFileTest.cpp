// Translation files: SaveTexts/LoadTexts round trips and the files people
// actually bring (old files, short, long, 8-bit, quoted, empty, broken).
#include "language/TextTable.h"
#include "language/TranslationFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace zendrik;

namespace {

TextId idAt(int i)
{
    return static_cast<TextId>(i);
}

int at(TextId id)
{
    return static_cast<int>(id);
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A file of `count` lines "line 1", "line 2", ... with LF endings.
QByteArray numberedLines(int count)
{
    QByteArray out;
    for (int i = 1; i <= count; ++i)
        out += "line " + QByteArray::number(i) + "\n";
    return out;
}

// Lines of a table's file with some lines replaced.
QByteArray fileWith(const TextTable& table, const std::map<TextId, QByteArray>& replaced)
{
    QByteArray out;
    const QStringList lines = table.FileLines();
    for (int i = 0; i < lines.size(); ++i) {
        const auto it = replaced.find(idAt(i));
        out += (it != replaced.end() ? it->second : lines[i].toUtf8()) + "\r\n";
    }
    return out;
}

bool sameTable(const TextTable& a, const TextTable& b, int* firstDifference = nullptr)
{
    for (int i = 0; i < kTextCount; ++i) {
        if (a.text(idAt(i)) != b.text(idAt(i))) {
            if (firstDifference)
                *firstDifference = i + 1;
            return false;
        }
    }
    return true;
}

class TranslationFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
};

struct RoundTripCase {
    const char* name;
    void (TextTable::*load)(int);
    int brand;
    // Entries whose ends the file cannot carry: the text as it comes back.
    std::map<TextId, const char*> comesBackAs;
};

} // namespace

TEST_F(TranslationFileTest, RoundTripKeepsEveryTable)
{
    const RoundTripCase cases[] = {
        {"German", &TextTable::LoadGerman, 1, {}},
        {"German brand 5", &TextTable::LoadGerman, 5, {}},
        {"English",
         &TextTable::LoadEnglish,
         1,
         {{TextId::FirstDay, "1st "},
          {TextId::SerialWritingChip, "write to zendrik:"},
          {TextId::AstroTitle, "Enter The Astronomical Data"},
          {TextId::AccessVia, " access via"},
          {TextId::ReadSwitchingTimes, "read switching times"}}},
        {"English brand 5",
         &TextTable::LoadEnglish,
         5,
         {{TextId::FirstDay, "1st "},
          {TextId::SerialWritingChip, "write to memory chip:"},
          {TextId::AstroTitle, "Enter The Astronomical Data"},
          {TextId::AccessVia, " access via"},
          {TextId::ReadSwitchingTimes, "read switching times"}}},
        {"French", &TextTable::LoadFrench, 1, {{TextId::MenuHelpFor, "&Aide Zendrik"}}},
    };
    for (const RoundTripCase& c : cases) {
        TextTable original;
        (original.*c.load)(c.brand);
        const QString file = path(QStringLiteral("table.ln1"));
        ASSERT_EQ(original.SaveTexts(file).status, TextFileStatus::Ok) << c.name;

        TextTable loaded;
        if (c.load == &TextTable::LoadFrench)
            loaded.LoadGerman();
        else
            loaded.LoadFrench();
        const TextFileResult r = loaded.LoadTexts(file);
        EXPECT_EQ(r.status, TextFileStatus::Ok) << c.name;
        EXPECT_EQ(r.missingLines, 0) << c.name;
        EXPECT_FALSE(r.eightBit) << c.name;
        EXPECT_EQ(loaded.version(), QStringLiteral("Version  2.1 V1.5"));
        for (int i = 0; i < kTextCount; ++i) {
            const TextId id = idAt(i);
            const auto changed = c.comesBackAs.find(id);
            const QString expected =
                changed != c.comesBackAs.end() ? QString::fromUtf8(changed->second) : original.text(id);
            EXPECT_EQ(loaded.text(id), expected) << c.name << " entry " << i + 1;
        }
    }
}

TEST_F(TranslationFileTest, FileIsOneUnquotedEntryPerLine)
{
    TextTable t;
    t.LoadGerman();
    const QString file = path(QStringLiteral("de.ln1"));
    ASSERT_EQ(t.SaveTexts(file).status, TextFileStatus::Ok);
    const QByteArray bytes = readBytes(file);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), kTextCount + 1); // the last line break ends the file
    EXPECT_EQ(lines[0], QByteArray("deutsch.hdy\r"));
    EXPECT_EQ(lines[at(TextId::SaveChangesIn)], QByteArray("Änderungen speichern in \r"));
    EXPECT_EQ(lines[at(TextId::FileWord)], QByteArray("Datei \r"));
    EXPECT_EQ(lines[at(TextId::MenuHelpFor)], QByteArray("&Hilfe zu \r"));
    EXPECT_EQ(lines[at(TextId::NeedOtherChipType)], QByteArray("Sie benötigenen einen anderen Speicherkartentyp!\r"));
    EXPECT_FALSE(bytes.contains('"'));
}

TEST_F(TranslationFileTest, CommaStaysInsideItsEntry)
{
    TextTable t;
    t.LoadGerman();
    t.set(TextId::NoDataContinue, QStringLiteral("Keine Daten, wirklich? Dann weiter, bitte"));
    const QString file = path(QStringLiteral("comma.ln1"));
    ASSERT_EQ(t.SaveTexts(file).status, TextFileStatus::Ok);

    TextTable loaded;
    loaded.LoadFrench();
    EXPECT_EQ(loaded.LoadTexts(file).status, TextFileStatus::Ok);
    EXPECT_EQ(loaded.text(TextId::NoDataContinue), QStringLiteral("Keine Daten, wirklich? Dann weiter, bitte"));
    int diff = 0;
    EXPECT_TRUE(sameTable(loaded, t, &diff)) << "first difference at entry " << diff;
}

TEST_F(TranslationFileTest, HandWrittenCommasDoNotShiftLaterEntries)
{
    TextTable english;
    english.LoadEnglish();
    const QString file = path(QStringLiteral("hand.ln1"));
    writeBytes(file, fileWith(english, {{TextId::Monday, "lundi, premier jour"}, {TextId::Tuesday, "mardi"}}));
    TextTable t;
    ASSERT_EQ(t.LoadTexts(file).status, TextFileStatus::Ok);
    EXPECT_EQ(t.text(TextId::Monday), QStringLiteral("lundi, premier jour"));
    EXPECT_EQ(t.text(TextId::Tuesday), QStringLiteral("mardi"));
    EXPECT_EQ(t.text(TextId::Wednesday), english.text(TextId::Wednesday));
    EXPECT_EQ(t.text(TextId::NeedOtherChipType), english.text(TextId::NeedOtherChipType));
}

TEST_F(TranslationFileTest, BlanksTheProgramJoinsByComeBack)
{
    TextTable english;
    english.LoadEnglish();
    const QString file = path(QStringLiteral("blanks.ln1"));
    writeBytes(file, fileWith(english, {
                                           {TextId::FileWord, "Fichier"},               // trailing blank lost
                                           {TextId::Seconds, "   s   "},                // surrounded by blanks
                                           {TextId::ShortMonday, "Lu"},                 // leading blank lost
                                           {TextId::AlreadyExistsOverwrite, "existe !"}, // joined after a name
                                           {TextId::Ok, "\t Ok \t"},
                                           {TextId::SaveChangesIn, "\"Sauver dans \""}, // quoted by hand
                                           {TextId::Cancel, "\"Annuler"},               // quote never closed
                                       }));
    TextTable t;
    ASSERT_EQ(t.LoadTexts(file).status, TextFileStatus::Ok);
    EXPECT_EQ(t.text(TextId::FileWord), QStringLiteral("Fichier "));
    EXPECT_EQ(t.text(TextId::Seconds), QStringLiteral(" s"));
    EXPECT_EQ(t.text(TextId::ShortMonday), QStringLiteral(" Lu"));
    EXPECT_EQ(t.text(TextId::AlreadyExistsOverwrite), QStringLiteral(" existe !"));
    EXPECT_EQ(t.text(TextId::Ok), QStringLiteral("Ok"));
    EXPECT_EQ(t.text(TextId::SaveChangesIn), QStringLiteral("Sauver dans "));
    EXPECT_EQ(t.text(TextId::Cancel), QStringLiteral("Annuler"));
}

TEST_F(TranslationFileTest, HelpMenuGetsTheProgramNameOnce)
{
    TextTable english;
    english.LoadEnglish();
    for (const QByteArray& line : {QByteArray("&Help for"), QByteArray("&Help for "), QByteArray("&Help for Zendrik")}) {
        const QString file = path(QStringLiteral("help.ln1"));
        writeBytes(file, fileWith(english, {{TextId::MenuHelpFor, line}}));
        TextTable t;
        ASSERT_TRUE(t.LoadTexts(file).loaded());
        EXPECT_EQ(t.text(TextId::MenuHelpFor), QStringLiteral("&Help for Zendrik")) << line.constData();
    }
}

TEST_F(TranslationFileTest, ShortFileKeepsTheRestOfTheLanguageInUse)
{
    const QString file = path(QStringLiteral("short.ln1"));
    writeBytes(file, numberedLines(10));
    TextTable english;
    english.LoadEnglish();
    TextTable t;
    t.LoadEnglish();
    const TextFileResult r = t.LoadTexts(file);
    EXPECT_EQ(r.status, TextFileStatus::MissingLines);
    EXPECT_EQ(r.missingLines, kTextCount - 10);
    EXPECT_EQ(t.text(TextId::HolidayFileName), QStringLiteral("line 1"));
    EXPECT_EQ(t.text(TextId::Daily), QStringLiteral("line 10"));
    for (int i = 10; i < kTextCount; ++i)
        EXPECT_EQ(t.text(idAt(i)), english.text(idAt(i))) << "entry " << i + 1;

    const QString message = TextFilePrompt(r, QStringLiteral("short.ln1")).render(english);
    EXPECT_EQ(message, QStringLiteral("short.ln1: 10 of 422 lines"));
}

TEST_F(TranslationFileTest, LongFileIgnoresTheExtraLines)
{
    const QString file = path(QStringLiteral("long.ln1"));
    writeBytes(file, numberedLines(kTextCount + 78));
    TextTable t;
    const TextFileResult r = t.LoadTexts(file);
    EXPECT_EQ(r.status, TextFileStatus::Ok);
    EXPECT_EQ(r.missingLines, 0);
    EXPECT_EQ(t.text(TextId::HolidayFileName), QStringLiteral("line 1"));
    EXPECT_EQ(t.text(TextId::NeedOtherChipType), QStringLiteral("line 422"));
}

TEST_F(TranslationFileTest, EightBitFileIsWindows1252)
{
    TextTable english;
    english.LoadEnglish();
    const QString file = path(QStringLiteral("cp1252.ln1"));
    writeBytes(file, fileWith(english, {{TextId::March, "M\xE4rz"},
                                        {TextId::MenuHelpFor, "\x80 Hilfe zu"},
                                        {TextId::NoFileChosen, "Keine Datei gew\xE4hlt \x96 bitte w\xE4hlen"}}));
    TextTable t;
    const TextFileResult r = t.LoadTexts(file);
    EXPECT_EQ(r.status, TextFileStatus::Ok);
    EXPECT_TRUE(r.eightBit);
    EXPECT_EQ(t.text(TextId::March), QStringLiteral("März"));
    EXPECT_EQ(t.text(TextId::MenuHelpFor), QStringLiteral("€ Hilfe zu Zendrik"));
    EXPECT_EQ(t.text(TextId::NoFileChosen), QStringLiteral("Keine Datei gewählt – bitte wählen"));
    EXPECT_EQ(t.text(TextId::Monday), QStringLiteral("monday"));
}

TEST_F(TranslationFileTest, Utf8FileWithByteOrderMark)
{
    TextTable english;
    english.LoadEnglish();
    const QString file = path(QStringLiteral("bom.ln1"));
    writeBytes(file, "\xEF\xBB\xBF" + fileWith(english, {{TextId::HolidayFileName, "deutsch.hdy"},
                                                         {TextId::March, "März"}}));
    TextTable t;
    const TextFileResult r = t.LoadTexts(file);
    EXPECT_EQ(r.status, TextFileStatus::Ok);
    EXPECT_FALSE(r.eightBit);
    EXPECT_EQ(t.text(TextId::HolidayFileName), QStringLiteral("deutsch.hdy"));
    EXPECT_EQ(t.text(TextId::March), QStringLiteral("März"));
}

TEST_F(TranslationFileTest, Utf16FileWithByteOrderMark)
{
    TextTable french;
    french.LoadFrench();
    QByteArray utf16("\xFF\xFE", 2);
    for (const QString& line : french.FileLines()) {
        const QString withBreak = line + QStringLiteral("\r\n");
        utf16.append(reinterpret_cast<const char*>(withBreak.utf16()), withBreak.size() * 2);
    }
    const QString file = path(QStringLiteral("utf16.ln1"));
    writeBytes(file, utf16);
    TextTable t;
    EXPECT_EQ(t.LoadTexts(file).status, TextFileStatus::Ok);
    EXPECT_EQ(t.text(TextId::February), QStringLiteral("février"));
    EXPECT_EQ(t.text(TextId::Monday), QStringLiteral("lundi"));
}

TEST_F(TranslationFileTest, OldMacLineEndsAreLineEnds)
{
    const QString file = path(QStringLiteral("cr.ln1"));
    writeBytes(file, numberedLines(kTextCount).replace('\n', '\r'));
    TextTable t;
    EXPECT_EQ(t.LoadTexts(file).status, TextFileStatus::Ok);
    EXPECT_EQ(t.text(TextId::PlaceFileName), QStringLiteral("line 2"));
}

TEST_F(TranslationFileTest, LineBreakInsideATextCannotShiftTheFile)
{
    TextTable t;
    t.LoadEnglish();
    t.set(TextId::Ok, QStringLiteral("O\nk\r\nay"));
    const QString file = path(QStringLiteral("break.ln1"));
    ASSERT_EQ(t.SaveTexts(file).status, TextFileStatus::Ok);
    TextTable loaded;
    EXPECT_EQ(loaded.LoadTexts(file).status, TextFileStatus::Ok);
    EXPECT_EQ(loaded.text(TextId::Ok), QStringLiteral("O k ay"));
    EXPECT_EQ(loaded.text(TextId::Cancel), t.text(TextId::Cancel));
    EXPECT_EQ(loaded.text(TextId::NeedOtherChipType), t.text(TextId::NeedOtherChipType));
}

TEST_F(TranslationFileTest, FilesThatChangeNothing)
{
    writeBytes(path(QStringLiteral("empty.ln1")), QByteArray());
    writeBytes(path(QStringLiteral("blank.ln1")), QByteArray("\r\n   \r\n\t\r\n\r\n"));
    QDir(dir.path()).mkdir(QStringLiteral("folder.ln1"));
    const struct {
        const char* name;
        TextFileStatus status;
    } cases[] = {
        {"empty.ln1", TextFileStatus::Empty},
        {"blank.ln1", TextFileStatus::Empty},
        {"missing.ln1", TextFileStatus::Missing},
        {"folder.ln1", TextFileStatus::Unreadable},
    };
    TextTable french;
    french.LoadFrench();
    for (const auto& c : cases) {
        TextTable t;
        t.LoadFrench();
        const TextFileResult r = t.LoadTexts(path(QString::fromUtf8(c.name)));
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_FALSE(r.loaded()) << c.name;
        EXPECT_TRUE(sameTable(t, french)) << c.name;
        EXPECT_FALSE(TextFilePrompt(r, QString::fromUtf8(c.name)).render(french).isEmpty()) << c.name;
    }
}

TEST_F(TranslationFileTest, HugeFileIsReadOnlyAsFarAsNeeded)
{
    QByteArray bytes = numberedLines(kTextCount);
    bytes += QByteArray(3 * TranslationFile::kMaxBytes, 'x');
    const QString file = path(QStringLiteral("huge.ln1"));
    writeBytes(file, bytes);
    TextTable t;
    EXPECT_EQ(t.LoadTexts(file).status, TextFileStatus::Ok);
    EXPECT_EQ(t.text(TextId::NeedOtherChipType), QStringLiteral("line 422"));
}

TEST_F(TranslationFileTest, BinaryGarbageDoesNotCrash)
{
    QByteArray bytes;
    quint32 x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes.append(static_cast<char>(x >> 24));
    }
    const QString file = path(QStringLiteral("garbage.ln1"));
    writeBytes(file, bytes);
    TextTable t;
    const TextFileResult r = t.LoadTexts(file);
    EXPECT_TRUE(r.eightBit);
    for (int i = 0; i < kTextCount; ++i)
        EXPECT_FALSE(t.text(idAt(i)).contains(QLatin1Char('\n')));
}

TEST_F(TranslationFileTest, WriteFailureIsReported)
{
    TextTable t;
    const TextFileResult r = t.SaveTexts(path(QStringLiteral("no/such/dir/speech.txt")));
    EXPECT_EQ(r.status, TextFileStatus::WriteFailed);
    EXPECT_FALSE(r.error.isEmpty());
}
