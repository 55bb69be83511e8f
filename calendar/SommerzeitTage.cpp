#include "calendar/SommerzeitTage.h"

#include "model/DstRowCodec.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

namespace zendrik {

namespace {

// Summer time starts on the last Sunday of March everywhere but in the USA,
// and ends on the last Sunday of October everywhere but in Great Britain.
int LastSundayOfMarch(int year)
{
    return SonntagVor(1, 4, year);
}

int LastSundayOfOctober(int year)
{
    return SonntagVor(1, 11, year);
}

// The day of year of a changeover of a table row; 0 when the row holds no
// real date (a damaged row must not count as a changeover).
int RowDay(const DstChangeover& c, int year)
{
    if (c.month < 1 || c.month > 12 || c.day < 1 || c.day > TageImMonat(c.month, year))
        return 0;
    return DayOfYear(c.day, c.month, year);
}

} // namespace

SommerzeitTage RegelTage(int swRegel, int year)
{
    switch (swRegel) {
    case SwEuropa:
        return SommerzeitTage{LastSundayOfMarch(year), LastSundayOfOctober(year)};
    case SwGrossbritannien:
        return SommerzeitTage{LastSundayOfMarch(year), SonntagVor(29, 10, year)};
    case SwUsa:
        return SommerzeitTage{SonntagVor(15, 4, year), LastSundayOfOctober(year)};
    default:
        return SommerzeitTage{};
    }
}

int SoWiBezugsjahr(const ProgramSlot& slot)
{
    return SoWiBezugsjahr(slot.SoWiJahr, slot.SoWiInfo);
}

int SoWiBezugsjahr(int soWiJahr, int soWiInfo)
{
    return (soWiJahr % 64) + kSoWiFirstYear + (soWiInfo == 0 ? 1 : 0);
}

int SoWiJahrFuer(int year, int soWiInfo)
{
    return year - kSoWiFirstYear - (soWiInfo == 0 ? 1 : 0);
}

SommerzeitTage TabellenTage(const ProgramSlot& slot, int year)
{
    const int row = year - SoWiBezugsjahr(slot);
    if (row < 1 || row >= kDstRows || row >= slot.AnzSoWi)
        return SommerzeitTage{};
    const DstRow& raw = slot.SoWiTab[static_cast<std::size_t>(row)];
    if (!IsUsedDstRow(raw))
        return SommerzeitTage{};
    const DstEntry entry = DecodeDstRow(raw);
    const int forward = RowDay(entry.forward, year);
    const int back = RowDay(entry.back, year);
    if (forward == 0 || back == 0)
        return SommerzeitTage{};
    return SommerzeitTage{forward, back};
}

SommerzeitTage SommerzeitTageVon(int swRegel, const ProgramSlot& slot, int year)
{
    return swRegel == SwTabelle ? TabellenTage(slot, year) : RegelTage(swRegel, year);
}

bool IstSommerzeit(const SommerzeitTage& tage, int dayOfYear)
{
    if (!tage.hasChangeover())
        return false;
    if (tage.forward <= tage.back)
        return tage.forward <= dayOfYear && dayOfYear <= tage.back;
    return dayOfYear >= tage.forward || dayOfYear <= tage.back;
}

bool IstSommerzeit(const ProgramModel& model, int slot, int day, int month, int year)
{
    const SommerzeitTage tage = SommerzeitTageVon(model.device.SwRegel, model.slot(slot), year);
    return IstSommerzeit(tage, TageBisMonatsende(month - 1, year) + day);
}

} // namespace zendrik
