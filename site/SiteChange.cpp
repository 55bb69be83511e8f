#include "site/SiteChange.h"

#include "calendar/AstroEingabe.h"
#include "calendar/AstroTable.h"
#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "editing/ChannelChoice.h"
#include "editing/CompareEntries.h"
#include "editing/EntryFields.h"
#include "editing/SwitchingTimeText.h"
#include "editing/checks/ProgramDiff.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/ProgramSort.h"
#include "model/UserInteraction.h"
#include "site/SiteChangeTexts.h"
#include "site/SiteFile.h"
#include "site/SiteState.h"

#include <algorithm>
#include <memory>

namespace zendrik {

namespace ChT = sitechangetexts;

namespace {

bool RefuseChange(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

// The priority times of the holidays of the years, on the chosen channels:
// one entry per day, or on devices whose entries name one channel, one per
// day and channel.
bool AddHolidayTimes(ProgramModel& model, const SiteChange& change, const TextTable& texts, ExtraLanguage lang,
                     QString* reason)
{
    const DeviceSettings& device = model.device;
    const bool eib = device.EibFormat != 0;
    // A priority time bound to its year needs the annual variant of the
    // weekly/annual family (the bus format has no room for a year at all);
    // the others take a holiday once, on its next date, so one year at a time.
    const bool years = !eib && (device.Uhrentyp != kFamily731 || device.Bewft != 0);
    if (!years && change.fromYear != change.toYear)
        return RefuseChange(reason, ChT::kOneYearOnly.in(lang));
    const int allChannels = (1 << std::min(device.Kanalzahl, 16)) - 1;
    // Without a choice the days go where the device's own priority-time
    // dialog puts a holiday set: on every channel box of a device of up to
    // four channels, and on the sixteen-channel device, whose channel list
    // names one channel and starts at channel 1, on channel 1.
    const int channels = change.channels != 0           ? change.channels & allChannels
                         : ChannelChoice::usesCombo(device) ? 1
                                                            : allChannels;
    const bool onePerChannel = eib || ChannelChoice::usesCombo(device);

    std::vector<CalendarDate> days;
    for (int year = change.fromYear; year <= change.toYear; ++year) {
        const std::vector<std::optional<CalendarDate>> substitutes = ErsatzTage(change.holidays, year);
        for (std::size_t i = 0; i < change.holidays.size(); ++i) {
            if (const std::optional<CalendarDate> date = FeiertagDatum(change.holidays[i], year))
                days.push_back(*date);
            if (i < substitutes.size() && substitutes[i])
                days.push_back(*substitutes[i]);
        }
    }
    if (days.empty())
        return RefuseChange(reason, ChT::kNoHolidays.in(lang));

    std::vector<Entry> fresh;
    for (const CalendarDate& d : days) {
        const int yearCode = years ? d.year - kYearCodeBase : 0;
        if (years && (yearCode < 1 || yearCode > kMaxYearCode))
            return RefuseChange(reason, ChT::kYearOutOfRange.in(lang).arg(d.year));
        if (!onePerChannel) {
            fresh.push_back(BuildPriorityEntry(d.day, d.month, d.day, d.month, yearCode, true, change.priority, channels,
                                               change.state));
            continue;
        }
        for (int c = 0; c < 16; ++c) {
            if (!(channels & (1 << c)))
                continue;
            fresh.push_back(eib ? BuildPriorityEntryEib(d.day, d.month, d.day, d.month, true, change.priority, c + 1,
                                                        change.state)
                                : BuildPriorityEntry(d.day, d.month, d.day, d.month, yearCode, true, change.priority, c,
                                                     change.state));
        }
    }

    // A day the program keeps already is not entered twice.
    ProgramSlot& slot = model.program();
    const auto begin = slot.Eintrag.begin() + slot.AnzSz;
    const auto end = slot.Eintrag.begin() + slot.AnzSz + slot.AnzPz;
    std::vector<Entry> add;
    for (const Entry& e : fresh) {
        if (std::find(begin, end, e) == end && std::find(add.begin(), add.end(), e) == add.end())
            add.push_back(e);
    }
    const int used = slot.AnzSz + slot.AnzPz;
    const int free = std::max(0, std::min(device.MaxEintrag, kEntryRows) - used);
    if (static_cast<int>(add.size()) > free)
        return RefuseChange(reason, ChT::kMemoryFull.in(lang).arg(add.size()).arg(free));
    (void)texts;
    for (const Entry& e : add)
        slot.Eintrag[static_cast<std::size_t>(slot.AnzSz + slot.AnzPz++)] = e;
    slot.AnzEintrag = slot.AnzSz + slot.AnzPz;
    SortProgram(model, 1, kProgramSlot);
    return true;
}

// The switching time written as `text` on this device, or why there is none.
std::optional<Entry> SwitchingTimeFor(const QString& text, const DeviceSettings& device, const TextTable& texts,
                                      ExtraLanguage lang, QString* reason)
{
    const SwitchingTimeParse parsed = ParseSwitchingTime(text, texts);
    if (!parsed.notation) {
        RefuseChange(reason, SwitchingTimeTextMessage(parsed, lang));
        return std::nullopt;
    }
    Entry e;
    const SwitchingTimeFit fit = BuildSwitchingTime(*parsed.notation, device, e);
    if (fit != SwitchingTimeFit::Fits) {
        RefuseChange(reason, SwitchingTimeFitMessage(fit, device, lang));
        return std::nullopt;
    }
    return e;
}

// One switching time added, changed or deleted as the entry dialog and the
// list's delete do it: a new one goes at the end of the switching times, a
// changed one takes the place of the old, and the program is sorted into
// list order again. A time that meets another at the same moment is left
// to the user (the dialog would ask before overwriting).
bool ChangeSwitchingTime(ProgramModel& model, const SiteChange& change, const TextTable& texts, ExtraLanguage lang,
                         QString* reason)
{
    const DeviceSettings& device = model.device;
    const bool eib = device.EibFormat != 0;
    const std::optional<Entry> named = SwitchingTimeFor(change.entry, device, texts, lang, reason);
    if (!named)
        return false;
    ProgramSlot& slot = model.program();
    const int used = std::clamp(slot.AnzSz + slot.AnzPz, 0, kEntryRows);
    const auto switching = slot.Eintrag.begin() + std::clamp(slot.AnzSz, 0, used);
    int target = -1;
    if (change.kind != SiteChange::Kind::AddTime) {
        const auto found = std::find(slot.Eintrag.begin(), switching, *named);
        if (found == switching)
            return RefuseChange(reason, ChT::kTimeNotFound.in(lang));
        target = static_cast<int>(found - slot.Eintrag.begin());
    }
    if (change.kind == SiteChange::Kind::DeleteTime) {
        std::move(slot.Eintrag.begin() + target + 1, slot.Eintrag.begin() + used, slot.Eintrag.begin() + target);
        slot.Eintrag[static_cast<std::size_t>(used - 1)] = Entry{};
        --slot.AnzSz;
        slot.AnzEintrag = slot.AnzSz + slot.AnzPz;
        SortProgram(model, 1, kProgramSlot);
        return true;
    }

    Entry fresh = *named;
    if (change.kind == SiteChange::Kind::ChangeTime) {
        if (change.entry2.trimmed().isEmpty())
            return RefuseChange(reason, ChT::kNoNewTime.in(lang));
        const std::optional<Entry> second = SwitchingTimeFor(change.entry2, device, texts, lang, reason);
        if (!second)
            return false;
        fresh = *second;
    }
    for (int i = 0; i < used; ++i) {
        const Entry& there = slot.Eintrag[static_cast<std::size_t>(i)];
        const int conflict = i == target ? ConflictNone : CompareEntries(there, fresh, eib);
        if (conflict == ConflictSame)
            return RefuseChange(reason, ChT::kTimeThere.in(lang));
        if (conflict != ConflictNone)
            return RefuseChange(reason, ChT::kTimeConflict.in(lang).arg(
                                            FormatSwitchingTime(there, texts, device).simplified()));
    }
    if (target >= 0) {
        slot.Eintrag[static_cast<std::size_t>(target)] = fresh;
    } else {
        const int free = std::max(0, std::min(device.MaxEintrag, kEntryRows) - used);
        if (free < 1)
            return RefuseChange(reason, ChT::kMemoryFull.in(lang).arg(1).arg(free));
        // Switching times stay ahead of the priority times, which move up one.
        const int index = slot.AnzSz;
        std::move_backward(slot.Eintrag.begin() + index, slot.Eintrag.begin() + used, slot.Eintrag.begin() + used + 1);
        slot.Eintrag[static_cast<std::size_t>(index)] = fresh;
        ++slot.AnzSz;
        slot.AnzEintrag = slot.AnzSz + slot.AnzPz;
    }
    SortProgram(model, 1, kProgramSlot);
    return true;
}

bool SetAstroPlace(ProgramModel& model, const SiteChange& change, ExtraLanguage lang, QString* reason)
{
    if (!change.placeRecord)
        return RefuseChange(reason, ChT::kNoPlace.in(lang));
    const int family = model.device.Uhrentyp;
    if (!HasAstro(family))
        return RefuseChange(reason, ChT::kNoAstro.in(lang));
    // The place moves every channel that follows the sun; the offsets and
    // limits of each stay as they are.
    const AstroProgram& astro = model.program().astro;
    std::vector<int> channels;
    for (int c = 0; c < AstroTableCount(family); ++c) {
        if (astro.AstroAktiv[static_cast<std::size_t>(c + 1)] != 0)
            channels.push_back(c);
    }
    if (channels.empty())
        return RefuseChange(reason, ChT::kNoAstroChannel.in(lang));
    for (const int c : channels) {
        AstroBars bars = AstroBars::FromProgram(model, c);
        bars.laenge = change.placeRecord->laengeBar();
        bars.breite = change.placeRecord->breiteBar();
        bars.zone = change.placeRecord->zoneBar();
        if (!StoreAstroProgram(model, bars.settings(), c))
            return RefuseChange(reason, ChT::kNoAstroChannel.in(lang));
    }
    return true;
}

// The program of a device opened for a change; the reason when it cannot be.
std::unique_ptr<ProgramModel> OpenForSiteChange(const Site& site, const QString& name, const TextTable& texts,
                                                ExtraLanguage lang, SiteChangePreview& preview)
{
    preview.device = name;
    const int index = site.indexOf(name);
    if (index < 0) {
        preview.applicable = false;
        preview.reason = ChT::kNoSuchDevice.in(lang);
        return nullptr;
    }
    const SiteDevice& device = site.devices[static_cast<std::size_t>(index)];
    auto model = std::make_unique<ProgramModel>();
    const SiteDeviceMark mark = device.mark != SiteDeviceMark::None ? device.mark : OpenSiteProgram(site, device, *model);
    if (mark != SiteDeviceMark::None) {
        preview.applicable = false;
        preview.reason = ChT::kProgramNotOpened.in(lang).arg(SiteDeviceMarkText(mark, lang));
        return nullptr;
    }
    model->program().Dateiname = site.programPath(device);
    return model;
}

// Applies the change to a copy and compares it with the program as it was.
std::unique_ptr<ProgramModel> ChangedCopy(const ProgramModel& before, const SiteChange& change, const TextTable& texts,
                                          ExtraLanguage lang, SiteChangePreview& preview)
{
    auto after = std::make_unique<ProgramModel>(before);
    if (!ApplySiteChangeToProgram(*after, change, texts, lang, &preview.reason)) {
        preview.applicable = false;
        return nullptr;
    }
    const ProgramDiff diff = DiffPrograms(before, kProgramSlot, *after, kProgramSlot);
    preview.differences = DiffLines(diff, before, kProgramSlot, *after, kProgramSlot, texts);
    return after;
}

} // namespace

bool ResolveSiteChange(SiteChange& change, const FeiertagTabelle& holidays, const PlaceList& places)
{
    if (change.kind == SiteChange::Kind::Holidays) {
        change.holidays.clear();
        const int set = holidays.findSet(change.holidaySet);
        if (set < 0)
            return false;
        for (const int member : holidays.Sets()[static_cast<std::size_t>(set)].SetGlied) {
            if (member >= 0 && member < holidays.AnzFeiertage())
                change.holidays.push_back(holidays.Feiertage()[static_cast<std::size_t>(member)]);
        }
        return true;
    }
    if (change.kind == SiteChange::Kind::Place) {
        change.placeRecord.reset();
        for (const Place& p : places.places()) {
            if (p.name.compare(change.place, Qt::CaseInsensitive) == 0 && (!change.placeRecord || p.name == change.place))
                change.placeRecord = p;
        }
        return change.placeRecord.has_value();
    }
    return true;
}

bool ApplySiteChangeToProgram(ProgramModel& model, const SiteChange& change, const TextTable& texts,
                              ExtraLanguage lang, QString* reason)
{
    ProgramModel before = model;
    bool done = false;
    switch (change.kind) {
    case SiteChange::Kind::Holidays:
        done = AddHolidayTimes(model, change, texts, lang, reason);
        break;
    case SiteChange::Kind::DstRule:
        if (change.dstRule < SwKeine || change.dstRule > SwUsa)
            return RefuseChange(reason, ChT::kBadRule.in(lang).arg(change.dstRule));
        model.device.SwRegel = change.dstRule;
        MerkeSwRegel(model.device);
        done = true;
        break;
    case SiteChange::Kind::DstZone: {
        // The whole table from the time-zone database, as the table dialog's fill does.
        const SoWiZoneResult filled = SoWiZeilenAusZeitzone(change.zone.toLatin1(), change.firstYear, kDstRows);
        if (!filled.ok() || !FillSoWiTabelle(model.program(), change.firstYear, filled.rows, 0).ok())
            return RefuseChange(reason, ChT::kBadZone.in(lang).arg(change.zone).arg(change.firstYear));
        model.device.SwRegel = SwTabelle;
        done = true;
        break;
    }
    case SiteChange::Kind::Place:
        done = SetAstroPlace(model, change, lang, reason);
        break;
    case SiteChange::Kind::AddTime:
    case SiteChange::Kind::ChangeTime:
    case SiteChange::Kind::DeleteTime:
        done = ChangeSwitchingTime(model, change, texts, lang, reason);
        break;
    }
    if (!done) {
        model = before; // a change that stopped half-way leaves nothing behind
        return false;
    }
    model.Geaendert = 1;
    return true;
}

std::vector<SiteChangePreview> PreviewSiteChange(const Site& site, const QStringList& devices,
                                                 const SiteChange& change, const TextTable& texts,
                                                 ExtraLanguage lang)
{
    std::vector<SiteChangePreview> previews;
    for (const QString& name : devices) {
        SiteChangePreview& preview = previews.emplace_back();
        if (const std::unique_ptr<ProgramModel> before = OpenForSiteChange(site, name, texts, lang, preview))
            ChangedCopy(*before, change, texts, lang, preview);
    }
    return previews;
}

std::vector<SiteChangePreview> ApplySiteChange(Site& site, const QStringList& devices, const SiteChange& change,
                                               const TextTable& texts, ExtraLanguage lang)
{
    // The writer's questions, answered as for a program kept on purpose:
    // save it even when empty, and keep the rule chosen beside a table.
    ScriptedInteraction answers([](const Prompt& p) {
        if (p.key() == TextId::DstTableNotActivated)
            return Answer::No;
        return p.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
    });
    std::vector<SiteChangePreview> previews;
    for (const QString& name : devices) {
        SiteChangePreview& preview = previews.emplace_back();
        const std::unique_ptr<ProgramModel> before = OpenForSiteChange(site, name, texts, lang, preview);
        if (!before)
            continue;
        const std::unique_ptr<ProgramModel> after = ChangedCopy(*before, change, texts, lang, preview);
        if (!after || preview.differences.isEmpty())
            continue;
        const SaveOutcome saved = SaveProgram(*after, answers);
        if (saved.result != 1) {
            preview.applicable = false;
            preview.reason = ChT::kNotWritten.in(lang).arg(saved.error.isEmpty() ? after->program().Dateiname : saved.error);
        }
    }
    return previews;
}

} // namespace zendrik
