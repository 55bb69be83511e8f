#pragma once

#include "editing/EntrySession.h"
#include "editing/SwitchingTimeFields.h"

namespace zendrik {

// The switching-time dialog (frmEingSz) without its window: the dialog
// shows fields() in its widgets, writes the widgets back before OK, and
// shows the fields again after every OK, step and row change.
class SwitchingTimeEntry : public EntrySession {
public:
    // New entries: an empty source. Change and copy: the list shown and its
    // marked rows; the first marked entry is loaded.
    SwitchingTimeEntry(ProgramModel& model, AssistantSettings& settings, UserInteraction& ui,
                       int eingabeModus = EingabeNeu, EntrySource source = {});

    SwitchingTimeFields& fields() { return fields_; }
    const SwitchingTimeFields& fields() const { return fields_; }

    LastEntryPanel panel(const TextTable& texts) const override;

protected:
    bool priorityRegion() const override { return false; }
    bool isOwnKind(const Entry& e) const override;
    EntryResult buildEntries(std::vector<Entry>& entries) const override;
    void loadEntry(const Entry& e) override;
    void stepFields() override;

private:
    SwitchingTimeFields fields_;
};

} // namespace zendrik
