#include "editing/PriorityTimeEntry.h"

#include "calendar/FeiertagTabelle.h"
#include "editing/EditAssistant.h"
#include "model/ProgramModel.h"

namespace zendrik {

PriorityTimeEntry::PriorityTimeEntry(ProgramModel& model, AssistantSettings& settings, UserInteraction& ui,
                                     const FeiertagTabelle* feiertage, int eingabeModus, EntrySource source)
    : EntrySession(model, settings, ui, eingabeModus, std::move(source),
                   {TextId::EnterPriorityTimesTitle, TextId::ChangePriorityTimesTitle,
                    TextId::CopyPriorityTimesTitle}),
      feiertage_(feiertage)
{
    loadCurrentRow();
}

LastEntryPanel PriorityTimeEntry::panel(const TextTable& texts) const
{
    const Entry* e = browsedEntry();
    if (!e)
        return {};
    HolidayNameSource name;
    if (feiertage_)
        name = [this](int offset) { return feiertage_->FeiertagName(offset + kEasterOffsetBias); };
    return LastEntryPanel::ofPriorityTime(*e, texts, model_.device, name);
}

bool PriorityTimeEntry::isOwnKind(const Entry& e) const
{
    const int kind = EntryKind(e, model_.eib());
    return kind == KindPriority || kind == KindPriorityBus;
}

EntryResult PriorityTimeEntry::buildEntries(std::vector<Entry>& entries) const
{
    const QDate today = model_.clock().date();
    return fields_.build(model_.device, CalendarDate{today.day(), today.month(), today.year()}, entries);
}

bool PriorityTimeEntry::buildBatch(std::vector<Entry>& entries, int& items) const
{
    if (!fields_.bewFeiertag || !fields_.feiertagSetGewaehlt || fields_.feiertagSet.empty())
        return false;
    const QDate today = model_.clock().date();
    const CalendarDate day{today.day(), today.month(), today.year()};
    entries.clear();
    items = 0;
    PriorityTimeFields one = fields_;
    for (const Feiertag& f : fields_.feiertagSet) {
        one.feiertag = f;
        std::vector<Entry> made;
        if (one.build(model_.device, day, made) != EntryResult::Stored)
            continue;
        entries.insert(entries.end(), made.begin(), made.end());
        ++items;
    }
    return true;
}

void PriorityTimeEntry::loadEntry(const Entry& e)
{
    fields_ = PriorityTimeFields::of(e, model_.device, feiertage_);
}

void PriorityTimeEntry::stepFields()
{
    AssistantStep(fields_, settings_, model_.currentYear(), model_.eib());
}

} // namespace zendrik
