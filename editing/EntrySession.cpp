#include "editing/EntrySession.h"

#include "editing/CompareEntries.h"
#include "editing/EntryTexts.h"
#include "model/ProgramModel.h"
#include "model/ProgramSort.h"
#include "model/UserInteraction.h"

#include <algorithm>

namespace zendrik {

std::optional<Prompt> EntryMessage(EntryResult result, bool priorityTime)
{
    TextId text;
    switch (result) {
    case EntryResult::Exists:
        text = priorityTime ? TextId::PriorityTimeExists : TextId::SwitchingTimeExists;
        break;
    case EntryResult::DateOrWeekdaysIncomplete:
        text = TextId::DateOrWeekdaysIncomplete;
        break;
    case EntryResult::ChannelsIncomplete:
        text = TextId::ChannelsIncomplete;
        break;
    case EntryResult::MemoryFull:
        text = TextId::MemoryFull;
        break;
    case EntryResult::DayNotInMonth:
        return Prompt::message(Icon::Critical, {kDayNotInMonth});
    default:
        return std::nullopt;
    }
    return Prompt::message(Icon::Critical, {text});
}

EntrySession::EntrySession(ProgramModel& model, AssistantSettings& settings, UserInteraction& ui, int eingabeModus,
                           EntrySource source, std::array<TextId, 3> titles)
    : model_(model), settings_(settings), ui_(ui), titles_(titles),
      modus_(std::clamp(eingabeModus, static_cast<int>(EingabeNeu), static_cast<int>(EingabeKopieren))),
      source_(std::move(source))
{
    // Only the program can be changed; marked rows of the sample are copied
    // into it instead.
    source_.slot = source_.slot == kSampleSlot ? kSampleSlot : kProgramSlot;
    if (modus_ == EingabeAendern && source_.slot != kProgramSlot)
        modus_ = EingabeKopieren;
    if (modus_ == EingabeAendern)
        settings_.AutoAktiv = 0;
    const int rows = std::min(source_.display.AnzAnzeige, static_cast<int>(source_.display.AnzeigeIndex.size()));
    source_.marks = modus_ == EingabeNeu ? MarkRange{} : source_.marks.within(rows);
    row_ = source_.marks.MarkAnfang;
    browse_ = used();
}

OpenResult EntrySession::check() const
{
    if (modus_ != EingabeNeu && source_.marks.empty())
        return OpenResult::NothingMarked;
    if (modus_ != EingabeAendern && full())
        return OpenResult::MemoryFull;
    return OpenResult::Ready;
}

void EntrySession::loadCurrentRow()
{
    if (modus_ == EingabeNeu || source_.marks.empty())
        return;
    const int index = source_.display.AnzeigeIndex[static_cast<std::size_t>(row_)];
    if (index >= 0 && index < kEntryRows)
        loadEntry(model_.slot(source_.slot).Eintrag[static_cast<std::size_t>(index)]);
}

EntryOutcome EntrySession::refuse(EntryResult result)
{
    ui_.beep();
    okForAll_ = false;
    EntryOutcome out;
    out.result = result;
    out.message = EntryMessage(result, priorityRegion());
    if (result == EntryResult::MemoryFull) {
        settings_.AutoAktiv = 0;
        out.finished = true;
    }
    return out;
}

EntryOutcome EntrySession::ok()
{
    const bool badTarget = modus_ == EingabeAendern && (changeTarget() < 0 || changeTarget() >= used());
    if ((modus_ != EingabeNeu && source_.marks.empty()) || badTarget)
        return EntryOutcome{EntryResult::Idle, true, false, std::nullopt};
    std::vector<Entry> entries;
    const EntryResult built = buildEntries(entries);
    if (built != EntryResult::Stored)
        return refuse(built);
    if (modus_ != EingabeAendern && full())
        return refuse(EntryResult::MemoryFull);

    // The entry being changed is no conflict of its new content.
    const int skip = modus_ == EingabeAendern ? changeTarget() : -1;
    std::vector<Entry> fresh;
    std::vector<std::pair<int, Entry>> overwrite;
    bool conflicted = false;
    int question = ConflictNone;
    for (const Entry& e : entries) {
        const auto [index, conflict] = findConflict(e, skip);
        if (conflict == ConflictNone) {
            fresh.push_back(e);
            continue;
        }
        conflicted = true;
        if (conflict != ConflictSame) {
            overwrite.emplace_back(index, e);
            if (question == ConflictNone)
                question = conflict;
        }
    }
    if (conflicted) {
        ui_.beep();
        okForAll_ = false;
    }
    bool overwritten = false;
    if (!overwrite.empty()) {
        const Prompt prompt = Prompt::question(Buttons::YesNo, Icon::Question, {questionText(question)});
        if (ui_.ask(prompt) == Answer::Yes) {
            for (const auto& [index, e] : overwrite) {
                model_.program().Eintrag[static_cast<std::size_t>(index)] = e;
                browse_ = index;
            }
            model_.Geaendert = 1;
            model_.AktSlot = kProgramSlot;
            overwritten = true;
        }
    }
    if (fresh.empty()) {
        EntryOutcome out;
        out.result = overwritten ? EntryResult::Overwritten
            : !overwrite.empty() ? EntryResult::NotOverwritten
                                 : EntryResult::Exists;
        out.message = EntryMessage(out.result, priorityRegion());
        return out;
    }
    return store(fresh);
}

EntryOutcome EntrySession::store(const std::vector<Entry>& fresh)
{
    int inserted = 0;
    bool noRoom = false;
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (modus_ == EingabeAendern && i == 0) {
            browse_ = changeTarget();
            model_.program().Eintrag[static_cast<std::size_t>(browse_)] = fresh[i];
            continue;
        }
        if (full()) {
            noRoom = true;
            break;
        }
        browse_ = insert(fresh[i]);
        ++inserted;
    }
    model_.Geaendert = 1;
    model_.AktSlot = kProgramSlot;

