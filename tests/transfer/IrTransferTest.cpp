#include "tests/transfer/TransferTestSupport.h"

#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "model/UserInteraction.h"
#include "transfer/ir/IrTransfer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

const QString kSucceeded = u"Übertragung erfolgreich beendet"_s;
const QString kFailed = u"Übertragung fehlgeschlagen ! Verbindung ok ? Uhr im Automodus ?"_s;
const QString kNoResponse = u"keine Rückmeldung von IR-Übertragung"_s;

class IrTransferTest : public ProgramInFolder {
protected:
    void SetUp() override
    {
        ProgramInFolder::SetUp();
        useTool();
    }

    QString device() const { return path(u"device.zpg"_s); }
    void useTool(const QString& faults = QString())
    {
        model.device.IrTool = u"\"%1\" --device \"%2\" %3"_s.arg(QStringLiteral(ZENDRIK_IR_TOOL), device(), faults);
    }

    IrOutcome run(IrModus mode, UserInteraction& ui, int timeoutMs = 20000)
    {
        IrTransfer t(model, ui, texts, dir.path());
        t.settleMs = 20;
        t.timeoutMs = timeoutMs;
        t.saveBeforeTransfer = [this] {
            ++saves;
            ScriptedInteraction yes = ScriptedInteraction::answering(true);
            return saveWorks ? SaveProgram(model, yes).result : 0;
        };
        const auto start = t.startTool;
        t.startTool = [&](const QString& cmd, const QString& wd, QString* error) {
            ++starts;
            return start(cmd, wd, error);
        };
        IrJob job;
        job.mode = mode;
        job.port = 2;
        job.source = IrClockSource::Typed;
        job.time = QTime(10, 11, 12);
        job.date = QDate(2027, 4, 5);
        return t.Run(job);
    }

    int saves = 0;
    int starts = 0;
    bool saveWorks = true;
};

TEST_F(IrTransferTest, ProgrammingSendsTheSavedProgramAndSavesAChangedOneFirst)
{
    openProgram(25);
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
    EXPECT_EQ(run(IrModus::Program, ui), IrOutcome::Succeeded);
    EXPECT_EQ(asked(ui), QStringList{kSucceeded});
    EXPECT_EQ(saves, 0); // unchanged: the file is what it was
    EXPECT_EQ(readFile(device()), readFile(path(u"halle.zpg"_s)));
    EXPECT_EQ(ReadLines(path(u"2irprot.msg"_s)),
              (QStringList{"s", " 5", " 20", " 400", " 1", "exchg.dat", "UZ0", "00 00 00", "01 01 2001", "1"}));

    // The user deleted entries: a save that does not happen starts nothing ...
    model.program().AnzSz = model.program().AnzEintrag = 3;
    model.Geaendert = 1;
    saveWorks = false;
    QFile::remove(path(u"2irprot.msg"_s));
    EXPECT_EQ(run(IrModus::Program, ui), IrOutcome::Cancelled);
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(QFile::exists(path(u"2irprot.msg"_s)));
    EXPECT_EQ(readFile(device()), readFile(path(u"halle.zpg"_s)));
    // ... one that does sends the saved program, never an exchange file of an earlier job.
    saveWorks = true;
    ASSERT_TRUE(writeFile(path(u"exchg.dat"_s), readFile(path(u"halle.zpg"_s))));
    EXPECT_EQ(run(IrModus::Program, ui), IrOutcome::Succeeded);
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(model.Geaendert, 0);
    ProgramModel sent;
    sent.device = model.device;
    ASSERT_EQ(LoadProgram(sent, device(), kProgramSlot), LoadOk);
    EXPECT_EQ(sent.program().AnzEintrag, 3);
}

TEST_F(IrTransferTest, ReadImportsTheDeviceProgramByteForByte)
{
    const Image onDevice = MakeProgramFile(device(), kRow, 40);
    ProgramModel expected;
    expected.device = model.device;
    ASSERT_EQ(LoadProgram(expected, device(), kProgramSlot), LoadOk);
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
    EXPECT_EQ(run(IrModus::Read, ui), IrOutcome::Succeeded);
    EXPECT_EQ(asked(ui), QStringList{kSucceeded});
    EXPECT_EQ(model.program().Dateiname, path(u"SzTab1.zpg"_s));
    EXPECT_EQ(model.Geaendert, 1);
    EXPECT_EQ(model.program().Verwendung, u"Halle 3"_s);
    expected.program().Dateiname = model.program().Dateiname;
    EXPECT_EQ(model.program(), expected.program());
    // Saved again it is the device's image.
    ScriptedInteraction yes = ScriptedInteraction::answering(true);
    model.clock = [] { return QDateTime(QDate(2026, 3, 14), QTime(9, 26)); };
    ASSERT_EQ(SaveProgram(model, yes).result, 1);
    EXPECT_EQ(ImageOfFile(path(u"SzTab1.zpg"_s), 2048), onDevice);
}

