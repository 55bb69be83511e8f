#include "model/ProgramSetup.h"

#include "model/DeviceTypes.h"
#include "model/ProgramModel.h"
#include "model/Settings.h"

namespace zendrik {

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