    EntryOutcome out;
    out.result = EntryResult::Stored;
    if (noRoom || (inserted > 0 && full())) {
        // The entry that filled the memory is kept; the dialog closes.
        settings_.AutoAktiv = 0;
        okForAll_ = false;
        out.finished = true;
        out.message = EntryMessage(EntryResult::MemoryFull, priorityRegion());
        return out;
    }
    if (modus_ == EingabeNeu) {
        if (settings_.AutoAktiv != 0)
            stepFields();
    } else if (row_ >= source_.marks.MarkEnde) {
        out.finished = true;
        okForAll_ = false;
    } else {
        ++row_;
        loadCurrentRow();
        if (settings_.AutoAktiv != 0)
            stepFields();
    }
    out.restartTimer = okForAll_;
    return out;
}

EntryOutcome EntrySession::timerTick()
{
    if (!okForAll_)
        return EntryOutcome{};
    if (modus_ == EingabeNeu) {
        std::vector<Entry> batch;
        int items = 0;
        // A batch that gives nothing (no channel chosen) is refused as OK refuses it.
        if (buildBatch(batch, items) && items > 0)
            return storeBatch(batch, items);
    }
    return ok();
}

EntryOutcome EntrySession::storeBatch(const std::vector<Entry>& entries, int items)
{
    okForAll_ = false;
    std::vector<Entry> fresh;
    std::vector<std::pair<int, Entry>> overwrite;
    int already = 0;
    for (const Entry& e : entries) {
        // Two holidays of one date give the same entry: it is made once.
        if (std::any_of(fresh.begin(), fresh.end(),
                        [&](const Entry& f) { return CompareEntries(f, e, model_.eib()) != ConflictNone; }))
            continue;
        const auto [index, conflict] = findConflict(e, -1);
        if (conflict == ConflictNone)
            fresh.push_back(e);
        else if (conflict == ConflictSame)
            ++already;
        else
            overwrite.emplace_back(index, e);
    }
    int made = 0;
    if (!overwrite.empty()) {
        ui_.beep();
        const Prompt prompt = Prompt::question(Buttons::YesNo, Icon::Question, {questionText(ConflictOtherState)});
        if (ui_.ask(prompt) == Answer::Yes) {
            for (const auto& [index, e] : overwrite) {
                model_.program().Eintrag[static_cast<std::size_t>(index)] = e;
                browse_ = index;
                ++made;
            }
        } else {
            already += static_cast<int>(overwrite.size());
        }
    }
    bool noRoom = false;
    for (const Entry& e : fresh) {
        if (full()) {
            noRoom = true;
            break;
        }
        browse_ = insert(e);
        ++made;
    }
    EntryOutcome out;
    out.result = made > 0 ? EntryResult::Stored : EntryResult::Exists;
    if (made > 0) {
        model_.Geaendert = 1;
        model_.AktSlot = kProgramSlot;
    }
    if (noRoom || (made > 0 && full())) {
        settings_.AutoAktiv = 0;
        out.finished = true;
        out.message = EntryMessage(EntryResult::MemoryFull, priorityRegion());
        return out;
    }
    Prompt said = Prompt::message(Icon::Information, {kSetEntered, QString::number(items), kSetEnteredHolidays, QString::number(made), kSetEnteredEntries});
    if (already > 0) {
        said.parts.emplace_back(kSetAlreadyThere);
        said.parts.emplace_back(QString::number(already));
        said.parts.emplace_back(QStringLiteral("."));
    }
    out.message = said;
    return out;
}