TEST_F(IrTransferTest, ReadAsksToSaveChangesFirst)
{
    openProgram(12);
    model.Geaendert = 1;
    MakeProgramFile(device(), kRow, 40);
    ScriptedInteraction cancel([](const Prompt& p) { return p.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel; });
    EXPECT_EQ(run(IrModus::Read, cancel), IrOutcome::Cancelled);
    EXPECT_EQ(asked(cancel), QStringList{u"Änderungen speichern in "_s + path(u"halle.zpg"_s) + u" ?"_s});
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(model.program().AnzEintrag, 12);

    ScriptedInteraction yes = ScriptedInteraction::answering(true);
    EXPECT_EQ(run(IrModus::Read, yes), IrOutcome::Succeeded);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(model.program().AnzEintrag, 40);
}

struct CodeCase {
    const char* faults;
    IrModus mode;
    IrOutcome outcome;
    QString message;
    bool staleExchange = false; // an exchange file of an earlier job lies in the folder
};

void PrintTo(const CodeCase& c, std::ostream* os)
{
    *os << c.faults << " mode " << static_cast<int>(c.mode);
}

class IrResultCode : public IrTransferTest, public ::testing::WithParamInterface<CodeCase> { };

TEST_P(IrResultCode, DecidesTheOneMessage)
{
    // Whatever the tool does, the open program stays as it was.
    openProgram(8);
    MakeProgramFile(device(), kRow, 20);
    if (GetParam().staleExchange)
        MakeProgramFile(path(u"exchg.dat"_s), kRow, 40);
    useTool(QString::fromLatin1(GetParam().faults));
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
    EXPECT_EQ(run(GetParam().mode, ui, 1500), GetParam().outcome);
    EXPECT_EQ(asked(ui), QStringList{GetParam().message});
    EXPECT_EQ(model.program().AnzEintrag, 8);
    EXPECT_EQ(model.program().Dateiname, path(u"halle.zpg"_s));
    EXPECT_EQ(model.Geaendert, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tool, IrResultCode,
    ::testing::Values(CodeCase{"--no-device", IrModus::Read, IrOutcome::Failed, kFailed},
                      CodeCase{"--not-auto", IrModus::Program, IrOutcome::Failed, kFailed},
                      CodeCase{"--result 7", IrModus::SetTime, IrOutcome::Failed, kFailed},
                      CodeCase{"--result -1", IrModus::Read, IrOutcome::Failed, kFailed},
                      CodeCase{"--no-result", IrModus::SetTime, IrOutcome::NoResponse, kNoResponse},
                      CodeCase{"--no-result", IrModus::Read, IrOutcome::NoResponse, kNoResponse},
                      CodeCase{"--delay-ms 4000", IrModus::Program, IrOutcome::NoResponse, kNoResponse},
                      CodeCase{"--delay-ms 300", IrModus::SetTime, IrOutcome::Succeeded, kSucceeded},
                      // A damaged exchange file is refused.
                      CodeCase{"--damaged", IrModus::Read, IrOutcome::Failed, u"Keine gültige Datei !"_s},
                      // The tool claims success but hands nothing over: the old exchange file is never imported.
                      CodeCase{"--result 0", IrModus::Read, IrOutcome::Failed, u"Datei nicht vorhanden !"_s, true}));

TEST_F(IrTransferTest, SetTimeHandsTheTimeToTheDevice)
{
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
    EXPECT_EQ(run(IrModus::SetTime, ui), IrOutcome::Succeeded);
    EXPECT_EQ(ReadLines(device() + u".clock"_s), QStringList{u"10:11:12 05.04.2027 UZ2"_s});
    EXPECT_EQ(ReadLines(path(u"2irprot.msg"_s)),
              (QStringList{"u", " 5", " 20", " 400", " 1", "exchg.dat", "UZ2", "10 11 12", "05 04 2027", "1"}));
}

TEST_F(IrTransferTest, AResultThatCannotBeDeletedIsReportedOnce)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"irtrans.msg/inside"_s));
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
    EXPECT_EQ(run(IrModus::SetTime, ui), IrOutcome::NotStarted);
    ASSERT_EQ(ui.asked().size(), 1u);
    EXPECT_TRUE(asked(ui).first().startsWith(path(u"irtrans.msg"_s) + u" lässt sich nicht löschen"_s))
        << asked(ui).first().toStdString();
    EXPECT_EQ(starts, 0);
}

TEST_F(IrTransferTest, AToolThatCannotStartIsNamed)
{
    model.device.IrTool = path(u"no-such-tool"_s);
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
    EXPECT_EQ(run(IrModus::SetTime, ui), IrOutcome::NotStarted);
    ASSERT_EQ(ui.asked().size(), 1u);
    EXPECT_TRUE(asked(ui).first().contains(u"no-such-tool"_s));
    model.device.IrTool = u"  "_s;
    ScriptedInteraction again = ScriptedInteraction::answering(true);
    EXPECT_EQ(run(IrModus::SetTime, again), IrOutcome::NotStarted);
    EXPECT_TRUE(asked(again).first().contains(u"Geräteeigenschaften"_s));
}

} // namespace
