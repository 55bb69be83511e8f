#include "app/FileCommands.h"
#include "app/FileChooser.h"
#include "language/TextTable.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

// Hands out prepared names and counts how often it was asked.
class ScriptedChooser : public FileChooser {
public:
    QString open;
    QString save;
    int opens = 0;
    int saves = 0;

    QString chooseOpenFile() override
    {
        ++opens;
        return open;
    }
    QString chooseSaveFile(const QString&) override
    {
        ++saves;
        return save;
    }
    QString chooseTranslationFile() override { return QString(); }
};

QString sample(const char* name)
{
    return QStringLiteral(ZENDRIK_SHIPPED_DATA "/samples/") + QString::fromLatin1(name);
}

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        model = canonical731();
        model.program().Dateiname = dir.filePath(u"SzTab1.zpg"_s);
        model.Geaendert = 1;
    }

    // Answers the question that starts with `key` with `a`; everything else gets OK or Cancel.
    ScriptedInteraction answering(TextId key, Answer a)
    {
        return ScriptedInteraction([key, a](const Prompt& p) {
            if (p.key() == key)
                return a;
            return p.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        });
    }

    QString rendered(const Prompt& p) const { return p.render(texts); }

    QTemporaryDir dir;
    ProgramModel model;
    ScriptedChooser chooser;
    TextTable texts;
};

} // namespace

TEST_F(FileCommandsTest, WhenTheSaveQuestionIsDueAndItsTexts)
{
    struct Case {
        int entries, changed;
        SaveQuestion when;
        bool asked;
    };
    const Case cases[] = {
        {9, 1, SaveQuestion::New, true},
        {9, 0, SaveQuestion::New, false},
        {0, 1, SaveQuestion::New, false},
        {9, 1, SaveQuestion::Exit, true},
        {9, 0, SaveQuestion::Exit, false},
        {0, 1, SaveQuestion::Exit, false},
        {9, 1, SaveQuestion::Open, true},
        {9, 0, SaveQuestion::Open, false},
        {0, 1, SaveQuestion::Open, true},
    };
    for (const Case& c : cases) {
        model.program().AnzEintrag = c.entries;
        model.Geaendert = c.changed;
        EXPECT_EQ(SaveChangesQuestion(model, c.when).has_value(), c.asked)
            << c.entries << " entries, changed " << c.changed << ", command " << static_cast<int>(c.when);
    }
    model.program().AnzEintrag = 9;
    model.program().Dateiname = u"SzTab1.zpg"_s;
    const auto onNew = SaveChangesQuestion(model, SaveQuestion::New);
    const auto onExit = SaveChangesQuestion(model, SaveQuestion::Exit);
    ASSERT_TRUE(onNew && onExit);
    EXPECT_EQ(rendered(*onNew), u"Änderungen speichern in SzTab1.zpg ?"_s);
    EXPECT_EQ(rendered(*onExit), u"Änderungen speichern in SzTab1.zpg  ?"_s);
    EXPECT_EQ(std::pair(onNew->buttons, onNew->icon), std::pair(Buttons::YesNoCancel, Icon::Question));
}

TEST_F(FileCommandsTest, AnswersToTheSaveQuestion)
{
    const std::tuple<Answer, bool, bool> cases[] = {
        {Answer::Cancel, false, false}, {Answer::No, true, false}, {Answer::Yes, true, true}};
    for (const auto& [answer, goesOn, saved] : cases) {
        SetUp();
        auto ui = answering(TextId::SaveChangesIn, answer);
        EXPECT_EQ(FileCommands(model, ui, chooser).ConfirmSaveChanges(SaveQuestion::New), goesOn);
        EXPECT_EQ(QFile::remove(model.program().Dateiname), saved);
        EXPECT_EQ(std::tuple(model.Geaendert, model.program().AnzEintrag, chooser.saves), std::tuple(saved ? 0 : 1, 9, 0));
    }

    // Yes with a save that fails stops the command and keeps the mark.
    model.Geaendert = 1;
    model.program().Dateiname = dir.filePath(u"missing/dir/SzTab1.zpg"_s);
    auto ui = answering(TextId::SaveChangesIn, Answer::Yes);
    EXPECT_FALSE(FileCommands(model, ui, chooser).ConfirmSaveChanges(SaveQuestion::New));
    EXPECT_EQ(model.Geaendert, 1);
    ASSERT_EQ(ui.asked().size(), 2u);
    EXPECT_EQ(std::pair(ui.asked()[1].key(), ui.asked()[1].icon), std::pair(TextId::FileWord, Icon::Critical));
}

