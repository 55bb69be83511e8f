#pragma once

#include "editing/AssistantSettings.h"
#include "editing/DisplayList.h"
#include "editing/EntryResult.h"
#include "editing/LastEntryPanel.h"
#include "editing/MarkRange.h"
#include "language/Prompt.h"

#include <array>
#include <optional>
#include <vector>

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;

// EingabeModus: what an entry dialog does with OK.
enum EingabeModusCode : int {
    EingabeNeu = 0,      // add new entries
    EingabeAendern = 1,  // change the marked entries of the program
    EingabeKopieren = 2, // copy the marked entries (from the program or the sample) into the program
};

// The marked rows a change or copy works through: the list as it was shown
// (slot and display list) and the marked display rows.
struct EntrySource {
    int slot = 0;
    DisplayList display;
    MarkRange marks;
};

// What one OK (or OK-for-all tick) did and what the dialog does next. The
// core has beeped for every refusal and conflict and asked the overwrite
// questions itself.
struct EntryOutcome {
    EntryResult result = EntryResult::Idle;
    // Close the dialog: the last marked row is done, or the memory is full.
    bool finished = false;
    // OK for all goes on: start Tmalleok again.
    bool restartTimer = false;
    // Show this message (a refusal, or the memory filled up).
    std::optional<Prompt> message;
};

// The message that belongs to a result, if any.
std::optional<Prompt> EntryMessage(EntryResult result, bool priorityTime);

// The rules of an entry dialog that need no window: storing with its counts
// and capacity, the conflict scan, the walk over the marked rows, OK for
// all, the assistant hook and the browse over the program's entries. The
// dialog binds its widgets to the fields of the derived session, calls
// these functions from its buttons and timer, and shows what comes back.
class EntrySession {
public:
    virtual ~EntrySession() = default;

    int EingabeModus() const { return modus_; }
    // Call when the dialog opens or becomes active again.
    OpenResult check() const;

    // OK (cmdSzok / cmdPzOk).
    EntryOutcome ok();
    // Cmdalleok: set the flag; the dialog then starts Tmalleok.
    void okForAll() { okForAll_ = true; }
    bool okForAllActive() const { return okForAll_; }
    // A tick of Tmalleok (the dialog stops the timer first): OK while the flag is set.
    EntryOutcome timerTick();
    // Cmd1xauto: one assistant step on the fields.
    void assistantStep() { stepFields(); }

    // The display row being changed or copied (0-based).
    int currentRow() const { return row_; }
    const MarkRange& marks() const { return source_.marks; }

    // The browse images: the previous (-1) or next (+1) entry of the dialog's
    // kind; false when there is none (the index stays).
    bool browse(int direction);
    int browseIndex() const { return browse_; }
    // The last-entry panel for the entry at the browse index (empty when none).
    virtual LastEntryPanel panel(const TextTable& texts) const = 0;
    // Caption by mode: "Eingabe von ..", "Ändern von ..", "Kopieren von ..".
    TextId title() const { return titles_[static_cast<std::size_t>(modus_)]; }

    // Closing the dialog: OK for all stops, the mode returns to new and the
    // program is sorted into list order.
    void close();

protected:
    // titles: the captions of the three modes, in the order of EingabeModus.
    EntrySession(ProgramModel& model, AssistantSettings& settings, UserInteraction& ui, int eingabeModus,
                 EntrySource source, std::array<TextId, 3> titles);

    // Loads the entry behind the current row (change and copy); call from
    // the derived constructor.
    void loadCurrentRow();
    // The entry at the browse index when it is of the dialog's kind.
    const Entry* browsedEntry() const;

    virtual bool priorityRegion() const = 0;
    virtual bool isOwnKind(const Entry& e) const = 0;
    virtual EntryResult buildEntries(std::vector<Entry>& entries) const = 0;
    virtual void loadEntry(const Entry& e) = 0;
    virtual void stepFields() = 0;
    // OK for all in mode new may enter a whole batch at once (every holiday
    // of a set): the entries, and how many items (holidays) gave them.
    // False: OK for all repeats OK with the assistant as usual.
    virtual bool buildBatch(std::vector<Entry>& entries, int& items) const
    {
        (void)entries;
        (void)items;
        return false;
    }

    ProgramModel& model_;
    AssistantSettings& settings_;

private:
    EntryOutcome refuse(EntryResult result);
    EntryOutcome store(const std::vector<Entry>& fresh);
    // Stores a batch once: entries already in the program are left out,
    // the others stored until the memory is full; says how many it made.
    EntryOutcome storeBatch(const std::vector<Entry>& entries, int items);
    // The first entry in conflict with e (index and kind), skipping `skip`.
    std::pair<int, int> findConflict(const Entry& e, int skip) const;
    // Adds an entry at the end of its region and counts it.
    int insert(const Entry& e);
    bool full() const;
    int used() const;
    int changeTarget() const;
    TextId questionText(int conflict) const;

    UserInteraction& ui_;
    std::array<TextId, 3> titles_;
    int modus_;
    EntrySource source_;
    int row_ = 0;
    int browse_ = 0;
    bool okForAll_ = false;
};

} // namespace zendrik
