#pragma once

#include <QString>

#include <array>

namespace zendrik {

class ProgramModel;
struct DeviceSettings;

// The meter-pulse period choices of the device: minutes per period.
inline constexpr std::array<int, 12> kMeterPeriods = {1, 2, 3, 4, 5, 6, 10, 12, 15, 20, 30, 60};
// Longest meter pulse in seconds: six bits of image byte 17.
inline constexpr int kMaxMeterPulseSeconds = 63;

// The list position of a meter period (0 when the value is none of the choices).
int MeterPeriodIndex(int minutes);
// The period of a list position (the first choice for a position out of range).
int MeterPeriodOfIndex(int index);

// The settings the device properties dialog edits after the device type was
// chosen. The dialog shows them and hands them back; applying them is done here.
struct DeviceProperties {
    int SpracheUhr = 0;          // clock language: 0 German/English, 1 French
    int SwRegel = 0;             // 0 none, 1 Europe, 2 Great Britain, 3 USA, 4 by table
    int MessKanal = 0;           // meter-pulse channel 1..4, 0 none
    int MessPeriode = 1;         // minutes, one of kMeterPeriods
    int MessImpDauer = 1;        // seconds
    int MessZustand = 0;         // list position of the measuring relay state
    int MessZeitpunkt = 0;       // 0 at the start of the period, 1 at its end
    int AstroC1C2 = 0;           // astro device: 0 channel 1, 1 channels 1 and 2
    int Lpt = 1;                 // 1..3 parallel ports, 4 and 5 COM1 and COM2
    int DelayValue = 1;          // the delay factor as the user sets it (a quarter of Delay)
    int Zeilen = 50;             // printed rows per heading block
    QString SerialPort1;         // device path behind COM1
    QString SerialPort2;         // device path behind COM2
    QString AdapterTool;         // command of the parallel-port adapter tool
    QString IrTool;              // command of the infrared tool
    int IrTimeout = 120;         // seconds the infrared tool may take
    bool VerifyWholeChip = true; // read the whole chip back after writing it
    QString BusLink1;            // bus connection of the bus window's first interface (sim:FILE, knxnetip:HOST[:PORT])
    QString BusLink2;            // ... and of the second (may be empty)

    static DeviceProperties Of(const DeviceSettings& device);

    // Takes the values over as the device allows: the clock language and the
    // meter pulse on the 731 family, the astro channel choice on the astro
    // device, the PC-side settings on every device.
    void ApplyTo(ProgramModel& model) const;
};

// Choosing a meter-pulse setting or an astro channel option changes image
// bytes of the program (12, 16 and 17): the program counts as changed at
// once, even when the dialog is left with "Abbrechen".
void MarkDeviceChoiceChanged(ProgramModel& model);

} // namespace zendrik