TEST_F(FileCommandsTest, SaveWithoutANameAsksForOneAndKeepsAGivenExtension)
{
    model.program().Dateiname.clear();
    chooser.save = dir.filePath(u"Halle"_s);
    auto ui = answering(TextId::FileWord, Answer::Yes);
    FileCommands commands(model, ui, chooser);
    EXPECT_TRUE(commands.Save());
    EXPECT_EQ(std::pair(chooser.saves, model.program().Dateiname), std::pair(1, dir.filePath(u"Halle.zpg"_s)));
    EXPECT_TRUE(QFile::exists(dir.filePath(u"Halle.zpg"_s)));
    chooser.save = dir.filePath(u"liste.txt"_s);
    EXPECT_TRUE(commands.SaveAs());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"Halle.zpg"_s, u"liste.txt"_s}));
}

TEST_F(FileCommandsTest, SaveAsRefusals)
{
    const std::pair<QString, TextId> cases[] = {
        {QString(), TextId::NoFileChosen},
        {u"   "_s, TextId::NoFileChosen},
        {dir.path(), TextId::InvalidFileName},
        {dir.filePath(u"nowhere/prog.zpg"_s), TextId::InvalidFileName},
        {dir.filePath(u"tab\tname.zpg"_s), TextId::InvalidFileName},
        {dir.filePath(QString(300, u'x')), TextId::InvalidFileName},
    };
    const QString before = model.program().Dateiname;
    for (const auto& [chosen, message] : cases) {
        chooser.save = chosen;
        auto ui = answering(TextId::FileWord, Answer::Yes);
        FileCommands commands(model, ui, chooser);
        EXPECT_FALSE(commands.SaveAs()) << chosen.toStdString();
        ASSERT_EQ(ui.asked().size(), 1u) << chosen.toStdString();
        EXPECT_EQ(std::pair(ui.asked()[0].key(), ui.asked()[0].icon), std::pair(message, Icon::Critical));
        EXPECT_EQ(std::pair(model.program().Dateiname, model.Geaendert), std::pair(before, 1));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

TEST_F(FileCommandsTest, SaveAsAsksBeforeOverwriting)
{
    const QString target = dir.filePath(u"Alt.zpg"_s);
    ASSERT_TRUE(writeFile(target, "old"));
    chooser.save = target;
    auto no = answering(TextId::FileWord, Answer::No);
    EXPECT_FALSE(FileCommands(model, no, chooser).SaveAs());
    ASSERT_EQ(no.asked().size(), 1u);
    EXPECT_EQ(rendered(no.asked()[0]), u"Datei "_s + target + u" besteht bereits! Überschreiben ?"_s);
    EXPECT_EQ(no.asked()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(readFile(target), QByteArray("old"));
    EXPECT_NE(model.program().Dateiname, target);

    auto yes = answering(TextId::FileWord, Answer::Yes);
    EXPECT_TRUE(FileCommands(model, yes, chooser).SaveAs());
    EXPECT_EQ(std::pair(model.program().Dateiname, model.Geaendert), std::pair(target, 0));
    ProgramModel back = modelForRow(4);
    ASSERT_EQ(LoadProgram(back, target, kProgramSlot), LoadOk);
    EXPECT_EQ(back.program().AnzEintrag, 9);
}

TEST_F(FileCommandsTest, OpenReplacesTheProgramOnlyWhenAFileIsChosen)
{
    auto cancel = answering(TextId::SaveChangesIn, Answer::Cancel);
    EXPECT_FALSE(FileCommands(model, cancel, chooser).Open());
    EXPECT_EQ(chooser.opens, 0);

    // Declining to save and then choosing no file must not lose the changes
    // from the exit question later.
    auto no = answering(TextId::SaveChangesIn, Answer::No);
    FileCommands commands(model, no, chooser);
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(std::tuple(chooser.opens, model.Geaendert, model.program().AnzEintrag), std::tuple(1, 1, 9));
    chooser.open = sample("Schule.zpg");
    model.AktSlot = kSampleSlot;
    EXPECT_TRUE(commands.Open());
    EXPECT_EQ(std::tuple(model.program().Dateiname, model.program().AnzEintrag, model.Geaendert, model.AktSlot),
              std::tuple(chooser.open, 24, 0, kProgramSlot));
}

TEST_F(FileCommandsTest, LoadFailuresAreReportedAndKeepTheProgram)
{
    const QString broken = dir.filePath(u"kaputt.zpg"_s);
    ASSERT_TRUE(writeFile(broken, " 1 \r\n 72 \r\n 300 \r\n"));
    const std::pair<QString, QString> cases[] = {
        {broken, u"Keine gültige Datei !"_s},
        {dir.filePath(u"fehlt.zpg"_s), u"Datei nicht vorhanden !"_s},
        {sample("Parkplatz.zpg"),
         u"Datei für Astroschaltuhr 2 Kanäle\nSie lässt sich öffnen, wenn Sie mit Datei → Neu diesen Gerätetyp wählen."_s},
    };
    model.Geaendert = 0;
    for (const auto& [path, message] : cases) {
        auto ui = answering(TextId::SaveChangesIn, Answer::No);
        EXPECT_FALSE(FileCommands(model, ui, chooser).OpenFile(path));
        ASSERT_EQ(ui.asked().size(), 1u);
        EXPECT_EQ(std::pair(rendered(ui.asked()[0]), ui.asked()[0].icon), std::pair(message, Icon::Critical));
        EXPECT_EQ(model.program().AnzEintrag, 9);
    }
}

// A file of another device family says how it opens: with its own type,
// chosen with File → New on the desktop and --type on the command line.
TEST(LoadResultMessageTest, AFileOfAnotherFamilySaysHowToOpenIt)
{
    const struct {
        void (TextTable::*load)(int);
        LoadHintFor where;
        const char* text;
    } cases[] = {
        {&TextTable::LoadGerman, LoadHintFor::Desktop,
         "Datei für Wochen-/Jahresschaltuhr 1-4 Kanäle\nSie lässt sich öffnen, wenn Sie mit Datei → Neu diesen "
         "Gerätetyp wählen."},
        {&TextTable::LoadEnglish, LoadHintFor::Desktop,
         "File for Weekly/annual time switch 1-4 channels\nTo open it, choose File → New and that device type."},
        {&TextTable::LoadFrench, LoadHintFor::Desktop,
         "Fichier pour Horloge hebdomadaire/annuelle 1 à 4 canaux\nPour l'ouvrir, choisissez Fichier → Nouveau et ce "
         "type d'appareil."},
        {&TextTable::LoadEnglish, LoadHintFor::CommandLine,
         "File for Weekly/annual time switch 1-4 channels\nTo open it, give --type 1 to 18 (the type it was made for)."},
    };
    for (const auto& c : cases) {
        TextTable texts;
        (texts.*c.load)(1);
        EXPECT_EQ(LoadResultMessage(LoadFamily731, 1, QString(), c.where).render(texts), QString::fromUtf8(c.text));
    }
}
