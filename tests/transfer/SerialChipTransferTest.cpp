#include "tests/transfer/EmulatorTestMacros.h"

#include "language/TextTable.h"
#include "transfer/QtSerialBytePort.h"
#include "transfer/SerialChipTransfer.h"
#include "transfer/TransferObserver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr int kRow731 = 1;
constexpr int kRow738 = 20;

// Hexadecimal as the log writes it: a blank before every byte, upper case,
// no leading zeros.
QString hex(std::initializer_list<int> bytes)
{
    QString s;
    for (const int b : bytes)
        s += QStringLiteral(" %1").arg(b, 0, 16).toUpper();
    return s;
}

QString hexOf(const Image& image, std::size_t from, std::size_t count)
{
    QString s;
    for (std::size_t i = from; i < from + count; ++i)
        s += QStringLiteral(" %1").arg(image[i], 0, 16).toUpper();
    return s;
}

struct Recorder : TransferObserver {
    std::vector<int> values;
    int maximum = 0;
    QStringList labels;
    TextTable texts;
    void progressChanged(int value, int max) override
    {
        values.push_back(value);
        maximum = max;
    }
    void labelChanged(const Prompt& label) override { labels << label.render(texts); }
};

class SerialChipTransferTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString eeprom() const { return path(QStringLiteral("chip.bin")); }

    SerialTransferOptions options(bool verifyAll) const
    {
        SerialTransferOptions o;
        o.verifyWholeChip = verifyAll;
        o.dataPhasePauseMs = 50;
        return o;
    }

    SerialTransferResult write(int uhrentyp, const QString& file, bool verifyAll, TransferObserver* observer = nullptr)
    {
        QtSerialBytePort port(emulator.devicePath());
        SerialChipTransfer t(port, uhrentyp, QStringLiteral("1"), dir.path(), options(verifyAll), observer);
        return t.writeChip(file);
    }

    SerialTransferResult read(int uhrentyp, TransferObserver* observer = nullptr)
    {
        QtSerialBytePort port(emulator.devicePath());
        SerialChipTransfer t(port, uhrentyp, QStringLiteral("1"), dir.path(), options(true), observer);
        return t.readChip();
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
    const QString file = path(QStringLiteral("prog.zpg"));
    const Image image = MakeProgramFile(file, kRow731, 200);
    ASSERT_EQ(image.size(), 2048u);
    // The first frame finds a chip that does not answer; the retry works.
    START_EMULATOR(emulator, eeprom(), QStringLiteral("--fault"), QStringLiteral("not-answering"),
                   QStringLiteral("--fault-count"), QStringLiteral("1"));

    Recorder progress;
    const SerialTransferResult w = write(kFamily731, file, false, &progress);
    ASSERT_EQ(w.result, 0) << message(w).toStdString() << emulator.errorOutput().toStdString();
    EXPECT_EQ(ToImage(ReadWholeFile(eeprom())), image);

    // Gauge: 0, one step per block, the maximum at the end.
    EXPECT_EQ(progress.maximum, 129);
    ASSERT_EQ(progress.values.size(), 130u);
    for (int i = 0; i <= 128; ++i)
        EXPECT_EQ(progress.values[static_cast<std::size_t>(i)], i);
    EXPECT_EQ(progress.values.back(), 129);
    ASSERT_EQ(progress.labels.size(), 1);
    EXPECT_EQ(progress.labels[0], QStringLiteral("schreibe in Zendrik :prog.zpg  über COM 1"));

    // Two lines per attempt, request first; block 0 needed two attempts.
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2 * 129);
    const QString frame0 = hex({0x12, 0xA0, 0x00}) + hexOf(image, 0, 16);
    EXPECT_EQ(lines[0], frame0);
    EXPECT_EQ(lines[1], QStringLiteral(" 1 82"));
    EXPECT_EQ(lines[2], frame0);
    EXPECT_EQ(lines[3], QStringLiteral(" 1 80"));
    // Address 0x3F0: block-select bits 011 in the control byte.
    EXPECT_EQ(lines[4 + 2 * 62], hex({0x12, 0xA6, 0xF0}) + hexOf(image, 0x3F0, 16));

    Recorder readProgress;
    const SerialTransferResult r = read(kFamily731, &readProgress);
    ASSERT_EQ(r.result, 0) << message(r).toStdString();
    EXPECT_EQ(r.image, image);
    EXPECT_EQ(ImageOfFile(path(QStringLiteral("card.dat")), 2048), image);
    EXPECT_EQ(readProgress.labels, QStringList{QStringLiteral("lese Zendrik über COM 1")});
    const QStringList readLines = log();
    ASSERT_EQ(readLines.size(), 256);
    EXPECT_EQ(readLines[0], hex({0x03, 0xA1, 0x00, 0x10}));
    EXPECT_EQ(readLines[1], hex({0x12, 0xA1, 0x00}) + hexOf(image, 0, 16));
    EXPECT_EQ(readLines[254], hex({0x03, 0xAF, 0xF0, 0x10}));
}

