#pragma once

#include "language/TextTable.h"
#include "model/DeviceImage.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"
#include "tools/adapter/AdapterEmulatorProcess.h"
#include "transfer/TransferObserver.h"
#include "transfer/bus/BusAccess.h"
#include "transfer/sim/SimulatedBus.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace zendrik::test {

// A saved program for a device-type row with `entries` weekly switching times, written to `path`; its image.
Image MakeProgramFile(const QString& path, int row, int entries);
// The first `size` numbers of a program file or card.dat.
Image ImageOfFile(const QString& path, int size);
// The lines of a CR LF text file.
QStringList ReadLines(const QString& path);
inline Image ToImage(const QByteArray& bytes) { return Image(bytes.begin(), bytes.end()); }
QByteArray Bytes(std::initializer_list<int> values);
inline QByteArray Frame(std::initializer_list<int> values) { return Bytes(values); }
// A blank before every byte, upper-case hexadecimal without leading zeros: the lines of the serial log.
QString Hex(const Image& image, std::size_t from, std::size_t count);
inline QString Hex(std::initializer_list<int> bytes) { return Hex(Image(bytes.begin(), bytes.end()), 0, bytes.size()); }

// What the serial transfer window would show: the gauge (value, maximum) and the labels.
struct TransferRecorder : TransferObserver {
    std::vector<std::pair<int, int>> progress;
    QStringList labels;
    void progressChanged(int value, int max) override { progress.emplace_back(value, max); }
    void labelChanged(const Prompt& label) override { labels << label.render(TextTable()); }
    void transferEnded() override { }
};

// A folder of its own with a new program of the four-channel time switch (device-type row 4, SzTab1.zpg), made
// at a fixed time: the start of the transfers a user begins from the main window.
class ProgramInFolder : public ::testing::Test {
protected:
    static constexpr int kRow = 4;
    void SetUp() override;
    QString path(const QString& name) const;
    // Opens a saved program of `entries` entries (halle.zpg) as the program being edited, unchanged.
    Image openProgram(int entries);
    // The prompts shown, as the user reads them.
    QStringList asked(const ScriptedInteraction& ui) const;

    QTemporaryDir dir;
    ProgramModel model;
    TextTable texts;
};

// The serial adapter emulator on a pseudo terminal, as a separate process.
class EmulatorProcess : public AdapterEmulatorProcess {
public:
    EmulatorProcess() : AdapterEmulatorProcess(QStringLiteral(ZENDRIK_ADAPTER_EMULATOR)) { }
};

// A working directory with the shipped transfer application, a simulated bus
// (unpaced unless told otherwise) and the bus access on it, answering yes.
struct BusFixture {
    BusFixture(const QByteArray& busDescription, ProgramModel model);
    QString path(const QString& name) const;
    // A fresh bus from the same description and state files, as the next program run would see it.
    void reopenBus(const QByteArray& busDescription = QByteArray());
    QStringList logLines() const;

    QTemporaryDir dir;
    ProgramModel model;
    TextTable texts;
    ScriptedInteraction ui{[](const Prompt&) { return Answer::Ok; }};
    std::unique_ptr<SimulatedBus> bus;
    std::unique_ptr<BusAccess> access;
    QByteArray description;
};

} // namespace zendrik::test

// Starts an emulator, or skips the test where no pseudo terminal can be made; any other failure fails it.
#define START_EMULATOR(emulator, eeprom, ...)                                                      \
    do {                                                                                           \
        if (!(emulator).start((eeprom), QStringList{__VA_ARGS__})) {                               \
            if ((emulator).noPty())                                                                \
                GTEST_SKIP() << "no pseudo terminal here: " << (emulator).failure().toStdString(); \
            FAIL() << "emulator failed: " << (emulator).failure().toStdString();                   \
        }                                                                                          \
    } while (false)
