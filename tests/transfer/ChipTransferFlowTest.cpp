#include "tests/transfer/TransferTestSupport.h"

#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "transfer/chip/ChipTransfer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

const QString kFinished = u"Zugriff auf Zendrik beendet"_s;
// A failure is one box: the reason, then this line.
const QString kFailed = u"Zugriff auf Zendrik nicht erfolgreich"_s;

class ChipTransferFlowTest : public ProgramInFolder {
protected:
    void SetUp() override
    {
        ProgramInFolder::SetUp();
        model.device.AdapterTool = u"\"%1\" --eeprom \"%2\""_s.arg(QStringLiteral(ZENDRIK_ADAPTER_TOOL), eeprom());
    }
    QString eeprom() const { return path(u"chip.bin"_s); }
    // A chip holding another program of 30 entries.
    Image putOtherProgramOnChip()
    {
        const Image image = MakeProgramFile(path(u"other.zpg"_s), kRow, 30);
        EXPECT_TRUE(writeFile(eeprom(), QByteArray(reinterpret_cast<const char*>(image.data()), 2048)));
        return image;
    }
    // A user who confirms "finished" once the tool is done and says `yes` to every question.
    ScriptedInteraction user(bool yes = true, Answer saveChanges = Answer::Yes)
    {
        return ScriptedInteraction([this, yes, saveChanges](const Prompt& p) {
            if (p.key() == TextId::ChipAccessFinished) {
                QElapsedTimer t;
                t.start();
                while (!QFile::exists(path(u"card.msg"_s)) && t.elapsed() < toolWaitMs) QThread::msleep(20);
                return Answer::Ok;
            }
            if (p.key() == TextId::SaveChangesIn) return saveChanges;
            if (p.buttons == Buttons::Ok) return Answer::Ok;
            if (p.buttons == Buttons::OkCancel) return yes ? Answer::Ok : Answer::Cancel;
            return yes ? Answer::Yes : Answer::No;
        });
    }
    ChipTransfer transfer(UserInteraction& ui, bool saveWorks = true)
    {
        ChipTransfer t(model, ui, texts, dir.path());
        t.serialOptions.dataPhasePauseMs = 50;
        t.saveBeforeTransfer = [this, saveWorks] {
            ++saves;
            ScriptedInteraction yes = ScriptedInteraction::answering(true);
            return saveWorks ? SaveProgram(model, yes).result : 0;
        };
        return t;
    }
    void expectProgramKept(int entries, int geaendert)
    {
        EXPECT_EQ(std::tuple(model.program().AnzEintrag, model.program().Dateiname, model.Geaendert), std::tuple(entries, path(u"halle.zpg"_s), geaendert));
    }

    EmulatorProcess emulator;
    int saves = 0;
    int toolWaitMs = 10000;
};

TEST_F(ChipTransferFlowTest, ParallelWriteHandsTheSavedFileToTheToolAndReadImportsUnderTheNextFreeName)
{
    const Image image = openProgram(40);
    model.device.Lpt = 2;
    model.device.Delay = 8;
    model.device.DelayLang = 400;
    ScriptedInteraction ui = user();
    QFile::copy(path(u"halle.zpg"_s), path(u"card.msg"_s)); // an old result, deleted before the tool starts
    EXPECT_EQ(transfer(ui).ExportToChip(), ChipTransferOutcome::Done);
    EXPECT_EQ(asked(ui), QStringList{kFinished});
    EXPECT_EQ(ReadLines(path(u"zendrik.msg"_s)), (QStringList{"s", " 2 ", " 8 ", " 400 ", " 1 ", "Datei"}));
    EXPECT_EQ(readFile(path(u"Datei"_s)), readFile(path(u"halle.zpg"_s)));
    EXPECT_EQ(ToImage(readFile(eeprom())), image);
    // Read back while SzTab1.zpg is taken.
    QFile::copy(path(u"halle.zpg"_s), path(u"SzTab1.zpg"_s));
    ScriptedInteraction reading = user();
    EXPECT_EQ(transfer(reading).ImportFromChip(), ChipTransferOutcome::Done);
    EXPECT_EQ(asked(reading), QStringList{kFinished});
    EXPECT_EQ(ReadLines(path(u"zendrik.msg"_s)).first(), u"l"_s);
    EXPECT_EQ(ImageOfFile(path(u"card.dat"_s), 2048), image);
    EXPECT_EQ(std::tuple(model.program().AnzEintrag, model.program().Verwendung, model.program().Dateiname, model.Geaendert, model.AktSlot),
              std::tuple(40, u"unbekannt"_s, path(u"SzTab2.zpg"_s), 1, kProgramSlot));
}

