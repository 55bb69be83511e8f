#pragma once

#include "tests/ui/DesktopFixture.h"
#include "tools/adapter/AdapterEmulatorProcess.h"
#include "transfer/PortSettings.h"

namespace zendrik::test {

// The school sample on a four-channel switch whose COM1 is the adapter emulator with its chip image in the working
// directory, added to the fixture `Base` of a test.
template <typename Base = DesktopFixture>
class OnEmulatedAdapter : public Base {
protected:
    // Makes `port` COM1, starts on a four-channel switch and opens the school sample.
    void startOnPort(const QString& port)
    {
        DeviceSettings ports;
        ports.SerialPort1 = port;
        ASSERT_TRUE(WritePortSettings(this->work(kPortSettingsFileName), ports));
        this->startWith(4);
        this->model().device.Lpt = 4;
        this->app_->transferOptions().dataPhasePauseMs = 50;
        school = this->openSample(QStringLiteral("Schule.zpg"));
    }
    // The same on the emulator; a skip where the machine has no pseudo terminals (callers return on IsSkipped() or
    // HasFatalFailure()).
    void startOnEmulator()
    {
        if (!emulator.start(this->work(QStringLiteral("chip.bin")), {})) {
            if (emulator.noPty()) GTEST_SKIP() << "no pseudo terminal here: " << emulator.failure().toStdString();
            FAIL() << emulator.failure().toStdString();
        }
        startOnPort(emulator.devicePath());
    }
    // Writes the program to the chip, saved first.
    void writeChip()
    {
        this->answer(TextId::OnlySavedDataExport, Answer::Ok), this->trigger("mnuDatExp"), DesktopFixture::settle();
    }

    AdapterEmulatorProcess emulator{QStringLiteral(ZENDRIK_ADAPTER_EMULATOR)};
    QString school;
};

} // namespace zendrik::test
