#pragma once

#include "editing/EntrySession.h"
#include "editing/PriorityTimeFields.h"

namespace zendrik {

class FeiertagTabelle;

// The priority-time dialog (frmEingPZ) without its window; see
// SwitchingTimeEntry. The holiday table gives the movable holidays their
// names and is optional.
class PriorityTimeEntry : public EntrySession {
public:
    PriorityTimeEntry(ProgramModel& model, AssistantSettings& settings, UserInteraction& ui,
                      const FeiertagTabelle* feiertage = nullptr, int eingabeModus = EingabeNeu,
                      EntrySource source = {});

    PriorityTimeFields& fields() { return fields_; }
    const PriorityTimeFields& fields() const { return fields_; }

    LastEntryPanel panel(const TextTable& texts) const override;

protected:
    bool priorityRegion() const override { return true; }
    bool isOwnKind(const Entry& e) const override;
    EntryResult buildEntries(std::vector<Entry>& entries) const override;
    void loadEntry(const Entry& e) override;
    void stepFields() override;
    // OK for all with a holiday set: every holiday of the set once.
    bool buildBatch(std::vector<Entry>& entries, int& items) const override;

private:
    const FeiertagTabelle* feiertage_;
    PriorityTimeFields fields_;
};

} // namespace zendrik
