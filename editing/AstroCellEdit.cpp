#include "editing/AstroCellEdit.h"

#include "calendar/AstroTable.h"
#include "calendar/DayProfile.h"
#include "calendar/SommerzeitTage.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <algorithm>

namespace zendrik {

namespace {

bool IsTime(int stored)
{
    return stored >= 0 && stored < kMinutesOfDay;
}

// What the list adds to a stored time of that column on that day.
int ShownShift(const ProgramModel& model, int column, int dayOfYear, int year)
{
    const ProgramSlot& s = model.program();
    int shift = 0;
    if (!AstroTableHoldsOffsets(model.device.Uhrentyp))
        shift += column == kAstroRiseColumn ? s.astro.AstroOffsetAuf : s.astro.AstroOffsetUnter;
    if (IstSommerzeit(SommerzeitTageVon(model.device.SwRegel, s, year), dayOfYear))
        shift += kSummerHour;
    return shift;
}

} // namespace

bool IsAstroTimeColumn(int column)
{
    return column == kAstroRiseColumn || column == kAstroSetColumn;
}

AstroCellStart AstroCellStartValues(const ProgramModel& model, int channel, int row, int column)
{
    const int year = model.currentYear();
    if (channel < 0 || channel >= kAstroChannels || row < 1 || row > DaysInYear(year) || !IsAstroTimeColumn(column))
        return {};
    const AstroDay& day = model.program().astro.AstroTab[static_cast<std::size_t>(channel)][static_cast<std::size_t>(row - 1)];
    const bool rise = column == kAstroRiseColumn;
    const int stored = rise ? day.rise : day.set;
    AstroCellStart start;
    // The device's state of the column: OFF at sunrise, ON at sunset.
    start.AstroEditZustand = (rise ? kAstroRiseState : kAstroSetState) != 0 ? 1 : 0;
    if (IsTime(stored)) {
        const int shown = stored + ShownShift(model, column, row, year);
        if (IsTime(shown)) {
            start.minutes = shown;
            start.hasTime = true;
        }
    }
    return start;
}

AstroEdit AstroEditOk(const ProgramModel& model, int modus, int hour, int minute, int zustand)
{
    AstroEdit e;
    e.AstroEditModus = modus;
    e.AstroEditZustand = zustand != 0 ? 1 : 0;
    switch (modus) {
    case AstroEditLoeschen:
        e.AstroEditWert = model.device.KeineZeit;
        e.AstroEditVersatz = 0;
        e.AstroEditZustand = 0;
        break;
    case AstroEditAendern:
        e.AstroEditWert = hour * 60 + minute;
        e.AstroEditVersatz = 0;
        break;
    default:
        e.AstroEditModus = AstroEditVerschieben;
        e.AstroEditVersatz = hour * 60 + minute;
        break;
    }
    return e;
}

AstroEdit AstroEditCancel()
{
    return AstroEdit{};
}

AstroEditOutcome ApplyAstroEdit(ProgramModel& model, int channel, int column, int firstRow, int lastRow,
                                const AstroEdit& edit)
{
    AstroEditOutcome outcome;
    if (edit.AstroEditVersatz < 0 || channel < 0 || channel >= kAstroChannels || !IsAstroTimeColumn(column))
        return outcome;
    const int year = model.currentYear();
    const int first = std::max(firstRow, 1);
    const int last = std::min(lastRow, DaysInYear(year));
    const bool rise = column == kAstroRiseColumn;
    const int keineZeit = model.device.KeineZeit;
    auto& table = model.program().astro.AstroTab[static_cast<std::size_t>(channel)];
    for (int row = first; row <= last; ++row) {
        AstroDay& day = table[static_cast<std::size_t>(row - 1)];
        int& time = rise ? day.rise : day.set;
        // The device switches OFF at sunrise and ON at sunset whatever the
        // editor's state says: the cell keeps the device's state.
        int& state = rise ? day.riseState : day.setState;
        state = rise ? kAstroRiseState : kAstroSetState;
        switch (edit.AstroEditModus) {
        case AstroEditLoeschen:
            time = keineZeit;
            break;
        case AstroEditAendern: {
            // The list shows the time with the summer hour: store it without.
            const int stored = edit.AstroEditWert - ShownShift(model, column, row, year);
            if (!IsTime(stored)) {
                ++outcome.outsideDay;
                continue;
            }
            time = stored;
            break;
        }
        default:
            // A cell without a time stays without one.
            if (!IsTime(time))
                continue;
            time = (time + edit.AstroEditVersatz) % kMinutesOfDay;
            break;
        }
        ++outcome.changed;
    }
    model.Geaendert = 1;
    return outcome;
}

} // namespace zendrik
