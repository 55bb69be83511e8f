#include "language/TextTable.h"
#include "model/FileChooser.h"
#include "model/FileCommands.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

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
        model.program().Dateiname = dir.filePath(QStringLiteral("SzTab1.zpg"));
        model.Geaendert = 1;
    }

    // Answers questions by their first text; everything else gets OK.
    void answer(TextId key, Answer a) { answers.push_back({key, a}); }

    ScriptedInteraction interaction()
    {
        return ScriptedInteraction([this](const Prompt& p) {
            for (const auto& [key, a] : answers) {
                if (p.key() == key)
                    return a;
            }
            return p.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        });
    }

    QString rendered(const Prompt& p) const { return p.render(texts); }

    QTemporaryDir dir;
    ProgramModel model;
    ScriptedChooser chooser;
    TextTable texts;
    std::vector<std::pair<TextId, Answer>> answers;
};

} // namespace

TEST_F(FileCommandsTest, SaveQuestionTexts)
{
    model.program().Dateiname = QStringLiteral("SzTab1.zpg");
    const auto onNew = SaveChangesQuestion(model, SaveQuestion::New);
    const auto onExit = SaveChangesQuestion(model, SaveQuestion::Exit);
    ASSERT_TRUE(onNew && onExit);
    EXPECT_EQ(rendered(*onNew), QStringLiteral("Änderungen speichern in SzTab1.zpg ?"));
    EXPECT_EQ(rendered(*onExit), QStringLiteral("Änderungen speichern in SzTab1.zpg  ?"));
    EXPECT_EQ(onNew->buttons, Buttons::YesNoCancel);
    EXPECT_EQ(onNew->icon, Icon::Question);
}

TEST_F(FileCommandsTest, WhenTheQuestionIsDue)
{
    struct Case {
        int entries;
        int changed;
        SaveQuestion when;
        bool asked;
    };
    const Case cases[] = {
        {9, 1, SaveQuestion::New, true},   {9, 0, SaveQuestion::New, false},  {0, 1, SaveQuestion::New, false},
        {9, 1, SaveQuestion::Exit, true},  {9, 0, SaveQuestion::Exit, false}, {0, 1, SaveQuestion::Exit, false},
        {9, 1, SaveQuestion::Open, true},  {9, 0, SaveQuestion::Open, false}, {0, 1, SaveQuestion::Open, true},
    };
    for (const Case& c : cases) {
        model.program().AnzEintrag = c.entries;
        model.Geaendert = c.changed;
        EXPECT_EQ(SaveChangesQuestion(model, c.when).has_value(), c.asked)
            << c.entries << " entries, changed " << c.changed << ", command " << static_cast<int>(c.when);
    }
}

TEST_F(FileCommandsTest, AnswersToTheSaveQuestion)
{
    struct Case {
        Answer answer;
        bool goesOn;
        bool saved;
    };
    const Case cases[] = {
        {Answer::Cancel, false, false},
        {Answer::No, true, false},
        {Answer::Yes, true, true},
    };
    for (const Case& c : cases) {
        SetUp();
        answers.clear();
        answer(TextId::SaveChangesIn, c.answer);
        auto ui = interaction();
        FileCommands commands(model, ui, chooser);
        const int entries = model.program().AnzEintrag;
        EXPECT_EQ(commands.ConfirmSaveChanges(SaveQuestion::New), c.goesOn);
        EXPECT_EQ(QFile::exists(model.program().Dateiname), c.saved);
        EXPECT_EQ(model.Geaendert, c.saved ? 0 : 1);
        EXPECT_EQ(model.program().AnzEintrag, entries);
        EXPECT_EQ(chooser.saves, 0);
        QFile::remove(model.program().Dateiname);
    }
}

