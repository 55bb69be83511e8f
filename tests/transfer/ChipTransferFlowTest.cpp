#include "tests/transfer/EmulatorTestMacros.h"

#include "language/TextTable.h"
#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "model/UserInteraction.h"
#include "transfer/ChipTransfer.h"
#include "transfer/TransferObserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr int kRow731 = 4;   // four channels

class ChipTransferFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        model.clock = [] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26)); };
        StartNewProgram(model, kRow731, QStringLiteral("unbekannt"), path(QStringLiteral("SzTab1.zpg")));
        model.device.AdapterTool = QStringLiteral("\"%1\" --eeprom \"%2\"").arg(QStringLiteral(ZENDRIK_ADAPTER_TOOL), eeprom());
    }

    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString eeprom() const { return path(QStringLiteral("chip.bin")); }

    // Opens a saved program of `entries` entries as the program being edited.
    Image openProgram(const QString& name, int entries)
    {
        const Image image = MakeProgramFile(path(name), kRow731, entries);
        EXPECT_EQ(LoadProgram(model, path(name), kProgramSlot), LoadOk);
        model.Geaendert = 0;
        return image;
    }

    void putOnChip(const Image& image)
    {
        QFile f(eeprom());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
    }

    // Answers like a user who confirms "finished" once the tool is done,
    // and says `yes` to every question.
    ScriptedInteraction user(bool yes = true, Answer saveChanges = Answer::Yes)
    {
        return ScriptedInteraction([this, yes, saveChanges](const Prompt& p) {
            if (p.key() == TextId::ChipAccessFinished) {
                QElapsedTimer t;
                t.start();
                while (!QFile::exists(path(QStringLiteral("card.msg"))) && t.elapsed() < toolWaitMs)
                    QThread::msleep(20);
                return Answer::Ok;
            }
            if (p.key() == TextId::SaveChangesIn)
                return saveChanges;
            if (p.buttons == Buttons::Ok)
                return Answer::Ok;
            if (p.buttons == Buttons::OkCancel)
                return yes ? Answer::Ok : Answer::Cancel;
            return yes ? Answer::Yes : Answer::No;
        });
    }

    ChipTransfer transfer(UserInteraction& ui)
    {
        ChipTransfer t(model, ui, texts, dir.path());
        t.serialOptions.dataPhasePauseMs = 50;
        t.saveBeforeTransfer = [this] {
            ++saves;
            ScriptedInteraction yes = ScriptedInteraction::answering(true);
            return SaveProgram(model, yes).result;
        };
        return t;
    }

    QStringList asked(const ScriptedInteraction& ui) const
    {
        QStringList out;
        for (const Prompt& p : ui.asked())
            out << p.render(texts);
        return out;
    }

    QTemporaryDir dir;
    ProgramModel model;
    TextTable texts;
    EmulatorProcess emulator;
    int saves = 0;
    int toolWaitMs = 10000;
};

TEST_F(ChipTransferFlowTest, ParallelWriteHandsTheSavedFileToTheTool)
{
    const Image image = openProgram(QStringLiteral("halle.zpg"), 40);
    model.device.Lpt = 2;
    model.device.Delay = 8;
    model.device.DelayLang = 400;
    ScriptedInteraction ui = user();
    QFile::copy(path(QStringLiteral("halle.zpg")), path(QStringLiteral("card.msg")));   // an old result
    EXPECT_EQ(transfer(ui).ExportToChip(), ChipTransferOutcome::Done);

    EXPECT_EQ(asked(ui), QStringList{QStringLiteral("Zugriff auf Zendrik beendet")});
    EXPECT_EQ(ReadLines(path(QStringLiteral("zendrik.msg"))),
              (QStringList{QStringLiteral("s"), QStringLiteral(" 2 "), QStringLiteral(" 8 "), QStringLiteral(" 400 "),
                           QStringLiteral(" 1 "), QStringLiteral("Datei")}));
    EXPECT_EQ(ReadWholeFile(path(QStringLiteral("Datei"))), ReadWholeFile(path(QStringLiteral("halle.zpg"))));
    EXPECT_EQ(ToImage(ReadWholeFile(eeprom())), image);
}

