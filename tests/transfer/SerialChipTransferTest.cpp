#include "tests/transfer/TransferTestSupport.h"

#include "transfer/chip/QtSerialBytePort.h"
#include "transfer/chip/SerialChipTransfer.h"

#include <QDir>
#include <QFile>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr int kRow731 = 1;
constexpr int kRow738 = 20;
// The big transfers run unpaced; the small chip's round trip keeps the
// wire's pace, and the benchmark measures it.
const QString kNoPacing = QStringLiteral("--no-pacing");

class SerialChipTransferTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString eeprom() const { return path(QStringLiteral("chip.bin")); }
    QString program() const { return path(QStringLiteral("prog.zpg")); }

    SerialTransferResult transfer(bool writing, int uhrentyp, bool verifyAll = true, TransferObserver* observer = nullptr, const QString& device = QString())
    {
        QtSerialBytePort port(device.isEmpty() ? emulator.devicePath() : device);
        SerialTransferOptions o;
        o.verifyWholeChip = verifyAll;
        o.dataPhasePauseMs = 50;
        SerialChipTransfer t(port, uhrentyp, QStringLiteral("1"), dir.path(), o, observer);
        return writing ? t.writeChip(program()) : t.readChip();
    }
    QString message(const SerialTransferResult& r) const
    {
        const auto m = SerialFaultMessage(r, QStringLiteral("1"));
        return m ? m->render(texts) : QString();
    }
    QStringList log() const { return ReadLines(path(QStringLiteral("rsproto.txt"))); }

    QTemporaryDir dir;
    EmulatorProcess emulator;
    TextTable texts;
};

TEST_F(SerialChipTransferTest, SmallChipWrittenByteExactAndReadBack)
{
    const Image image = MakeProgramFile(program(), kRow731, 200);
    ASSERT_EQ(image.size(), 2048u);
    // The first frame finds a chip that does not answer; the retry works.
    START_EMULATOR(emulator, eeprom(), "--fault", "not-answering", "--fault-count", "1");
    TransferRecorder progress;
    const SerialTransferResult w = transfer(true, kFamily731, false, &progress);
    ASSERT_EQ(w.result, 0) << message(w).toStdString() << emulator.errorOutput().toStdString();
    EXPECT_EQ(ToImage(readFile(eeprom())), image);
    // The gauge: 0, one step per block, the maximum 129 at the end.
    std::vector<std::pair<int, int>> steps;
    for (int i = 0; i <= 129; ++i) steps.emplace_back(i, 129);
    EXPECT_EQ(progress.progress, steps);
    EXPECT_EQ(progress.labels, QStringList{QStringLiteral("schreibe in Zendrik :prog.zpg  über COM 1")});
    // Two lines per attempt, request first; block 0 needed two attempts.
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2 * 129);
    const QString frame0 = Hex({0x12, 0xA0, 0x00}) + Hex(image, 0, 16);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{frame0, QStringLiteral(" 1 82"), frame0, QStringLiteral(" 1 80")}));
    // Address 0x3F0: block-select bits 011 in the control byte.
    EXPECT_EQ(lines[4 + 2 * 62], Hex({0x12, 0xA6, 0xF0}) + Hex(image, 0x3F0, 16));

    TransferRecorder reading;
    const SerialTransferResult r = transfer(false, kFamily731, true, &reading);
    ASSERT_EQ(r.result, 0) << message(r).toStdString();
    EXPECT_EQ(r.image, image);
    EXPECT_EQ(ImageOfFile(path(QStringLiteral("card.dat")), 2048), image);
    EXPECT_EQ(reading.labels, QStringList{QStringLiteral("lese Zendrik über COM 1")});
    const QStringList readLines = log();
    ASSERT_EQ(readLines.size(), 256);
    EXPECT_EQ((QStringList{readLines[0], readLines[1], readLines[254]}),
              (QStringList{Hex({0x03, 0xA1, 0x00, 0x10}), Hex({0x12, 0xA1, 0x00}) + Hex(image, 0, 16), Hex({0x03, 0xAF, 0xF0, 0x10})}));
}

