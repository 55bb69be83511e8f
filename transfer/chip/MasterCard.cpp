#include "transfer/chip/MasterCard.h"

#include "model/DeviceFamily.h"
#include "model/DeviceImage.h"
#include "model/ProgramModel.h"

#include <algorithm>

namespace zendrik {

namespace {

int bitValue(int v)
{
    return v != 0 ? 1 : 0;
}

} // namespace

MasterState MasterStateOf(const ProgramModel& model)
{
    const DeviceSettings& d = model.device;
    MasterState s;
    s.masterCard = IsMasterProgram(model.program());
    s.Dauertaste = bitValue(d.Dauertaste);
    s.Nak = bitValue(d.Nak);
    s.Datumsformat = bitValue(d.Datumsformat);
    s.SpracheUhr = bitValue(d.SpracheUhr);
    s.Funk = bitValue(d.Funk);
    for (int b = 0; b < 8; ++b)
        s.bits[static_cast<std::size_t>(b)] = (d.MasterKennung >> b) & 1;
    return s;
}

bool MasterBitsApply(const ProgramModel& model)
{
    return HasMasterCardOptions(model.device.Uhrentyp);
}

bool MasterLanguageApplies(const ProgramModel& model)
{
    return HasMasterCardOptions(model.device.Uhrentyp);
}

void ApplyMasterClick(ProgramModel& model, UserInteraction& ui, const MasterClick& click)
{
    DeviceSettings& d = model.device;
    const int v = bitValue(click.value);
    switch (click.field) {
    case MasterField::CardKind:
        SetMasterProgram(d, v != 0);
        break;
    case MasterField::Dauertaste:
        d.Dauertaste = v;
        break;
    case MasterField::Nak:
        d.Nak = v;
        break;
    case MasterField::Datumsformat:
        d.Datumsformat = v;
        break;
    case MasterField::SpracheUhr:
        if (!MasterLanguageApplies(model))
            return;
        d.SpracheUhr = v;
        break;
    case MasterField::Funk:
        d.Funk = v;
        break;
    case MasterField::Bit:
        if (!MasterBitsApply(model) || click.bit < 0 || click.bit > 7)
            return;
        d.MasterKennung = ((d.MasterKennung & 0xFF) & ~(1 << click.bit)) | (v << click.bit);
        break;
    }
    model.Geaendert = 1;
    BuildHeader(model, ui);
}

} // namespace zendrik
