#include "tests/transfer/TransferTestSupport.h"

#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "transfer/ir/IrTransfer.h"

#include <QDir>
#include <QFile>

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
    void useTool(const QString& faults = QString()) { model.device.IrTool = u"\"%1\" --device \"%2\" %3"_s.arg(QStringLiteral(ZENDRIK_IR_TOOL), device(), faults); }
    // Runs a job on port 2 with a typed time, answering yes (or cancel); the prompts shown, as the user reads them, in `shown`.
    IrOutcome run(IrModus mode, int timeoutMs = 20000, bool cancel = false)
    {
        ScriptedInteraction ui = cancel ? ScriptedInteraction([](const Prompt& p) { return p.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel; })
                                        : ScriptedInteraction::answering(true);
        IrTransfer t(model, ui, texts, dir.path());
        t.settleMs = 20;
        t.timeoutMs = timeoutMs;
        t.saveBeforeTransfer = [this] {
            ++saves;
            ScriptedInteraction yes = ScriptedInteraction::answering(true);
            return saveWorks ? SaveProgram(model, yes).result : 0;
        };
        const auto start = t.startTool;
        t.startTool = [&](const QString& cmd, const QString& wd, QString* error) { return ++starts, start(cmd, wd, error); };
        const IrOutcome outcome = t.Run({mode, 2, IrClockSource::Typed, QTime(10, 11, 12), QDate(2027, 4, 5)});
        shown = asked(ui);
        return outcome;
    }
    QStringList job() const { return ReadLines(path(u"2irprot.msg"_s)); }

    QStringList shown;
    int saves = 0;
    int starts = 0;
    bool saveWorks = true;
};

TEST_F(IrTransferTest, ProgrammingSendsTheSavedProgramAndSavesAChangedOneFirstThenTheTimeIsSet)
{
    openProgram(25);
    EXPECT_EQ(run(IrModus::Program), IrOutcome::Succeeded);
    EXPECT_EQ(shown, QStringList{kSucceeded});
    EXPECT_EQ(saves, 0); // unchanged: the file is what it was
    EXPECT_EQ(readFile(device()), readFile(path(u"halle.zpg"_s)));
    EXPECT_EQ(job(), (QStringList{"s", " 5", " 20", " 400", " 1", "exchg.dat", "UZ0", "00 00 00", "01 01 2001", "1"}));
    // The user deleted entries: a save that does not happen starts nothing ...
    model.program().AnzSz = model.program().AnzEintrag = 3;
    model.Geaendert = 1;
    saveWorks = false;
    QFile::remove(path(u"2irprot.msg"_s));
    EXPECT_EQ(run(IrModus::Program), IrOutcome::Cancelled);
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(QFile::exists(path(u"2irprot.msg"_s)));
    EXPECT_EQ(readFile(device()), readFile(path(u"halle.zpg"_s)));
    // ... one that does sends the saved program, never an exchange file of an earlier job.
    saveWorks = true;
    ASSERT_TRUE(writeFile(path(u"exchg.dat"_s), readFile(path(u"halle.zpg"_s))));
    EXPECT_EQ(run(IrModus::Program), IrOutcome::Succeeded);
    EXPECT_EQ(std::pair(saves, model.Geaendert), std::pair(2, 0));
    ProgramModel sent;
    sent.device = model.device;
    ASSERT_EQ(LoadProgram(sent, device(), kProgramSlot), LoadOk);
    EXPECT_EQ(sent.program().AnzEintrag, 3);
    // Setting the time hands the typed time to the device.
    EXPECT_EQ(run(IrModus::SetTime), IrOutcome::Succeeded);
    EXPECT_EQ(ReadLines(device() + u".clock"_s), QStringList{u"10:11:12 05.04.2027 UZ2"_s});
    EXPECT_EQ(job(), (QStringList{"u", " 5", " 20", " 400", " 1", "exchg.dat", "UZ2", "10 11 12", "05 04 2027", "1"}));
}

