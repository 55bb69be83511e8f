#include "editing/SwitchingTimeEntry.h"

#include "editing/EditAssistant.h"
#include "model/ProgramModel.h"

namespace zendrik {

SwitchingTimeEntry::SwitchingTimeEntry(ProgramModel& model, AssistantSettings& settings, UserInteraction& ui,
                                       int eingabeModus, EntrySource source)
    : EntrySession(model, settings, ui, eingabeModus, std::move(source),
                   {TextId::EnterSwitchingTimesTitle, TextId::ChangeSwitchingTimesTitle,
                    TextId::CopySwitchingTimesTitle})
{
    loadCurrentRow();
}

LastEntryPanel SwitchingTimeEntry::panel(const TextTable& texts) const
{
    const Entry* e = browsedEntry();
    if (!e)
        return {};
    return LastEntryPanel::ofSwitchingTime(*e, texts, model_.device);
}

bool SwitchingTimeEntry::isOwnKind(const Entry& e) const
{
    const int kind = EntryKind(e, model_.eib());
    return kind == KindWeekly || kind == KindDated || kind == KindWeeklyBus || kind == KindDatedBus;
}

EntryResult SwitchingTimeEntry::buildEntries(std::vector<Entry>& entries) const
{
    Entry e;
    const EntryResult result = fields_.build(model_.device, e);
    if (result == EntryResult::Stored)
        entries.push_back(e);
    return result;
}

void SwitchingTimeEntry::loadEntry(const Entry& e)
{
    fields_ = SwitchingTimeFields::of(e, model_.device);
}

void SwitchingTimeEntry::stepFields()
{
    AssistantStep(fields_, settings_, model_.currentYear(), model_.eib());
}

} // namespace zendrik
