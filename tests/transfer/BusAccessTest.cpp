// The bus access actions against the simulated bus: search, program, read and reinstall, every fault an
// emulated time switch or the line can show, and the log of one clean write.

#include "tests/transfer/TransferTestSupport.h"

#include "transfer/bus/BusApplication.h"
#include "transfer/bus/BusErrors.h"
#include "transfer/sim/EmulatedTimeSwitch.h"

#include <QFile>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr quint16 kDevice = 0x1105; // 1.1.5

QByteArray busWith(const QByteArray& deviceLines, const QByteArray& bcuLines = QByteArray())
{
    return "[bus]\npacing = off\n[bcu]\naddress-table-length = 5\n" + bcuLines + "[device 1.1.5]\n" + deviceLines;
}

std::string logOf(const BusFixture& f) { return f.logLines().join('\n').toStdString(); }

// The entries and the table the device keeps, as the program has them.
void expectDeviceHolds(SimulatedBus& bus, const ProgramSlot& s)
{
    EmulatedTimeSwitch* d = bus.device(kDevice);
    ASSERT_NE(d, nullptr);
    std::vector<std::array<quint8, 6>> entries;
    for (int i = 0; i < s.AnzEintrag; ++i) {
        const auto& b = s.Eintrag[std::size_t(i)].b;
        entries.push_back({quint8(b[0]), quint8(b[1]), quint8(b[2]), quint8(b[3]), quint8(b[4]), quint8(b[5])});
    }
    EXPECT_EQ(d->entries, entries);
    EXPECT_EQ(d->sowiYear, s.SoWiJahr);
    for (std::size_t r = 0; r < 20; ++r)
        for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(d->rows[r].b[k], int(r) < s.AnzSoWi ? s.SoWiTab[r].b[k] : 0xFF);
}

// A clean write of each family, and line troubles a write recovers from by itself: the device ends up holding the
// program, each command stored once, and a later read gives it back byte for byte. `deletes`: how often the entries
// were deleted and started again; `repetitions`: telegrams the line repeated; `commands`: those the device took (-1: not counted).
struct WriteCase {
    const char* name;
    int family;
    QByteArray device, bcu;
    int deletes, repetitions, commands;
    const char* logLine;
};

class BusWriteReadTest : public ::testing::TestWithParam<WriteCase> { };

TEST_P(BusWriteReadTest, WhatIsWrittenIsReadBackByteForByte)
{
    const WriteCase& c = GetParam();
    ProgramModel program = c.family == 738 ? canonical738() : canonical731();
    ASSERT_GT(program.program().AnzEintrag, 3);
    ASSERT_GT(program.program().AnzSoWi, 0);
    BusFixture f(busWith(c.device, c.bcu), program);
    const QByteArray original = f.bus->device(kDevice)->application();
    const BusActionResult w = f.access->Program(kDevice);
    ASSERT_EQ(w.code, 0) << logOf(f);
    EXPECT_FALSE(w.restorePending);
    EXPECT_TRUE(f.ui.asked().empty());
    expectDeviceHolds(*f.bus, program.program());
    EXPECT_EQ(std::pair(int(f.logLines().count(QStringLiteral("lösche Schaltzeiten "))), f.bus->repetitions()), std::pair(c.deletes, c.repetitions));
    if (c.commands >= 0) { EXPECT_EQ(f.bus->device(kDevice)->commandsReceived(), c.commands + program.program().AnzEintrag); }
    if (c.logLine) { EXPECT_TRUE(f.logLines().contains(QString::fromUtf8(c.logLine))); }
    EXPECT_EQ(f.bus->device(kDevice)->application(), original);
    EXPECT_FALSE(f.bus->device(kDevice)->connected(f.bus->clock().nowUs()));
    EXPECT_EQ(f.bus->localByte(0x0116), 5);
    EXPECT_FALSE(QFile::exists(f.path(QStringLiteral("appl-1.1.5.old"))));
    // The next run of the program meets the same device.
    f.model.ClearSlot(kProgramSlot);
    f.reopenBus(busWith(""));
    ASSERT_EQ(f.access->Read(kDevice).code, 0) << logOf(f);
    const ProgramSlot &a = f.model.program(), &b = program.program();
    EXPECT_EQ(std::tie(a.AnzEintrag, a.AnzSz, a.AnzPz, a.AnzSoWi, a.SoWiJahr), std::tie(b.AnzEintrag, b.AnzSz, b.AnzPz, b.AnzSoWi, b.SoWiJahr));
    EXPECT_TRUE(a.SoWiTab == b.SoWiTab && a.Eintrag == b.Eintrag);
    EXPECT_EQ(std::tuple(f.model.Geaendert, a.Verwendung, a.Dateiname), std::tuple(1, QStringLiteral("unbekannt"), f.path(QStringLiteral("SzTab1.zpg"))));
    EXPECT_EQ(f.bus->device(kDevice)->application(), original);
}

