#include "editing/ProgramList.h"

#include "calendar/AstroTable.h"
#include "calendar/SommerzeitTage.h"

#include "editing/EntryTexts.h"
#include "editing/ListFilter.h"
#include "editing/ListTexts.h"
#include "editing/SwitchingTimeText.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/DstRowCodec.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <QStringBuilder>

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kAstroGridRows = 367;

// What every cell text of one list depends on, and the texts every row uses.
struct CellContext {
    CellContext(const TextTable& t, const DeviceSettings& d, const ListSources& s)
        : texts(t), device(d), sources(s),
          // Whole-day boundaries of priority times.
          midnight(QLatin1String(" 00") % t(TextId::TimeSeparator) % QLatin1String("00 ") % t(TextId::OClock)),
          dayEnd(QLatin1String(" 24") % t(TextId::TimeSeparator) % QLatin1String("00 ") % t(TextId::OClock))
    {
    }

    const TextTable& texts;
    const DeviceSettings& device;
    const ListSources& sources;
    const QString midnight;
    const QString dayEnd;

    bool eib() const { return device.EibFormat != 0; }
    const QString& text(TextId id) const { return texts(id); }
};

void addBlankCells(QStringList& cells, int count)
{
    for (int i = 0; i < count; ++i)
        cells << QString();
}

void addSwitchingCells(QStringList& cells, const Entry& e, const CellContext& c)
{
    cells << SwitchingTimeCells(e, c.texts, c.device);
}

void addPriorityCells(QStringList& cells, const Entry& e, const CellContext& c)
{
    // Only entries marked as priority times (b0 bits 5 and 6) are shown.
    if ((e.b[0] & 0x60) != 0x60) {
        addBlankCells(cells, 6);
        return;
    }
    if (e.b[0] == kEasterMarker) {
        cells << EasterOffsetText(PriorityEasterOffset(e), c.texts, c.sources.holidayName);
        cells << c.midnight % QLatin1String(" -") % c.dayEnd;
    } else {
        // The bus format keeps the state and the channel where the conventional
        // format keeps the year; its priority times hold every year.
        const int yearCode = c.eib() ? 0 : PriorityYearCode(e);
        const QString year = yearCode >= 1 ? QString::number(kYearCodeBase + yearCode) : QString();
        cells << FormatDate(PriorityFromDay(e), PriorityFromMonth(e), c.texts, c.device) % QLatin1Char(' ') % year
                % c.midnight;
        cells << FormatDate(PriorityToDay(e), PriorityToMonth(e), c.texts, c.device) % c.dayEnd;
    }
    cells << EntryChannelsText(e, c.texts, c.device);
    cells << EntryOnceText(e, c.device);
    cells << EntryStateText(e, c.texts, c.device);
    const int priority = EntryPriority(e, c.eib());
    cells << (priority >= kPermanentPriority ? c.text(TextId::PermShort) : QString::number(priority));
}

QString changeoverText(const DstChangeover& change, const CellContext& c)
{
    return FormatDate(change.day, change.month, c.texts, c.device) % QLatin1Char(' ') % QString::number(change.hour)
        % c.text(TextId::TimeSeparator) % QLatin1String("00 ") % c.text(TextId::OClock);
}

QString shiftText(int hours, const CellContext& c)
{
    if (hours == 1)
        return c.text(TextId::OneHour);
    return QString::number(hours) + QLatin1Char(' ') + c.text(TextId::ColHours);
}

// A new item row holding its row number; the caller adds the other cells.
QStringList& newRow(ProgramList& list)
{
    QStringList cells;
    cells.reserve(static_cast<qsizetype>(list.columns.size()));
    cells << RowNumberText(static_cast<int>(list.rows.size()) + 1);
    list.rows.push_back(std::move(cells));
    return list.rows.back();
}

QString captionName(const ProgramSlot& s)
{
    return QStringLiteral("(") + s.Dateiname + QLatin1Char(')');
}

void buildEntryView(ProgramList& list, const ProgramModel& model, const ListFilter& filter, const CellContext& c)
{
    const bool priority = list.Ansicht == AnsichtPrioritaetszeiten;
    const ProgramSlot& s = model.slot(list.slot);
    const QString name = captionName(s);
    const QString prefix = list.slot == kSampleSlot ? c.text(TextId::Sample) : QString();
    list.caption = prefix + c.text(priority ? TextId::PriorityList : TextId::SwitchingList) + name;

    const QString no = c.text(TextId::ColNo);
    const QString channels = c.text(TextId::ColChannels);
    const QString state = c.text(TextId::ColState);
    const QString prio = c.text(TextId::PrioShort);
    if (priority) {
        list.columns = {{no, 500}, {c.text(TextId::BeginOn), 2600}, {c.text(TextId::EndOn), 2600}, {channels, 2000}, {kOnceText, 800}, {state, 1400}, {prio, 1400}};
    } else if (!HasPulses(c.device.Uhrentyp)) {
        list.columns = {{no, 500}, {c.text(TextId::ColDateDays), 2400}, {c.text(TextId::TimeOfDay), 1400}, {channels, 3400}, {kOnceText, 800}, {state, 1400}, {prio, 1400}};
    } else {
        list.columns = {{no, 500}, {c.text(TextId::ColDateDays), 2400}, {c.text(TextId::TimeOfDay), 1400}, {channels, 2000}, {c.text(TextId::Pulse), 1400}, {kOnceText, 800}, {state, 1400}, {prio, 1400}};
    }

    const int filterMode = priority ? kDisplayPriority - filter.FilterAktiv : filter.FilterAktiv;
    list.display = BuildDisplayList(model, filter, filterMode, list.slot);
    list.rows.reserve(list.display.Anzeige.size());
    for (const Entry& e : list.display.Anzeige) {
        if (priority)
            addPriorityCells(newRow(list), e, c);
        else
            addSwitchingCells(newRow(list), e, c);
    }
    list.ListenZeilen = list.display.AnzAnzeige;
}