struct ToolCase {
    int code;
    bool reading;
    QStringList messages;
    ChipTransferOutcome outcome;
};

void PrintTo(const ToolCase& c, std::ostream* os)
{
    *os << "code " << c.code << (c.reading ? " read" : " write");
}

class ToolResultTest : public ChipTransferFlowTest, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(ToolResultTest, ResultCodeGivesItsMessage)
{
    const ToolCase& c = GetParam();
    openProgram(QStringLiteral("halle.zpg"), 12);
    putOnChip(MakeProgramFile(path(QStringLiteral("other.zpg")), kRow731, 30));
    const ProgramSlot before = model.program();
    model.Geaendert = 0;
    model.device.AdapterTool += QStringLiteral(" --result %1 --address 288").arg(c.code);
    ScriptedInteraction ui = user();
    ChipTransfer t = transfer(ui);
    // The tool reports without doing the job: a read leaves no card.dat.
    EXPECT_EQ(t.Transfer(c.reading ? ChipDirection::Read : ChipDirection::Write, true), c.outcome);
    EXPECT_EQ(asked(ui), QStringList{QStringLiteral("Zugriff auf Zendrik beendet")} + c.messages);
    if (c.reading && c.outcome == ChipTransferOutcome::Failed) {
        EXPECT_EQ(model.program().AnzEintrag, before.AnzEintrag);
        EXPECT_EQ(model.program().Dateiname, before.Dateiname);
    }
}

const QString kFailed = QStringLiteral("Zugriff auf Zendrik nicht erfolgreich");

INSTANTIATE_TEST_SUITE_P(
    Codes, ToolResultTest,
    ::testing::Values(
        ToolCase{0, false, {}, ChipTransferOutcome::Done},
        ToolCase{1, false, {QStringLiteral("Kein Programmieradapter an LPT 1 oder Verzögerungsfaktor zu niedrig !"), kFailed},
                 ChipTransferOutcome::Failed},
        ToolCase{2, true, {QStringLiteral("Kein Zendrik im Programmieradapter oder Verzögerungsfaktor zu niedrig !"), kFailed},
                 ChipTransferOutcome::Failed},
        ToolCase{3, false, {}, ChipTransferOutcome::Done},
        ToolCase{4, false, {QStringLiteral("Fehler beim Setzen der Adresse 288evtl. Verzögerungsfaktor erhöhen !"), kFailed},
                 ChipTransferOutcome::Failed},
        ToolCase{5, true, {QStringLiteral("Fehler beim Setzen der Adresse 288evtl. Verzögerungsfaktor erhöhen !"), kFailed},
                 ChipTransferOutcome::Failed},
        ToolCase{6, false, {QStringLiteral("Fehler beim Schreiben in Adresse 288evtl. Verzögerungsfaktor erhöhen !"), kFailed},
                 ChipTransferOutcome::Failed},
        ToolCase{7, true, {QStringLiteral("Fehler beim Senden des Lesebefehls ,evtl. Verzögerungsfaktor erhöhen !"), kFailed},
                 ChipTransferOutcome::Failed},
        // A read the tool calls good, but no card.dat came: the import says so.
        ToolCase{3, true, {QStringLiteral("Datei nicht vorhanden !")}, ChipTransferOutcome::Failed}));

