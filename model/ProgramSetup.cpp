#include "model/ProgramSetup.h"

#include "model/DeviceTypes.h"
#include "model/ProgramModel.h"

namespace zendrik {

int SwRegelOhneTabelle(const DeviceSettings& d)
{
    if (IsSwRegelOhneTabelle(d.SwRegel))
        return d.SwRegel;
    if (IsSwRegelOhneTabelle(d.SwRegelOhneTabelle))
        return d.SwRegelOhneTabelle;
    // Great Britain for English, Europe for German, French and the further
    // languages, which are European ones too.
    return d.Sprache == 2 ? 2 : 1;
}

void ApplyStartValues(ProgramModel& model)
{
    DeviceSettings& d = model.device;
    ProgramSlot& s = model.program();
    s.AnzSz = s.AnzPz = s.AnzEintrag = s.AnzSoWi = 0;
    for (int i = 3; i <= 6; ++i)
        s.Kopf[static_cast<std::size_t>(i)] = 0;
    s.ProgNr = kNoProgramNumber;
    s.Schreibschutz = 0;
    s.astro.AstroLaenge = 0.0f;
    s.astro.AstroBreite = 0.0f;
    s.astro.AstroOffsetAuf = 0;
    s.astro.AstroOffsetUnter = 0;
    s.astro.AstroZone = -60;
    s.astro.AstroAktiv.fill(0);
    d.Datumsformat = 1;
    d.Funk = 0;
    d.Speicherflag = 1;
    d.Nak = 1;
    d.Dauertaste = 0;
    d.JahreFreieFt = d.Bewft == 1 ? 14 : 1;
}

void StartNewProgram(ProgramModel& model, int row, const QString& unknownText, const QString& fileName)
{
    ApplyDeviceTypeRow(model.device, row);
    model.ClearSlot(kProgramSlot);
    model.ClearSlot(kSampleSlot);
    ApplyStartValues(model);
    model.device.SwRegel = SwRegelOhneTabelle(model.device);
    MerkeSwRegel(model.device);

    ProgramSlot& s = model.program();
    s.Dateiname = fileName;
    s.Verwendung = unknownText;
    for (auto& day : s.astro.AstroTab)
        day.fill(AstroDay{});
    s.astro.AstroAktiv.fill(0);
    if (model.device.Uhrentyp == kFamily738) {
        for (auto& limits : s.astro.AstroGrenze) {
            limits.morning = 0;
            limits.evening = 1439;
        }
    }
    model.AktSlot = kProgramSlot;
    model.Geaendert = 0;
    model.LeerSpeichern = 0;
}

} // namespace zendrik