TEST_F(SerialChipTransferTest, LargeChipWrittenAndReadBackAfterThreeSilentAdapterChecks)
{
    const Image image = MakeProgramFile(program(), kRow738, 400);
    ASSERT_EQ(image.size(), 8192u);
    // The adapter check gets no answer three times; the transfer goes on.
    START_EMULATOR(emulator, eeprom(), "--chip", "24c64", "--fault", "no-reply", "--fault-count", "3", kNoPacing);
    const SerialTransferResult w = transfer(true, kFamily738, false);
    ASSERT_EQ(w.result, 0) << message(w).toStdString();
    EXPECT_EQ(ToImage(readFile(eeprom())), image);
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2 * 512);
    EXPECT_EQ(lines[0], Hex({0x13, 0xA0, 0x00, 0x00}) + Hex(image, 0, 16));
    // Address 0x1230: two address bytes, high first; length byte 19.
    EXPECT_EQ(lines[2 * (0x1230 / 16)], Hex({0x13, 0xA0, 0x12, 0x30}) + Hex(image, 0x1230, 16));
    const SerialTransferResult r = transfer(false, kFamily738);
    ASSERT_EQ(r.result, 0) << message(r).toStdString();
    EXPECT_EQ(r.image, image);
    EXPECT_EQ(log()[0], Hex({0x04, 0xA1, 0x00, 0x00, 0x10}));
}

TEST_F(SerialChipTransferTest, OnlyWholeChipVerificationCatchesAChipThatKeptHalf)
{
    const Image image = MakeProgramFile(program(), kRow731, 324);
    START_EMULATOR(emulator, eeprom(), "--fault", "partial", "--keep", "1024", kNoPacing);
    EXPECT_EQ(transfer(true, kFamily731, false).result, 0);
    const SerialTransferResult w = transfer(true, kFamily731, true);
    EXPECT_EQ(std::pair(w.result, w.fault), std::pair(1, SerialFault::VerifyMismatch));
    EXPECT_EQ(message(w), QStringLiteral("Sie benötigenen einen anderen Speicherkartentyp!"));
    // The blank chip holds 0xFF: the first written byte above 1023 that is
    // not 0xFF is where the difference shows.
    std::size_t expected = 1024;
    while (image[expected] == 0xFF) ++expected;
    EXPECT_EQ(w.mismatchAddress, static_cast<int>(expected));
    // Write attempts, the read-back up to the differing block, the finding.
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2 * 128 + 2 * static_cast<int>(expected / 16 + 1) + 1);
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("*** verify: first difference at address %1,").arg(QString::number(expected, 16).toUpper())))
        << lines.last().toStdString();
}

enum class Mode { Write,
                  WriteBlock0,
                  Read };

struct FaultCase {
    const char* name;
    QStringList args;
    Mode mode;
    bool largeChip;
    SerialFault fault;
    const char* message;
    int logLines;
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class SerialFaultTest : public SerialChipTransferTest, public ::testing::WithParamInterface<FaultCase> { };

TEST_P(SerialFaultTest, EndsWithItsMessage)
{
    const FaultCase& c = GetParam();
    MakeProgramFile(program(), c.largeChip ? kRow738 : kRow731, 50);
    START_EMULATOR(emulator, eeprom(), QStringList{QStringLiteral("--fault")} + c.args + (c.largeChip ? QStringList{"--chip", "24c64"} : QStringList()));
    const SerialTransferResult r = transfer(c.mode != Mode::Read, c.largeChip ? kFamily738 : kFamily731, c.mode != Mode::WriteBlock0);
    EXPECT_EQ(std::tuple(r.result, r.fault, log().size()), std::tuple(1, c.fault, c.logLines));
    EXPECT_EQ(message(r), QString::fromUtf8(c.message));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("card.dat"))));
}

const char *const kNoChip = "Keine Zendrik im Programmieradapter", *const kNotAnswering = "Zendrik antwortet nicht", *const kUnknown = "unbekannte Meldung";
const char* const kOtherCard = "Sie benötigenen einen anderen Speicherkartentyp!";