TEST_F(ChipTransferFlowTest, ParallelReadImportsUnderTheNextFreeName)
{
    openProgram(QStringLiteral("halle.zpg"), 12);
    const Image chip = MakeProgramFile(path(QStringLiteral("other.zpg")), kRow731, 30);
    putOnChip(chip);
    QFile::copy(path(QStringLiteral("other.zpg")), path(QStringLiteral("SzTab1.zpg")));
    ScriptedInteraction ui = user();
    EXPECT_EQ(transfer(ui).ImportFromChip(), ChipTransferOutcome::Done);

    EXPECT_EQ(asked(ui), QStringList{QStringLiteral("Zugriff auf Zendrik beendet")});
    EXPECT_EQ(ReadLines(path(QStringLiteral("zendrik.msg"))).first(), QStringLiteral("l"));
    EXPECT_EQ(ImageOfFile(path(QStringLiteral("card.dat")), 2048), chip);
    const ProgramSlot& s = model.program();
    EXPECT_EQ(s.AnzEintrag, 30);
    EXPECT_EQ(s.Verwendung, QStringLiteral("unbekannt"));
    EXPECT_EQ(s.Dateiname, path(QStringLiteral("SzTab2.zpg")));
    EXPECT_EQ(model.Geaendert, 1);
    EXPECT_EQ(model.AktSlot, kProgramSlot);
}

TEST_F(ChipTransferFlowTest, MissingResultFileFailsAndKeepsTheProgram)
{
    openProgram(QStringLiteral("halle.zpg"), 12);
    model.Geaendert = 1;
    model.device.AdapterTool += QStringLiteral(" --no-result");
    toolWaitMs = 1500;
    ScriptedInteraction ui = user(true, Answer::No);
    EXPECT_EQ(transfer(ui).ImportFromChip(), ChipTransferOutcome::Failed);
    EXPECT_EQ(asked(ui), (QStringList{QStringLiteral("Änderungen speichern in %1 ?").arg(path(QStringLiteral("halle.zpg"))),
                                      QStringLiteral("Zugriff auf Zendrik beendet"), kFailed}));
    EXPECT_EQ(model.program().AnzEintrag, 12);
    EXPECT_EQ(model.program().Dateiname, path(QStringLiteral("halle.zpg")));
    // The user's changes are still unsaved.
    EXPECT_EQ(model.Geaendert, 1);
    EXPECT_EQ(saves, 0);
}

TEST_F(ChipTransferFlowTest, ToolThatCannotStartIsReported)
{
    openProgram(QStringLiteral("halle.zpg"), 3);
    model.device.AdapterTool = path(QStringLiteral("no-such-tool"));
    ScriptedInteraction ui = user();
    EXPECT_EQ(transfer(ui).ExportToChip(), ChipTransferOutcome::Failed);
    ASSERT_EQ(ui.asked().size(), 1u);
    EXPECT_TRUE(asked(ui).first().startsWith(kFailed + QStringLiteral(" (")));
}

TEST_F(ChipTransferFlowTest, QuestionsBeforeWritingCanStopIt)
{
    // An empty program: asked whether to go on; Cancel writes nothing.
    ScriptedInteraction no = user(false);
    EXPECT_EQ(transfer(no).ExportToChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(asked(no), QStringList{QStringLiteral("Keine Daten vorhanden ! Trotzdem fortfahren ?")});
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("zendrik.msg"))));
    EXPECT_EQ(model.LeerSpeichern, 0);

    // A changed program must be saved first; a save that does not happen stops.
    openProgram(QStringLiteral("halle.zpg"), 3);
    model.Geaendert = 1;
    ScriptedInteraction yes = user();
    ChipTransfer t = transfer(yes);
    t.saveBeforeTransfer = [] { return 0; };
    EXPECT_EQ(t.ExportToChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(asked(yes), QStringList{QStringLiteral("Nur gespeicherte Daten können exportiert werden. Jetzt speichern ?")});

    // The astro device without astro times asks once more.
    StartNewProgram(model, 19, QStringLiteral("unbekannt"), path(QStringLiteral("astro.zpg")));
    model.program().AnzSz = model.program().AnzEintrag = 1;
    ScriptedInteraction noAstro = user(false);
    EXPECT_EQ(transfer(noAstro).ExportToChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(asked(noAstro), QStringList{QStringLiteral("Keine Astrozeiten vorhanden ! Trotzdem exportieren ?")});
}

TEST_F(ChipTransferFlowTest, ImportCancelledOrSavedFirst)
{
    openProgram(QStringLiteral("halle.zpg"), 3);
    model.Geaendert = 1;
    ScriptedInteraction cancel = user(true, Answer::Cancel);
    EXPECT_EQ(transfer(cancel).ImportFromChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(cancel.asked().size(), 1u);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("zendrik.msg"))));

    ScriptedInteraction yes = user(true, Answer::Yes);
    ChipTransfer t = transfer(yes);
    t.saveBeforeTransfer = [this] {
        ++saves;
        return 0;
    };
    EXPECT_EQ(t.ImportFromChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(saves, 1);
}

