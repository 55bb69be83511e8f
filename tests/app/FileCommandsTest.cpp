#include "app/FileCommands.h"
#include "app/FileChooser.h"
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
    QString open, save;
    int opens = 0, saves = 0;
    QString chooseOpenFile() override { return ++opens, open; }
    QString chooseSaveFile(const QString&) override { return ++saves, save; }
    QString chooseTranslationFile() override { return QString(); }
};

QString sample(const char* name) { return QStringLiteral(ZENDRIK_SHIPPED_DATA "/samples/") + QString::fromLatin1(name); }

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
        return ScriptedInteraction([key, a](const Prompt& p) { return p.key() == key ? a : p.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel; });
    }
    QString rendered(const Prompt& p) const { return p.render(texts); }
    // The one question a command asked: its text and icon.
    static std::pair<TextId, Icon> only(const ScriptedInteraction& ui)
    {
        EXPECT_EQ(ui.asked().size(), 1u);
        return ui.asked().empty() ? std::pair(TextId{}, Icon{}) : std::pair(ui.asked()[0].key(), ui.asked()[0].icon);
    }

    QTemporaryDir dir;
    ProgramModel model;
    ScriptedChooser chooser;
    TextTable texts;
};

} // namespace

TEST_F(FileCommandsTest, WhenTheSaveQuestionIsDueAndItsTexts)
{
    // Asked for a changed program; an empty one only before opening another.
    for (const SaveQuestion when : {SaveQuestion::New, SaveQuestion::Exit, SaveQuestion::Open}) {
        for (const auto& [entries, changed] : {std::pair(9, 1), std::pair(9, 0), std::pair(0, 1)}) {
            std::tie(model.program().AnzEintrag, model.Geaendert) = std::tuple(entries, changed);
            EXPECT_EQ(SaveChangesQuestion(model, when).has_value(), changed && (entries || when == SaveQuestion::Open)) << entries << ' ' << changed << ' ' << int(when);
        }
    }
    model.program().AnzEintrag = 9;
    model.program().Dateiname = u"SzTab1.zpg"_s;
    const auto onNew = SaveChangesQuestion(model, SaveQuestion::New);
    const auto onExit = SaveChangesQuestion(model, SaveQuestion::Exit);
    ASSERT_TRUE(onNew && onExit);
    EXPECT_EQ(rendered(*onNew), u"Änderungen speichern in SzTab1.zpg ?"_s);
    EXPECT_EQ(rendered(*onExit), u"Änderungen speichern in SzTab1.zpg  ?"_s);
    EXPECT_EQ(std::pair(onNew->buttons, onNew->icon), std::pair(Buttons::YesNoCancel, Icon::Question));
    const std::tuple<Answer, bool, bool> cases[] = {{Answer::Cancel, false, false}, {Answer::No, true, false}, {Answer::Yes, true, true}};
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
    EXPECT_EQ((std::pair{FileCommands(model, ui, chooser).ConfirmSaveChanges(SaveQuestion::New), model.Geaendert}), std::pair(false, 1));
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
    const std::pair<QString, TextId> cases[] = {{QString(), TextId::NoFileChosen}, {u"   "_s, TextId::NoFileChosen}, {dir.path(), TextId::InvalidFileName},
                                                {dir.filePath(u"nowhere/prog.zpg"_s), TextId::InvalidFileName}, {dir.filePath(u"tab\tname.zpg"_s), TextId::InvalidFileName},
                                                {dir.filePath(QString(300, u'x')), TextId::InvalidFileName}};
    model.Geaendert = 1; // changed again: every refusal below keeps the mark
    const QString before = model.program().Dateiname;
    for (const auto& [chosen, message] : cases) {
        chooser.save = chosen;
        auto ui2 = answering(TextId::FileWord, Answer::Yes);
        FileCommands commands(model, ui2, chooser);
        EXPECT_FALSE(commands.SaveAs()) << chosen.toStdString();
        EXPECT_EQ(only(ui2), std::pair(message, Icon::Critical));
        EXPECT_EQ(std::pair(model.program().Dateiname, model.Geaendert), std::pair(before, 1));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // only the two saved above
    const QString target = dir.filePath(u"Alt.zpg"_s);
    ASSERT_TRUE(writeFile(target, "old"));
    chooser.save = target;
    auto no = answering(TextId::FileWord, Answer::No);
    EXPECT_FALSE(FileCommands(model, no, chooser).SaveAs());
    ASSERT_EQ(no.asked().size(), 1u);
    EXPECT_EQ(std::pair(rendered(no.asked()[0]), no.asked()[0].buttons), std::pair(u"Datei "_s + target + u" besteht bereits! Überschreiben ?"_s, Buttons::YesNo));
    EXPECT_EQ(std::pair(readFile(target), model.program().Dateiname == target), std::pair(QByteArray("old"), false));

    auto yes = answering(TextId::FileWord, Answer::Yes);
    EXPECT_TRUE(FileCommands(model, yes, chooser).SaveAs());
    EXPECT_EQ(std::pair(model.program().Dateiname, model.Geaendert), std::pair(target, 0));
    ProgramModel back = modelForRow(4);
    EXPECT_EQ((std::pair{LoadProgram(back, target, kProgramSlot), back.program().AnzEintrag}), std::pair(int(LoadOk), 9));
}

TEST_F(FileCommandsTest, OpenReplacesTheProgramOnlyWhenAFileIsChosen)
{
    auto cancel = answering(TextId::SaveChangesIn, Answer::Cancel);
    EXPECT_EQ((std::pair{FileCommands(model, cancel, chooser).Open(), chooser.opens}), std::pair(false, 0));

    // Declining to save and then choosing no file keeps the changes for the exit question.
    auto no = answering(TextId::SaveChangesIn, Answer::No);
    FileCommands commands(model, no, chooser);
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(std::tuple(chooser.opens, model.Geaendert, model.program().AnzEintrag), std::tuple(1, 1, 9));
    chooser.open = sample("Schule.zpg");
    model.AktSlot = kSampleSlot;
    EXPECT_TRUE(commands.Open());
    EXPECT_EQ(std::tuple(model.program().Dateiname, model.program().AnzEintrag, model.Geaendert, model.AktSlot), std::tuple(chooser.open, 24, 0, kProgramSlot));
    const QString broken = dir.filePath(u"kaputt.zpg"_s);
    ASSERT_TRUE(writeFile(broken, " 1 \r\n 72 \r\n 300 \r\n"));
    const std::pair<QString, QString> cases[] = {
        {broken, u"Keine gültige Datei !"_s}, {dir.filePath(u"fehlt.zpg"_s), u"Datei nicht vorhanden !"_s},
        {sample("Parkplatz.zpg"), u"Datei für Astroschaltuhr 2 Kanäle\nSie lässt sich öffnen, wenn Sie mit Datei → Neu diesen Gerätetyp wählen."_s}};
    model.Geaendert = 0;
    const int before = model.program().AnzEintrag;
    for (const auto& [path, message] : cases) {
        auto ui = answering(TextId::SaveChangesIn, Answer::No);
        EXPECT_EQ((std::pair{FileCommands(model, ui, chooser).OpenFile(path), model.program().AnzEintrag}), std::pair(false, before));
        ASSERT_EQ(ui.asked().size(), 1u);
        EXPECT_EQ(std::pair(rendered(ui.asked()[0]), ui.asked()[0].icon), std::pair(message, Icon::Critical));
    }
}

// A file of another family says how it opens: File → New on the desktop, --type on the command line.
TEST(LoadResultMessageTest, AFileOfAnotherFamilySaysHowToOpenIt)
{
    const std::tuple<int, LoadHintFor, const char*> cases[] = {
        {1, LoadHintFor::Desktop, "Datei für Wochen-/Jahresschaltuhr 1-4 Kanäle\nSie lässt sich öffnen, wenn Sie mit Datei → Neu diesen Gerätetyp wählen."},
        {2, LoadHintFor::Desktop, "File for Weekly/annual time switch 1-4 channels\nTo open it, choose File → New and that device type."},
        {3, LoadHintFor::Desktop, "Fichier pour Horloge hebdomadaire/annuelle 1 à 4 canaux\nPour l'ouvrir, choisissez Fichier → Nouveau et ce type d'appareil."},
        {2, LoadHintFor::CommandLine, "File for Weekly/annual time switch 1-4 channels\nTo open it, give --type 1 to 18 (the type it was made for)."},
    };
    for (const auto& [language, where, text] : cases) EXPECT_EQ(LoadResultMessage(LoadFamily731, 1, QString(), where).render(textsIn(language)), QString::fromUtf8(text));
}