TEST_F(SerialChipTransferTest, LargeChipWrittenAndReadBackAfterThreeSilentAdapterChecks)
{
    const QString file = path(QStringLiteral("bus.zpg"));
    const Image image = MakeProgramFile(file, kRow738, 400);
    ASSERT_EQ(image.size(), 8192u);
    // The adapter check gets no answer three times; the transfer goes on.
    START_EMULATOR(emulator, eeprom(), QStringLiteral("--chip"), QStringLiteral("24c64"), QStringLiteral("--fault"),
                   QStringLiteral("no-reply"), QStringLiteral("--fault-count"), QStringLiteral("3"));

    const SerialTransferResult w = write(kFamily738, file, false);
    ASSERT_EQ(w.result, 0) << message(w).toStdString();
    EXPECT_EQ(ToImage(ReadWholeFile(eeprom())), image);
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2 * 512);
    EXPECT_EQ(lines[0], hex({0x13, 0xA0, 0x00, 0x00}) + hexOf(image, 0, 16));
    // Address 0x1230: two address bytes, high first; length byte 19.
    EXPECT_EQ(lines[2 * (0x1230 / 16)], hex({0x13, 0xA0, 0x12, 0x30}) + hexOf(image, 0x1230, 16));

    const SerialTransferResult r = read(kFamily738);
    ASSERT_EQ(r.result, 0) << message(r).toStdString();
    EXPECT_EQ(r.image, image);
    EXPECT_EQ(log()[0], hex({0x04, 0xA1, 0x00, 0x00, 0x10}));
}

TEST_F(SerialChipTransferTest, WholeChipVerificationCatchesAChipThatKeptOnlyHalf)
{
    const QString file = path(QStringLiteral("prog.zpg"));
    const Image image = MakeProgramFile(file, kRow731, 324);
    START_EMULATOR(emulator, eeprom(), QStringLiteral("--fault"), QStringLiteral("partial"), QStringLiteral("--keep"),
                   QStringLiteral("1024"));

    const SerialTransferResult w = write(kFamily731, file, true);
    EXPECT_EQ(w.result, 1);
    EXPECT_EQ(w.fault, SerialFault::VerifyMismatch);
    EXPECT_EQ(message(w), QStringLiteral("Sie benötigenen einen anderen Speicherkartentyp!"));
    // The blank chip holds 0xFF: the first written byte above 1023 that is
    // not 0xFF is where the difference shows.
    std::size_t expected = 1024;
    while (image[expected] == 0xFF)
        ++expected;
    EXPECT_EQ(w.mismatchAddress, static_cast<int>(expected));
    const QStringList lines = log();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().startsWith(
        QStringLiteral("*** verify: first difference at address %1,").arg(QString::number(expected, 16).toUpper())))
        << lines.last().toStdString();
    // Write attempts, then the read-back up to the differing block.
    EXPECT_EQ(lines.size(), 2 * 128 + 2 * static_cast<int>(expected / 16 + 1) + 1);
}