std::pair<int, int> EntrySession::findConflict(const Entry& e, int skip) const
{
    const ProgramSlot& s = model_.program();
    for (int i = 0; i < used(); ++i) {
        if (i == skip)
            continue;
        const int conflict = CompareEntries(s.Eintrag[static_cast<std::size_t>(i)], e, model_.eib());
        if (conflict != ConflictNone)
            return {i, conflict};
    }
    return {-1, ConflictNone};
}

int EntrySession::insert(const Entry& e)
{
    ProgramSlot& s = model_.program();
    const int end = used();
    int index = end;
    if (priorityRegion()) {
        ++s.AnzPz;
    } else {
        // Switching times stay ahead of the priority times, which move up one.
        index = s.AnzSz;
        std::move_backward(s.Eintrag.begin() + index, s.Eintrag.begin() + end, s.Eintrag.begin() + end + 1);
        ++s.AnzSz;
    }
    s.Eintrag[static_cast<std::size_t>(index)] = e;
    s.AnzEintrag = s.AnzSz + s.AnzPz;
    return index;
}

int EntrySession::used() const
{
    const ProgramSlot& s = model_.program();
    return std::clamp(s.AnzSz + s.AnzPz, 0, kEntryRows);
}

bool EntrySession::full() const
{
    return used() >= std::min(model_.device.MaxEintrag, kEntryRows);
}

int EntrySession::changeTarget() const
{
    if (source_.marks.empty())
        return -1;
    return source_.display.AnzeigeIndex[static_cast<std::size_t>(row_)];
}

TextId EntrySession::questionText(int conflict) const
{
    if (priorityRegion())
        return TextId::PriorityTimeOtherState;
    return conflict == ConflictPulse ? TextId::PulseExists : TextId::SwitchingTimeOtherState;
}

bool EntrySession::browse(int direction)
{
    const ProgramSlot& s = model_.program();
    for (int i = std::clamp(browse_, -1, used()) + direction; i >= 0 && i < used(); i += direction) {
        if (isOwnKind(s.Eintrag[static_cast<std::size_t>(i)])) {
            browse_ = i;
            return true;
        }
    }
    return false;
}

const Entry* EntrySession::browsedEntry() const
{
    if (browse_ < 0 || browse_ >= used())
        return nullptr;
    const Entry& e = model_.program().Eintrag[static_cast<std::size_t>(browse_)];
    return isOwnKind(e) ? &e : nullptr;
}

void EntrySession::close()
{
    okForAll_ = false;
    modus_ = EingabeNeu;
    SortProgram(model_, 1, kProgramSlot);
}

} // namespace zendrik