struct Labels : TransferObserver {
    QStringList shown;
    TextTable texts;
    bool ended = false;
    void labelChanged(const Prompt& label) override { shown << label.render(texts); }
    void transferEnded() override { ended = true; }
};

TEST_F(ChipTransferFlowTest, SerialWriteThenReadThroughComOne)
{
    START_EMULATOR(emulator, eeprom());
    const Image image = openProgram(QStringLiteral("halle.zpg"), 90);
    model.Geaendert = 1;
    model.device.Lpt = 4;
    model.device.SerialPort1 = emulator.devicePath();
    model.device.SerialPort2 = path(QStringLiteral("not-this-one"));
    Labels labels;
    ScriptedInteraction ui = user();
    ChipTransfer t = transfer(ui);
    t.observer = &labels;
    EXPECT_EQ(t.ExportToChip(), ChipTransferOutcome::Done);
    // A good serial transfer says nothing; the save question came first.
    EXPECT_EQ(asked(ui), QStringList{QStringLiteral("Nur gespeicherte Daten können exportiert werden. Jetzt speichern ?")});
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(ReadLines(path(QStringLiteral("zendrik.msg"))).last(), path(QStringLiteral("halle.zpg")));
    const Image saved = ImageOfFile(path(QStringLiteral("halle.zpg")), 2048);
    EXPECT_EQ(ToImage(ReadWholeFile(eeprom())), saved);
    EXPECT_EQ(labels.shown, (QStringList{QStringLiteral("schreibe in Zendrik :halle.zpg  über COM 1"),
                                         QStringLiteral("lese Zendrik über COM 1")}));
    EXPECT_TRUE(labels.ended);
    (void)image;

    ScriptedInteraction reader = user();
    EXPECT_EQ(transfer(reader).ImportFromChip(), ChipTransferOutcome::Done);
    EXPECT_TRUE(reader.asked().empty());
    EXPECT_EQ(model.program().AnzEintrag, 90);
    EXPECT_EQ(model.program().Dateiname, path(QStringLiteral("SzTab1.zpg")));
    EXPECT_EQ(model.Geaendert, 1);
}

TEST_F(ChipTransferFlowTest, FailedSerialReadKeepsTheProgram)
{
    START_EMULATOR(emulator, eeprom(), QStringLiteral("--fault"), QStringLiteral("no-chip"));
    openProgram(QStringLiteral("halle.zpg"), 25);
    model.device.Lpt = 5;
    model.device.SerialPort2 = emulator.devicePath();
    ScriptedInteraction ui = user();
    EXPECT_EQ(transfer(ui).ImportFromChip(), ChipTransferOutcome::Failed);
    EXPECT_EQ(asked(ui), (QStringList{QStringLiteral("Keine Zendrik im Programmieradapter"), kFailed}));
    EXPECT_EQ(model.program().AnzEintrag, 25);
    EXPECT_EQ(model.program().Dateiname, path(QStringLiteral("halle.zpg")));
    EXPECT_EQ(model.Geaendert, 0);
}

} // namespace