// A missing chip ends at the first reply; the other faults after three
// attempts. The identification test before a read is not logged; when it
// times out (ReadNoReply) there is no message of its own.
INSTANTIATE_TEST_SUITE_P(
    Faults, SerialFaultTest,
    ::testing::Values(
        FaultCase{"WriteNoChip", {"no-chip"}, Mode::Write, false, SerialFault::NoChip, kNoChip, 2},
        FaultCase{"WriteNotAnswering", {"not-answering"}, Mode::Write, false, SerialFault::ChipNotAnswering, kNotAnswering, 6},
        FaultCase{"WriteTransmissionError", {"transmission-error"}, Mode::Write, false, SerialFault::TransmissionError, "Übertragungsfehler auf COM 1", 6},
        FaultCase{"WriteOtherStatus", {"transmission-error", "--status", "0x90"}, Mode::Write, false, SerialFault::UnknownMessage, kUnknown, 6},
        FaultCase{"WriteNoReply", {"no-reply"}, Mode::Write, false, SerialFault::NoAnswer, "Keine Antwort von Programmieradapter an COM 1", 6},
        FaultCase{"WriteGarbled", {"garbled"}, Mode::Write, false, SerialFault::UnknownMessage, kUnknown, 6},
        FaultCase{"WriteBlockZeroDiffers", {"partial", "--keep", "8", "--no-pacing"}, Mode::WriteBlock0, false, SerialFault::VerifyMismatch, kOtherCard, 256},
        FaultCase{"WriteOldAdapter", {"old-adapter"}, Mode::Write, true, SerialFault::NeedNewerAdapter, "Für diese Schaltuhr benötigen sie einen neueren Programmieradapter!", 0},
        FaultCase{"ReadNoChip", {"no-chip"}, Mode::Read, false, SerialFault::NoChip, kNoChip, 2},
        FaultCase{"ReadNotAnswering", {"not-answering"}, Mode::Read, false, SerialFault::ChipNotAnswering, kNotAnswering, 6},
        FaultCase{"ReadWriteAcknowledgeIsUnknown", {"no-chip", "--status", "0x80"}, Mode::Read, false, SerialFault::UnknownMessage, kUnknown, 6},
        FaultCase{"ReadWrongEcho", {"wrong-echo"}, Mode::Read, false, SerialFault::UnknownMessage, kUnknown, 6},
        FaultCase{"ReadNoReply", {"no-reply"}, Mode::Read, false, SerialFault::Silent, "", 0},
        FaultCase{"ReadOtherDeviceType", {"other-type"}, Mode::Read, false, SerialFault::OtherCardType, kOtherCard, 0},
        FaultCase{"ReadSmallFamilyOnLargeDevice", {"other-type"}, Mode::Read, true, SerialFault::OtherCardType, kOtherCard, 0}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(SerialChipTransferTest, IdentificationReadsByteOneOfTheSmallChipAndNothingStartsWithoutPortOrProgram)
{
    // A 738 program on a chip in a 731 device: byte 1 holds 74. The byte
    // after it is a harmless 72, which the large chip's frame form would read in its place.
    QByteArray chip(2048, '\0');
    chip[1] = 74;
    chip[2] = 72;
    ASSERT_TRUE(writeFile(eeprom(), chip));
    START_EMULATOR(emulator, eeprom(), kNoPacing);
    const SerialTransferResult r = transfer(false, kFamily731);
    EXPECT_EQ(std::pair(r.result, r.fault), std::pair(1, SerialFault::OtherCardType));
    // A missing program file, a missing port, a program file that is not one: refused before any frame.
    const QString noPort = path(QStringLiteral("tty"));
    EXPECT_EQ(transfer(true, kFamily731, true, nullptr, noPort).fault, SerialFault::ProgramFileMissing);
    MakeProgramFile(program(), kRow731, 5);
    EXPECT_EQ(transfer(true, kFamily731, true, nullptr, noPort).fault, SerialFault::PortUnavailable);
    QFile::resize(program(), 1000);
    EXPECT_EQ(transfer(true, kFamily731, true, nullptr, noPort).fault, SerialFault::ProgramFileInvalid);
}

} // namespace