// The line breaks as the third entry reaches the device (21 table blocks and the delete come first): the entries
// start again from the delete. Connected telegram 145 is the mailbox write of the second entry (after the
// application's save and install, the table and the delete). The second entry (command 24) is taken only after
// 1.5 s: read back until it is, never written again.
INSTANTIATE_TEST_SUITE_P(Lines, BusWriteReadTest,
                         ::testing::Values(WriteCase{"Clean731", 731, "", "", 1, 0, -1, nullptr}, WriteCase{"Clean738", 738, "", "", 1, 0, -1, nullptr},
                                           WriteCase{"LinkLost", 731, "", "link-lost-at-command = 25\n", 2, 0, -1, nullptr},
                                           WriteCase{"RepeatedTelegram", 731, "", "ack-lost-at = 145\n", 1, 1, 22, nullptr},
                                           WriteCase{"BusyDevice", 731, "busy = 1\nbusy-from = 24\n", "", 1, 0, 22, " *** Uhr nicht bereit 1"}),
                         [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(BusAccess, ASearchListsOnlyTheTimeSwitchesThatAnswer)
{
    BusFixture f("[bus]\npacing = off\n[device 1.1.2]\nmask = 0x0012\n[device 1.1.3]\nmask = 0x0020\n[device 1.1.4]\nmanufacturer = 0x01\n"
                 "[device 1.1.6]\nmask = 0x0011\n",
                 modelForRow(20));
    BusActionResult r = f.access->Search(1, 1, 1, 3);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.found, (QList<quint16>{0x1102}));
    EXPECT_TRUE(f.ui.asked().empty());
    EXPECT_TRUE(f.logLines().contains(QStringLiteral("Prüfe Teilnehmer 1.1.3")));
    EXPECT_EQ(f.access->Search(1, 1, 1, 6).found, (QList<quint16>{0x1102, 0x1106}));
    for (int d : {2, 3, 4, 6}) EXPECT_FALSE(f.bus->device(quint16(0x1100 + d))->connected(f.bus->clock().nowUs())) << d;
    // Out of range: refused with one message, nothing sent.
    const int frames = f.bus->framesSent();
    for (const auto& range : {std::array{1, 13, 1, 3}, std::array{16, 0, 1, 3}, std::array{1, 1, 0, 3}, std::array{1, 1, 3, 256}, std::array{1, 1, 5, 4}}) {
        const std::size_t asked = f.ui.asked().size();
        EXPECT_NE(f.access->Search(range[0], range[1], range[2], range[3]).code, 0);
        EXPECT_EQ(f.ui.asked().size(), asked + 1);
    }
    EXPECT_EQ(f.bus->framesSent(), frames);
}

struct FaultCase {
    const char* name;
    QByteArray device, bcu;
    int code;
    bool restorePending;
    bool linkDies = false; // no disconnect can reach the device then
};

class BusFaultTest : public ::testing::TestWithParam<FaultCase> { };

TEST_P(BusFaultTest, EndsInOneMessageWithTheProgramUnchangedAndTheApplicationRestorable)
{
    const FaultCase& c = GetParam();
    BusFixture f(busWith(c.device, c.bcu), canonical738());
    const QByteArray original = f.bus->device(kDevice)->application();
    for (const bool reading : {false, true}) {
        SCOPED_TRACE(reading ? "read" : "write");
        const ProgramSlot before = f.model.program();
        const int geaendert = f.model.Geaendert;
        const std::size_t asked = f.ui.asked().size();
        const BusActionResult r = reading ? f.access->Read(kDevice) : f.access->Program(kDevice);
        EXPECT_EQ(std::tuple(r.code, f.ui.asked().size(), f.model.Geaendert, r.restorePending, f.access->restorePending(kDevice)),
                  std::tuple(c.code, asked + 1, geaendert, c.restorePending, c.restorePending));
        EXPECT_TRUE(f.model.program() == before);
        EXPECT_EQ(f.access->pendingRestores(), c.restorePending ? QList<quint16>{kDevice} : QList<quint16>{});
        EXPECT_FALSE(f.bus->isOpen());
        EXPECT_FALSE(f.bus->device(kDevice)->connected(f.bus->clock().nowUs() + (c.linkDies ? EmulatedTimeSwitch::kConnectionTimeoutUs : 1)));
        if (!c.restorePending) { EXPECT_EQ(f.bus->device(kDevice)->application(), original); }
        f.reopenBus();
    }
    if (c.restorePending) {
        // The saved application is the device's own, never the transfer application.
        const auto saved = ReadApplicationFile(f.path(QStringLiteral("appl-1.1.5.old")));
        ASSERT_TRUE(saved);
        EXPECT_EQ(*saved, original);
        // Without the fault the user puts it back, or programs again while the device still runs the
        // transfer application: the saved application is never overwritten.
        f.reopenBus(busWith(""));
        ASSERT_TRUE(f.bus->device(kDevice)->runsTransferApplication());
        const BusActionResult r = c.linkDies ? f.access->Reinstall(kDevice) : f.access->Program(kDevice);
        EXPECT_EQ(r.code, 0) << logOf(f);
        EXPECT_FALSE(r.restorePending || f.access->restorePending(kDevice) || !f.access->pendingRestores().isEmpty());
        EXPECT_EQ(f.bus->device(kDevice)->application(), original);
        // Nothing to reinstall now: one message, nothing sent.
        const int frames = f.bus->framesSent();
        EXPECT_EQ(f.access->Reinstall(kDevice).code, 116);
        EXPECT_EQ(f.bus->framesSent(), frames);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, BusFaultTest,
                         ::testing::Values(FaultCase{"NoAnswer", "silent\n", "", 109, false}, FaultCase{"Busy", "busy = -1\n", "", 101, false},
                                           FaultCase{"WrongMask", "mask = 0x0020\n", "", 110, false}, FaultCase{"WrongManufacturer", "manufacturer = 0x22\n", "", 113, false},
                                           FaultCase{"AnswerFromAnotherDevice", "answer-from = 1.1.9\n", "", 109, false},
                                           FaultCase{"RestoreFails", "restore-fails\n", "", 112, true},
                                           FaultCase{"LinkDeadInTheEntries", "", "link-dead-at-command = 24\n", 1, true, true},
                                           FaultCase{"NoConfirmation", "", "no-confirm\n", 107, false}),
                         [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(BusAccess, ReadingStopsAtTheCapacityOfTheDeviceType)
{
    BusFixture f(busWith(""), modelForRow(4));
    // Put the transfer application and 330 entries into the device by hand.
    ProgramModel big = canonical731();
    ProgramSlot& s = big.program();
    for (int i = s.AnzEintrag; i < 330; ++i) s.Eintrag[std::size_t(i)] = s.Eintrag[0];
    s.AnzSz += 330 - s.AnzEintrag;
    s.AnzEintrag = 330;
    {
        BusAccess writer(big, f.ui, f.texts, f.dir.path());
        writer.setLink(f.bus.get(), 0, QStringLiteral("1"));
        ASSERT_EQ(writer.Program(kDevice).code, 0);
    }
    ASSERT_EQ(f.bus->device(kDevice)->entries.size(), 330u);
    ASSERT_EQ(f.access->Read(kDevice).code, 0);
    EXPECT_EQ(f.model.program().AnzEintrag, 324);
}

TEST(BusAccess, TheLogOfOneCleanWrite)
{
    ProgramModel program = modelForRow(20);
    addEntry(program, program.program().Eintrag[0]); // one empty-looking entry of zeros
    program.program().Eintrag[0].b = {0x81, 0x30, 0x00, 0x06, 0x01, 0x00};
    BusFixture f(busWith(""), program);
    ASSERT_EQ(f.access->Program(kDevice).code, 0);
    // Windows-1252 with CR LF, byte for byte.
    const QByteArray expected = readFile(testData(QStringLiteral("bus/protocol-write.txt")));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(readFile(f.path(QStringLiteral("protocol.txt"))), expected);
}

TEST(BusAccess, TheBcusOwnAddressTableLengthIsKeptUntilItsWriteBackIsConfirmed)
{
    // The first two write-backs of the length are lost on the serial line.
    BusFixture f(busWith("", "length-write-fails = 2\n"), canonical731());
    for (int action = 1; action <= 2; ++action) {
        SCOPED_TRACE(action);
        const BusActionResult r = f.access->Search(1, 1, 5, 5);
        EXPECT_EQ(std::tuple(r.code, r.found, f.bus->localByte(0x0116)), std::tuple(115, QList<quint16>{kDevice}, 1));
        // The second action found the lowered 1 and still writes back the 5.
        EXPECT_TRUE(f.logLines().contains(QStringLiteral("setze Adresstable-Länge auf 5")));
        EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("bcu-adrtab.old"))));
    }
    EXPECT_EQ(f.ui.asked().size(), 2u);
    // The next run of the program: the BCU still holds the 1 (its state file says so), the working directory the 5.
    f.reopenBus(busWith(""));
    ASSERT_EQ(f.bus->localByte(0x0116), 1);
    EXPECT_EQ(f.access->Search(1, 1, 5, 5).code, 0) << logOf(f);
    EXPECT_EQ(f.bus->localByte(0x0116), 5);
    EXPECT_FALSE(QFile::exists(f.path(QStringLiteral("bcu-adrtab.old"))));
    // Once written back, the BCU's value is what counts again.
    f.reopenBus();
    EXPECT_EQ(f.access->Search(1, 1, 5, 5).code, 0);
    EXPECT_EQ(f.bus->localByte(0x0116), 5);
    EXPECT_EQ(f.ui.asked().size(), 2u);
}

TEST(BusAccess, TheWaitForTheDeleteEndsAfterThirtySecondsInAll)
{
    // The time of the whole write when the delete takes 0.3 s, and when the
    // device would need 40 s: 30 s of waiting, then code 101.
    ProgramModel program = modelForRow(20);
    ASSERT_EQ(program.program().AnzEintrag, 0);
    const auto timed = [&](BusFixture& f) {
        const std::int64_t start = f.bus->clock().nowUs();
        const int code = f.access->Program(kDevice).code;
        return std::pair(code, f.bus->clock().nowUs() - start);
    };
    BusFixture quick(busWith(""), program), slow(busWith("delete-ms = 40000\n"), program);
    const auto [quickCode, normalUs] = timed(quick);
    ASSERT_EQ(quickCode, 0);
    const auto [code, slowUs] = timed(slow);
    EXPECT_EQ(code, 101);
    EXPECT_EQ(slow.ui.asked().size(), 1u);
    EXPECT_GT(slowUs - normalUs, 29'000'000);
    EXPECT_LT(slowUs - normalUs, 32'000'000);
    EXPECT_TRUE(slow.logLines().contains(QStringLiteral(" *** Uhr nicht bereit 1")));
    EXPECT_FALSE(slow.logLines().contains(QStringLiteral(" *** Uhr nicht bereit 2")));
    // The device's own application went back all the same.
    EXPECT_FALSE(slow.bus->device(kDevice)->runsTransferApplication() || slow.access->restorePending(kDevice));
}

TEST(BusAccess, AYearAnswerThatDoesNotStartWithZeroIsRefused)
{
    // A program in the device to read, then the device answers the year wrongly.
    BusFixture f(busWith(""), canonical738());
    ASSERT_EQ(f.access->Program(kDevice).code, 0);
    f.reopenBus(busWith("wrong-answer = 0x44\n"));
    ASSERT_FALSE(f.bus->device(kDevice)->entries.empty());
    f.model.Geaendert = 0;
    const ProgramSlot before = f.model.program();
    EXPECT_EQ(f.access->Read(kDevice).code, 104);
    EXPECT_EQ(f.ui.asked().size(), 1u);
    EXPECT_TRUE(f.model.program() == before);
    EXPECT_FALSE(f.access->restorePending(kDevice));
}

TEST(BusAccess, AMissingOrInvalidTransferApplicationOrNoPlaceToSaveTheDevicesTouchesNothing)
{
    const std::pair<const char*, QString> cases[] = {{"missing", kTransferApplicationFileName}, {"1\n2\nthree\n", kTransferApplicationFileName}, {nullptr, QStringLiteral("appl-1.1.5.old")}}; // a link into a folder that is not there
    for (const auto& [content, file] : cases) {
        SCOPED_TRACE(file.toStdString() + ": " + (content ? content : "link"));
        BusFixture f(busWith(""), canonical731());
        QFile::remove(f.path(file));
        if (content && QByteArray(content) != "missing") { ASSERT_TRUE(writeFile(f.path(file), content)); }
        if (!content) { ASSERT_TRUE(QFile::link(f.path(QStringLiteral("missing/appl.old")), f.path(file))); }
        const QByteArray original = f.bus->device(kDevice)->application();
        const ProgramSlot before = f.model.program();
        for (const bool reading : {false, true}) {
            const std::size_t asked = f.ui.asked().size();
            const BusActionResult r = reading ? f.access->Read(kDevice) : f.access->Program(kDevice);
            EXPECT_EQ(std::tuple(r.code, f.ui.asked().size(), r.restorePending), std::tuple(114, asked + 1, false)) << reading;
            EXPECT_TRUE(f.ui.asked().back().render(f.texts).contains(file));
        }
        EXPECT_EQ(content ? f.bus->framesSent() : f.bus->device(kDevice)->commandsReceived(), 0);
        EXPECT_EQ(f.bus->device(kDevice)->application(), original);
        EXPECT_TRUE(f.model.program() == before);
        EXPECT_FALSE(f.access->restorePending(kDevice) || f.bus->isOpen());
    }
    // A link that cannot be opened is logged and told once.
    BusFixture f(busWith(""), canonical731());
    EXPECT_EQ(f.access->LinkNotOpened(QStringLiteral("bus-sim.ini: not there")).code, 114);
    ASSERT_EQ(f.ui.asked().size(), 1u);
    EXPECT_EQ(f.ui.asked().front().render(f.texts), QStringLiteral("Keine Busverbindung: bus-sim.ini: not there"));
    EXPECT_EQ(readFile(f.path(QStringLiteral("protocol.txt"))), QByteArray("Keine Busverbindung: bus-sim.ini: not there\r\n"));
}

} // namespace