TEST_F(IrTransferTest, ReadImportsTheDeviceProgramByteForByteAfterAskingToSaveChanges)
{
    openProgram(12);
    model.Geaendert = 1;
    const Image onDevice = MakeProgramFile(device(), kRow, 40);
    ProgramModel expected;
    expected.device = model.device;
    ASSERT_EQ(LoadProgram(expected, device(), kProgramSlot), LoadOk);
    const QString saveChanges = u"Änderungen speichern in "_s + path(u"halle.zpg"_s) + u" ?"_s;
    EXPECT_EQ(run(IrModus::Read, 20000, true), IrOutcome::Cancelled);
    EXPECT_EQ(shown, QStringList{saveChanges});
    EXPECT_EQ(std::pair(starts, model.program().AnzEintrag), std::pair(0, 12));

    EXPECT_EQ(run(IrModus::Read), IrOutcome::Succeeded);
    EXPECT_EQ(shown, (QStringList{saveChanges, kSucceeded}));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(std::tuple(model.program().Dateiname, model.Geaendert, model.program().Verwendung), std::tuple(path(u"SzTab1.zpg"_s), 1, u"Halle 3"_s));
    expected.program().Dateiname = model.program().Dateiname;
    EXPECT_EQ(model.program(), expected.program());
    // Saved again it is the device's image.
    ScriptedInteraction yes = ScriptedInteraction::answering(true);
    ASSERT_EQ(SaveProgram(model, yes).result, 1);
    EXPECT_EQ(ImageOfFile(path(u"SzTab1.zpg"_s), 2048), onDevice);
}

TEST_F(IrTransferTest, TheToolsResultDecidesTheOneMessage)
{
    // staleExchange: an exchange file of an earlier job lies in the folder
    const struct {
        const char* faults;
        IrModus mode;
        IrOutcome outcome;
        QString message;
        bool staleExchange = false;
    } cases[] = {
        {"--no-device", IrModus::Read, IrOutcome::Failed, kFailed},
        {"--not-auto", IrModus::Program, IrOutcome::Failed, kFailed},
        {"--result 7", IrModus::SetTime, IrOutcome::Failed, kFailed},
        {"--result -1", IrModus::Read, IrOutcome::Failed, kFailed},
        {"--no-result", IrModus::SetTime, IrOutcome::NoResponse, kNoResponse},
        {"--no-result", IrModus::Read, IrOutcome::NoResponse, kNoResponse},
        {"--delay-ms 4000", IrModus::Program, IrOutcome::NoResponse, kNoResponse},
        {"--delay-ms 300", IrModus::SetTime, IrOutcome::Succeeded, kSucceeded},
        {"--damaged", IrModus::Read, IrOutcome::Failed, u"Keine gültige Datei !"_s},
        // The tool claims success but hands nothing over: the old exchange file is never imported.
        {"--result 0", IrModus::Read, IrOutcome::Failed, u"Datei nicht vorhanden !"_s, true},
    };
    // Whatever the tool does, the open program stays as it was.
    openProgram(8);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.faults);
        MakeProgramFile(device(), kRow, 20);
        QFile::remove(path(u"exchg.dat"_s));
        if (c.staleExchange) MakeProgramFile(path(u"exchg.dat"_s), kRow, 40);
        useTool(QString::fromLatin1(c.faults));
        EXPECT_EQ(run(c.mode, 1500), c.outcome);
        EXPECT_EQ(shown, QStringList{c.message});
        EXPECT_EQ(std::tuple(model.program().AnzEintrag, model.program().Dateiname, model.Geaendert), std::tuple(8, path(u"halle.zpg"_s), 0));
    }
}

TEST_F(IrTransferTest, NothingStartsWhenTheResultCannotBeDeletedOrTheToolCannotStart)
{
    // Each reported once, naming what is wrong.
    const QString resultFolder = path(u"irtrans.msg"_s);
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"irtrans.msg/inside"_s));
    EXPECT_EQ(run(IrModus::SetTime), IrOutcome::NotStarted);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith(resultFolder + u" lässt sich nicht löschen"_s)) << shown.first().toStdString();
    EXPECT_EQ(starts, 0);
    ASSERT_TRUE(QDir(resultFolder).removeRecursively());
    for (const auto& [tool, named] : {std::pair(path(u"no-such-tool"_s), u"no-such-tool"_s), std::pair(u"  "_s, u"Geräteeigenschaften"_s)}) {
        model.device.IrTool = tool;
        EXPECT_EQ(run(IrModus::SetTime), IrOutcome::NotStarted);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown.first().contains(named)) << shown.first().toStdString();
    }
}

} // namespace