TEST_F(FileCommandsTest, YesWithAFailedSaveStopsTheCommand)
{
    model.program().Dateiname = dir.filePath(QStringLiteral("missing/dir/SzTab1.zpg"));
    answer(TextId::SaveChangesIn, Answer::Yes);
    auto ui = interaction();
    FileCommands commands(model, ui, chooser);
    EXPECT_FALSE(commands.ConfirmSaveChanges(SaveQuestion::New));
    EXPECT_EQ(model.Geaendert, 1);
    ASSERT_EQ(ui.asked().size(), 2u);
    EXPECT_EQ(ui.asked()[1].key(), TextId::FileWord);
    EXPECT_EQ(ui.asked()[1].icon, Icon::Critical);
}

TEST_F(FileCommandsTest, SaveWithoutANameAsksForOne)
{
    model.program().Dateiname.clear();
    chooser.save = dir.filePath(QStringLiteral("Halle"));
    auto ui = interaction();
    FileCommands commands(model, ui, chooser);
    EXPECT_TRUE(commands.Save());
    EXPECT_EQ(chooser.saves, 1);
    EXPECT_EQ(model.program().Dateiname, dir.filePath(QStringLiteral("Halle.zpg")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Halle.zpg"))));
}

TEST_F(FileCommandsTest, SaveAsRefusals)
{
    struct Case {
        QString chosen;
        TextId message;
    };
    const Case cases[] = {
        {QString(), TextId::NoFileChosen},
        {QStringLiteral("   "), TextId::NoFileChosen},
        {dir.path(), TextId::InvalidFileName},
        {dir.filePath(QStringLiteral("nowhere/prog.zpg")), TextId::InvalidFileName},
        {dir.filePath(QStringLiteral("tab\tname.zpg")), TextId::InvalidFileName},
        {dir.filePath(QString(300, QLatin1Char('x'))), TextId::InvalidFileName},
    };
    const QString before = model.program().Dateiname;
    for (const Case& c : cases) {
        chooser.save = c.chosen;
        auto ui = interaction();
        FileCommands commands(model, ui, chooser);
        EXPECT_FALSE(commands.SaveAs()) << c.chosen.toStdString();
        ASSERT_EQ(ui.asked().size(), 1u) << c.chosen.toStdString();
        EXPECT_EQ(ui.asked()[0].key(), c.message) << c.chosen.toStdString();
        EXPECT_EQ(ui.asked()[0].icon, Icon::Critical);
        EXPECT_EQ(model.program().Dateiname, before);
        EXPECT_EQ(model.Geaendert, 1);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

TEST_F(FileCommandsTest, SaveAsAsksBeforeOverwriting)
{
    const QString target = dir.filePath(QStringLiteral("Alt.zpg"));
    ASSERT_TRUE(writeFile(target, "old"));
    chooser.save = target;

    answer(TextId::FileWord, Answer::No);
    {
        auto ui = interaction();
        FileCommands commands(model, ui, chooser);
        EXPECT_FALSE(commands.SaveAs());
        ASSERT_EQ(ui.asked().size(), 1u);
        EXPECT_EQ(rendered(ui.asked()[0]),
                  QStringLiteral("Datei ") + target + QStringLiteral(" besteht bereits! Überschreiben ?"));
        EXPECT_EQ(ui.asked()[0].buttons, Buttons::YesNo);
    }
    EXPECT_EQ(readFile(target), QByteArray("old"));
    EXPECT_NE(model.program().Dateiname, target);

    answers.clear();
    answer(TextId::FileWord, Answer::Yes);
    auto ui = interaction();
    FileCommands commands(model, ui, chooser);
    EXPECT_TRUE(commands.SaveAs());
    EXPECT_EQ(model.program().Dateiname, target);
    EXPECT_EQ(model.Geaendert, 0);
    ProgramModel back = modelForRow(4);
    ASSERT_EQ(LoadProgram(back, target, kProgramSlot), LoadOk);
    EXPECT_EQ(back.program().AnzEintrag, model.program().AnzEintrag);
}

TEST_F(FileCommandsTest, SaveAsKeepsAnExtensionTheUserGave)
{
    chooser.save = dir.filePath(QStringLiteral("liste.txt"));
    auto ui = interaction();
    FileCommands commands(model, ui, chooser);
    EXPECT_TRUE(commands.SaveAs());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("liste.txt"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("liste.txt.zpg"))));
}

TEST_F(FileCommandsTest, OpenReplacesTheProgram)
{
    answer(TextId::SaveChangesIn, Answer::No);
    chooser.open = sample("Schule.zpg");
    auto ui = interaction();
    FileCommands commands(model, ui, chooser);
    EXPECT_TRUE(commands.Open());
    EXPECT_EQ(model.program().Dateiname, chooser.open);
    EXPECT_EQ(model.program().AnzEintrag, 24);
    EXPECT_EQ(model.Geaendert, 0);
    EXPECT_EQ(model.AktSlot, kProgramSlot);
}

TEST_F(FileCommandsTest, OpenWithoutAChoiceKeepsTheChangedMark)
{
    // Declining to save and then choosing no file must not lose the changes
    // from the exit question later.
    answer(TextId::SaveChangesIn, Answer::No);
    auto ui = interaction();
    FileCommands commands(model, ui, chooser);
    const int entries = model.program().AnzEintrag;
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(chooser.opens, 1);
    EXPECT_EQ(model.Geaendert, 1);
    EXPECT_EQ(model.program().AnzEintrag, entries);
}

TEST_F(FileCommandsTest, OpenCancelledDoesNotChooseAFile)
{
    answer(TextId::SaveChangesIn, Answer::Cancel);
    auto ui = interaction();
    FileCommands commands(model, ui, chooser);
    EXPECT_FALSE(commands.Open());
    EXPECT_EQ(chooser.opens, 0);
}

TEST_F(FileCommandsTest, LoadFailuresAreReportedAndKeepTheProgram)
{
    const QString broken = dir.filePath(QStringLiteral("kaputt.zpg"));
    ASSERT_TRUE(writeFile(broken, " 1 \r\n 72 \r\n 300 \r\n"));
    struct Case {
        QString path;
        QString message;
    };
    const Case cases[] = {
        {broken, QStringLiteral("Keine gültige Datei !")},
        {dir.filePath(QStringLiteral("fehlt.zpg")), QStringLiteral("Datei nicht vorhanden !")},
        {sample("Parkplatz.zpg"), QStringLiteral("Datei für Astroschaltuhr 2 Kanäle")},
    };
    model.Geaendert = 0;
    for (const Case& c : cases) {
        auto ui = interaction();
        FileCommands commands(model, ui, chooser);
        const int entries = model.program().AnzEintrag;
        EXPECT_FALSE(commands.OpenFile(c.path));
        ASSERT_EQ(ui.asked().size(), 1u);
        EXPECT_EQ(rendered(ui.asked()[0]), c.message);
        EXPECT_EQ(ui.asked()[0].icon, Icon::Critical);
        EXPECT_EQ(model.program().AnzEintrag, entries);
    }
}

TEST_F(FileCommandsTest, SampleOpensBesideTheProgramAndCloses)
{
    chooser.open = sample("Laden.zpg");
    auto ui = interaction();
    FileCommands commands(model, ui, chooser);
    const int entries = model.program().AnzEintrag;
    EXPECT_TRUE(commands.OpenSample());
    EXPECT_TRUE(ui.asked().empty());
    EXPECT_EQ(model.AktSlot, kSampleSlot);
    EXPECT_EQ(model.slot(kSampleSlot).AnzEintrag, 7);
    EXPECT_EQ(model.program().AnzEintrag, entries);
    EXPECT_EQ(model.Geaendert, 1);

    commands.CloseSample();
    EXPECT_EQ(model.AktSlot, kProgramSlot);
    EXPECT_EQ(model.slot(kSampleSlot).AnzEintrag, 0);
    EXPECT_TRUE(model.slot(kSampleSlot).Dateiname.isEmpty());
    EXPECT_EQ(model.program().AnzEintrag, entries);
}
