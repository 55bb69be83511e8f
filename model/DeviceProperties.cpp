#include "model/DeviceProperties.h"

#include "model/ProgramModel.h"

#include <algorithm>

namespace zendrik {

int MeterPeriodIndex(int minutes)
{
    const auto it = std::find(kMeterPeriods.begin(), kMeterPeriods.end(), minutes);
    return it == kMeterPeriods.end() ? 0 : static_cast<int>(it - kMeterPeriods.begin());
}

int MeterPeriodOfIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(kMeterPeriods.size()))
        return kMeterPeriods.front();
    return kMeterPeriods[static_cast<std::size_t>(index)];
}

DeviceProperties DeviceProperties::Of(const DeviceSettings& d)
{
    DeviceProperties p;
    p.SpracheUhr = d.SpracheUhr;
    p.SwRegel = d.SwRegel;
    p.MessKanal = d.MessKanal;
    p.MessPeriode = d.MessPeriode;
    p.MessImpDauer = d.MessImpDauer;
    p.MessZustand = d.MessZustand;
    p.MessZeitpunkt = d.MessZeitpunkt;
    p.AstroC1C2 = d.AstroC1C2;
    p.Lpt = d.Lpt;
    p.DelayValue = d.Delay / 4;
    p.Zeilen = d.Zeilen;
    p.SerialPort1 = d.SerialPort1;
    p.SerialPort2 = d.SerialPort2;
    p.AdapterTool = d.AdapterTool;
    p.IrTool = d.IrTool;
    p.IrTimeout = d.IrTimeout;
    p.VerifyWholeChip = d.VerifyWholeChip;
    p.BusLink1 = d.BusLink1;
    p.BusLink2 = d.BusLink2;
    return p;
}

void DeviceProperties::ApplyTo(ProgramModel& model) const
{
    DeviceSettings& d = model.device;
    if (d.Uhrentyp == kFamily752)
        d.AstroC1C2 = AstroC1C2 != 0 ? 1 : 0;
    if (d.Uhrentyp == kFamily731) {
        d.SpracheUhr = std::clamp(SpracheUhr, 0, 1);
        d.MessKanal = std::clamp(MessKanal, 0, std::min(d.Kanalzahl, 4));
        // Without a meter channel the period and the pulse length stay as
        // they were: the settings file keeps what it had.
        if (d.MessKanal != 0) {
            if (std::find(kMeterPeriods.begin(), kMeterPeriods.end(), MessPeriode) != kMeterPeriods.end())
                d.MessPeriode = MessPeriode;
            d.MessImpDauer = std::clamp(MessImpDauer, 1, kMaxMeterPulseSeconds);
        }
        d.MessZustand = std::clamp(MessZustand, 0, 1);
        d.MessZeitpunkt = std::clamp(MessZeitpunkt, 0, 1);
    }
    // The settings file may hold a fractional factor (Delay 10 = 2.5): it
    // stays unless the user set another one.
    if (DelayValue != d.Delay / 4)
        d.Delay = std::clamp(DelayValue, 0, d.MaxDelay) * 4;
    d.DelayLang = d.Delay * 20;
    d.Lpt = std::clamp(Lpt, 1, 5);
    d.Speicherflag = d.MaxEintrag / 324;
    d.SwRegel = std::clamp(SwRegel, 0, 4);
    MerkeSwRegel(d);
    d.Zeilen = std::max(1, Zeilen);
    if (!SerialPort1.trimmed().isEmpty())
        d.SerialPort1 = SerialPort1.trimmed();
    if (!SerialPort2.trimmed().isEmpty())
        d.SerialPort2 = SerialPort2.trimmed();
    if (!AdapterTool.trimmed().isEmpty())
        d.AdapterTool = AdapterTool.trimmed();
    // An emptied field means this computer has no infrared tool: a transfer
    // then says so instead of starting the tool set before.
    d.IrTool = IrTool.trimmed();
    d.IrTimeout = std::clamp(IrTimeout, kMinIrTimeout, kMaxIrTimeout);
    d.VerifyWholeChip = VerifyWholeChip;
    // The first bus interface always has a connection; the second may be none.
    if (!BusLink1.trimmed().isEmpty())
        d.BusLink1 = BusLink1.trimmed();
    d.BusLink2 = BusLink2.trimmed();
    // The bus format knows no sort keys above the simulation's first one.
    if (d.EibFormat == 1 && model.SortSpalteSz > 8)
        model.SortSpalteSz = 8;
}

void MarkDeviceChoiceChanged(ProgramModel& model)
{
    model.Geaendert = 1;
}

} // namespace zendrik