TEST_F(ChipTransferFlowTest, ToolResultCodeGivesItsMessage)
{
    const QString kSetAddress = u"Fehler beim Setzen der Adresse 288evtl. Verzögerungsfaktor erhöhen !"_s;
    // reason: empty when done
    const struct {
        int code;
        bool reading;
        QString reason;
    } cases[] = {
        {0, false, {}},
        {3, false, {}},
        {8, false, {}},
        {1, false, u"Kein Programmieradapter an LPT 1 oder Verzögerungsfaktor zu niedrig !"_s},
        {2, true, u"Kein Zendrik im Programmieradapter oder Verzögerungsfaktor zu niedrig !"_s},
        {4, false, kSetAddress},
        {5, true, kSetAddress},
        {6, false, u"Fehler beim Schreiben in Adresse 288evtl. Verzögerungsfaktor erhöhen !"_s},
        {7, true, u"Fehler beim Senden des Lesebefehls ,evtl. Verzögerungsfaktor erhöhen !"_s},
        // A read the tool calls good, but no card.dat came: the import says so, in a box of its own.
        {3, true, u"Datei nicht vorhanden !"_s},
    };
    openProgram(12);
    putOtherProgramOnChip();
    const QString tool = model.device.AdapterTool;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        // The tool reports without doing the job: a read leaves no card.dat.
        model.device.AdapterTool = tool + u" --result %1 --address 288"_s.arg(c.code);
        ScriptedInteraction ui = user();
        EXPECT_EQ(transfer(ui).Transfer(c.reading ? ChipDirection::Read : ChipDirection::Write, true),
                  c.reason.isEmpty() ? ChipTransferOutcome::Done : ChipTransferOutcome::Failed);
        const QString message = c.reading && c.code == 3 ? c.reason : c.reason + u"\n"_s + kFailed;
        EXPECT_EQ(asked(ui), QStringList{kFinished} + (c.reason.isEmpty() ? QStringList() : QStringList{message}));
        expectProgramKept(12, 0);
        QFile::remove(path(u"card.dat"_s));
    }
}

TEST_F(ChipTransferFlowTest, MissingResultFileOrToolFailsAndKeepsTheProgram)
{
    openProgram(12);
    model.Geaendert = 1;
    model.device.AdapterTool += u" --no-result"_s;
    toolWaitMs = 1500;
    ScriptedInteraction ui = user(true, Answer::No);
    EXPECT_EQ(transfer(ui).ImportFromChip(), ChipTransferOutcome::Failed);
    EXPECT_EQ(asked(ui), (QStringList{u"Änderungen speichern in %1 ?"_s.arg(path(u"halle.zpg"_s)), kFinished, kFailed}));
    expectProgramKept(12, 1); // the user's changes are still unsaved
    EXPECT_EQ(saves, 0);

    model.Geaendert = 0;
    model.device.AdapterTool = path(u"no-such-tool"_s);
    ScriptedInteraction noTool = user();
    EXPECT_EQ(transfer(noTool).ExportToChip(), ChipTransferOutcome::Failed);
    ASSERT_EQ(noTool.asked().size(), 1u);
    EXPECT_TRUE(asked(noTool).first().startsWith(kFailed + u" ("_s));
}

TEST_F(ChipTransferFlowTest, QuestionsBeforeTransferCanStopIt)
{
    // An empty program: asked whether to go on; Cancel writes nothing.
    ScriptedInteraction no = user(false);
    EXPECT_EQ(transfer(no).ExportToChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(asked(no), QStringList{u"Keine Daten vorhanden ! Trotzdem fortfahren ?"_s});
    EXPECT_EQ(model.LeerSpeichern, 0);
    // A changed program must be saved first; a save that does not happen stops.
    openProgram(3);
    model.Geaendert = 1;
    ScriptedInteraction yes = user();
    ChipTransfer t = transfer(yes, false);
    EXPECT_EQ(t.ExportToChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(asked(yes), QStringList{u"Nur gespeicherte Daten können exportiert werden. Jetzt speichern ?"_s});
    EXPECT_EQ(t.ImportFromChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(saves, 2);
    ScriptedInteraction cancel = user(true, Answer::Cancel);
    EXPECT_EQ(transfer(cancel).ImportFromChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(cancel.asked().size(), 1u);
    EXPECT_FALSE(QFile::exists(path(u"zendrik.msg"_s)));
    // The astro device without astro times asks once more.
    StartNewProgram(model, 19, u"unbekannt"_s, path(u"astro.zpg"_s));
    model.program().AnzSz = model.program().AnzEintrag = 1;
    ScriptedInteraction noAstro = user(false);
    EXPECT_EQ(transfer(noAstro).ExportToChip(), ChipTransferOutcome::Cancelled);
    EXPECT_EQ(asked(noAstro), QStringList{u"Keine Astrozeiten vorhanden ! Trotzdem exportieren ?"_s});
}

TEST_F(ChipTransferFlowTest, FailedSerialReadKeepsTheProgram)
{
    START_EMULATOR(emulator, eeprom(), "--fault", "no-chip");
    openProgram(25);
    model.device.Lpt = 5;
    model.device.SerialPort2 = emulator.devicePath();
    ScriptedInteraction ui = user();
    EXPECT_EQ(transfer(ui).ImportFromChip(), ChipTransferOutcome::Failed);
    EXPECT_EQ(asked(ui), (QStringList{u"Keine Zendrik im Programmieradapter\n"_s + kFailed}));
    expectProgramKept(25, 0);
}

} // namespace