TEST_F(SerialChipTransferTest, BlockZeroVerificationPassesAPartialChipButCatchesBlockZero)
{
    const QString file = path(QStringLiteral("prog.zpg"));
    MakeProgramFile(file, kRow731, 324);
    {
        START_EMULATOR(emulator, eeprom(), QStringLiteral("--fault"), QStringLiteral("partial"),
                       QStringLiteral("--keep"), QStringLiteral("1024"));
        EXPECT_EQ(write(kFamily731, file, false).result, 0);
    }
    EmulatorProcess second;
    START_EMULATOR(second, path(QStringLiteral("chip2.bin")), QStringLiteral("--fault"), QStringLiteral("partial"), QStringLiteral("--keep"),
                   QStringLiteral("8"));
    QtSerialBytePort port(second.devicePath());
    SerialChipTransfer t(port, kFamily731, QStringLiteral("1"), dir.path(), options(false));
    const SerialTransferResult w = t.writeChip(file);
    EXPECT_EQ(w.result, 1);
    EXPECT_EQ(w.fault, SerialFault::VerifyMismatch);
}

struct FaultCase {
    const char* name;
    QStringList args;
    bool writing;
    SerialFault fault;
    const char* message;
    int logLines;
};

void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.name;
}

class SerialFaultTest : public SerialChipTransferTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SerialFaultTest, EndsWithItsMessage)
{
    const FaultCase& c = GetParam();
    const QString file = path(QStringLiteral("prog.zpg"));
    MakeProgramFile(file, kRow731, 50);
    START_EMULATOR(emulator, eeprom(), c.args);
    const SerialTransferResult r = c.writing ? write(kFamily731, file, true) : read(kFamily731);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.fault, c.fault);
    EXPECT_EQ(message(r), QString::fromUtf8(c.message));
    EXPECT_EQ(log().size(), c.logLines);
    EXPECT_TRUE(c.writing || !QFile::exists(path(QStringLiteral("card.dat"))));
}