void buildDstView(ProgramList& list, const ProgramModel& model, const CellContext& c)
{
    const ProgramSlot& s = model.slot(list.slot);
    list.caption = c.text(TextId::DstTable) + QLatin1Char(' ') + captionName(s);
    list.columns = {{c.text(TextId::ColNo), 500}, {c.text(TextId::Year), 2000}, {c.text(TextId::ForwardOn), 2800}, {c.text(TextId::AtTime), 1600}, {c.text(TextId::BackOn), 2800}, {c.text(TextId::AtTime), 1600}};
    // Row i holds the changeovers of the reference year + i, the year the
    // device and the simulation use it for.
    const int firstYear = SoWiBezugsjahr(s);
    const int rows = std::clamp(s.AnzSoWi, 0, kDstRows);
    for (int i = 0; i < rows; ++i) {
        const DstEntry d = DecodeDstRow(s.SoWiTab[static_cast<std::size_t>(i)]);
        newRow(list) << QString::number(firstYear + i) << changeoverText(d.forward, c) << shiftText(d.forward.shift, c)
                     << changeoverText(d.back, c) << shiftText(d.back.shift, c);
    }
    list.ListenZeilen = rows;
}

void buildAstroView(ProgramList& list, const ProgramModel& model, const CellContext& c)
{
    const ProgramSlot& s = model.slot(list.slot);
    list.caption = c.text(TextId::AstroTimesCaption) + QLatin1Char(' ') + captionName(s);
    list.columns = {{c.text(TextId::ColNo), 500},
                    {c.text(TextId::ColChannels), 2700},
                    {c.text(TextId::AstroOnDay), 2700},
                    {c.text(TextId::SwitchOffAt), 2700},
                    {c.text(TextId::SwitchOnAt), 2700}};
    const int year = model.currentYear();
    const int days = IsLeapYear(year) ? 366 : 365;
    const int channel = std::clamp(c.sources.astroChannel, 0, kAstroChannels - 1);
    const bool active = s.astro.AstroAktiv[static_cast<std::size_t>(channel + 1)] != 0;
    const QString& prefix = c.text(TextId::ChannelPrefix);
    QString channels = prefix + QLatin1Char('1');
    if (HasAstroTablePerChannel(c.device.Uhrentyp))
        channels = prefix + QString::number(channel + 1);
    else if (c.device.AstroC1C2 != 0)
        channels += QLatin1Char(' ') + prefix + QLatin1Char('2');

    for (int day = 1; day <= days; ++day) {
        QStringList& cells = newRow(list);
        if (!active) {
            addBlankCells(cells, 4);
            continue;
        }
        // The times as the device switches them: with the summer hour and, on
        // the astro family, its offsets. No time, or one pushed out of the
        // day, shows as the empty time.
        const AstroShownTimes shown = ShownAstroTimes(model, list.slot, channel, day, year);
        auto text = [&](const std::optional<int>& minutes) {
            return FormatTime(minutes && *minutes >= 0 && *minutes < 1440 ? *minutes : 1440, c.texts);
        };
        cells << channels
              << FormatDate(DayOfMonthOfDayOfYear(day, year), MonthOfDayOfYear(day, year), c.texts, c.device)
              << text(shown.rise) << text(shown.set);
    }
    list.ListenZeilen = days;
}

} // namespace

ProgramList ProgramList::Build(const ProgramModel& model, const TextTable& texts, const ListFilter& filter,
                               int ansicht, int slotIndex, const ListSources& sources)
{
    ProgramList list;
    list.Ansicht = ansicht;
    list.slot = slotIndex;
    const ProgramSlot& s = model.slot(slotIndex);
    list.memoryLabel = MemoryLabel(s.AnzEintrag, model.device.MaxEintrag, texts);

    const CellContext context{texts, model.device, sources};
    switch (ansicht) {
    case AnsichtSchaltzeiten:
    case AnsichtPrioritaetszeiten:
        buildEntryView(list, model, filter, context);
        break;
    case AnsichtSoWiTabelle:
        buildDstView(list, model, context);
        break;
    case AnsichtAstrozeiten:
        buildAstroView(list, model, context);
        break;
    default:
        break;
    }
    return list;
}

int ProgramList::gridRows(int minZeilen) const
{
    if (Ansicht == AnsichtAstrozeiten)
        return kAstroGridRows;
    return std::max(static_cast<int>(rows.size()) + 2, minZeilen);
}

int ProgramList::entryIndexOfRow(int row) const
{
    if (row < 1 || row > display.AnzAnzeige)
        return -1;
    return display.AnzeigeIndex[static_cast<std::size_t>(row - 1)];
}

} // namespace zendrik