QStringList fault(const char* name, const char* status = nullptr)
{
    QStringList a{QStringLiteral("--fault"), QString::fromLatin1(name)};
    if (status)
        a << QStringLiteral("--status") << QString::fromLatin1(status);
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SerialFaultTest,
    ::testing::Values(
        FaultCase{"WriteNoChip", fault("no-chip"), true, SerialFault::NoChip, "Keine Zendrik im Programmieradapter", 2},
        FaultCase{"WriteStatus83IsNoChip", fault("no-chip", "0x83"), true, SerialFault::NoChip,
                  "Keine Zendrik im Programmieradapter", 2},
        FaultCase{"WriteStatus85IsNoChip", fault("no-chip", "0x85"), true, SerialFault::NoChip,
                  "Keine Zendrik im Programmieradapter", 2},
        FaultCase{"WriteNotAnswering", fault("not-answering"), true, SerialFault::ChipNotAnswering,
                  "Zendrik antwortet nicht", 6},
        FaultCase{"WriteStatus86IsNotAnswering", fault("not-answering", "0x86"), true, SerialFault::ChipNotAnswering,
                  "Zendrik antwortet nicht", 6},
        FaultCase{"WriteTransmissionError", fault("transmission-error"), true, SerialFault::TransmissionError,
                  "Übertragungsfehler auf COM 1", 6},
        FaultCase{"WriteOtherStatus", fault("transmission-error", "0x90"), true, SerialFault::UnknownMessage,
                  "unbekannte Meldung", 6},
        FaultCase{"WriteNoReply", fault("no-reply"), true, SerialFault::NoAnswer,
                  "Keine Antwort von Programmieradapter an COM 1", 6},
        FaultCase{"WriteGarbled", fault("garbled"), true, SerialFault::UnknownMessage, "unbekannte Meldung", 6},
        FaultCase{"ReadNoChip", fault("no-chip"), false, SerialFault::NoChip, "Keine Zendrik im Programmieradapter", 2},
        FaultCase{"ReadNotAnswering", fault("not-answering"), false, SerialFault::ChipNotAnswering,
                  "Zendrik antwortet nicht", 6},
        FaultCase{"ReadTransmissionError", fault("transmission-error"), false, SerialFault::TransmissionError,
                  "Übertragungsfehler auf COM 1", 6},
        FaultCase{"ReadWriteAcknowledgeIsUnknown", fault("no-chip", "0x80"), false, SerialFault::UnknownMessage,
                  "unbekannte Meldung", 6},
        FaultCase{"ReadWrongEcho", fault("wrong-echo"), false, SerialFault::UnknownMessage, "unbekannte Meldung", 6},
        FaultCase{"ReadGarbled", fault("garbled"), false, SerialFault::UnknownMessage, "unbekannte Meldung", 6},
        // The identification test times out: no message of its own.
        FaultCase{"ReadNoReply", fault("no-reply"), false, SerialFault::Silent, "", 0},
        FaultCase{"ReadOtherDeviceType", fault("other-type"), false, SerialFault::OtherCardType,
                  "Sie benötigenen einen anderen Speicherkartentyp!", 0}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(SerialChipTransferTest, OldAdapterCannotTakeTheLargeChip)
{
    const QString file = path(QStringLiteral("bus.zpg"));
    MakeProgramFile(file, kRow738, 10);
    START_EMULATOR(emulator, eeprom(), QStringLiteral("--chip"), QStringLiteral("24c64"), QStringLiteral("--fault"),
                   QStringLiteral("old-adapter"));
    const SerialTransferResult w = write(kFamily738, file, true);
    EXPECT_EQ(w.result, 1);
    EXPECT_EQ(message(w), QStringLiteral("Für diese Schaltuhr benötigen sie einen neueren Programmieradapter!"));
    EXPECT_TRUE(log().isEmpty());
    // Nothing reached the chip.
    EXPECT_EQ(ReadWholeFile(eeprom()), QByteArray(8192, '\xFF'));
}

TEST_F(SerialChipTransferTest, IdentificationReadsByteOneOfTheSmallChip)
{
    // A 738 program on a chip in a 731 device: byte 1 holds 74. The byte
    // after it is a harmless 72, which the three-address-byte form would
    // have read in its place.
    QByteArray chip(2048, '\0');
    chip[1] = 74;
    chip[2] = 72;
    QFile f(eeprom());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(chip);
    f.close();
    START_EMULATOR(emulator, eeprom());
    const SerialTransferResult r = read(kFamily731);
    EXPECT_EQ(r.fault, SerialFault::OtherCardType);
    EXPECT_EQ(r.result, 1);
}

TEST_F(SerialChipTransferTest, LargeDeviceRefusesACardOfTheSmallFamily)
{
    START_EMULATOR(emulator, eeprom(), QStringLiteral("--chip"), QStringLiteral("24c64"), QStringLiteral("--fault"),
                   QStringLiteral("other-type"));
    const SerialTransferResult r = read(kFamily738);
    EXPECT_EQ(r.fault, SerialFault::OtherCardType);
}

TEST_F(SerialChipTransferTest, MissingPortAndBadProgramFileFailBeforeAnyFrame)
{
    const QString file = path(QStringLiteral("prog.zpg"));
    MakeProgramFile(file, kRow731, 5);
    QtSerialBytePort missing(path(QStringLiteral("no-such-tty")));
    SerialChipTransfer t(missing, kFamily731, QStringLiteral("1"), dir.path(), options(true));
    const SerialTransferResult r = t.writeChip(file);
    EXPECT_EQ(r.fault, SerialFault::PortUnavailable);
    EXPECT_EQ(r.result, 1);

    QFile::resize(file, 1000);
    EXPECT_EQ(t.writeChip(file).fault, SerialFault::ProgramFileInvalid);
    EXPECT_EQ(t.writeChip(path(QStringLiteral("none.zpg"))).fault, SerialFault::ProgramFileMissing);
}

} // namespace
