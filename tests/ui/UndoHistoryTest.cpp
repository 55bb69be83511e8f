// Undo and redo restore the program byte for byte: every change is compared through the saved program file.
#include "ui/frame/UndoHistory.h"

#include "model/EntryBuilder.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"


#include <algorithm>
#include <functional>

namespace zendrik::test {

namespace {

// Deletes `count` switching times from row `from` on, as the list does.
void removeRows(ProgramModel& model, int from, int count)
{
    ProgramSlot& p = model.program();
    auto first = p.Eintrag.begin() + from;
    std::rotate(first, first + count, p.Eintrag.begin() + p.AnzEintrag);
    std::fill(p.Eintrag.begin() + p.AnzEintrag - count, p.Eintrag.begin() + p.AnzEintrag, Entry{});
    p.AnzSz -= count;
    p.AnzEintrag -= count;
    model.Geaendert = 1;
}

ProgramModel programWithTenTimes()
{
    ProgramModel model = canonical738();
    for (int i = 0; i < 10; ++i) addEntry(model, BuildWeeklyEntry(60 * i, 0b0011111, 0b0001, 1, 0, 0));
    model.Geaendert = 0;
    return model;
}

// A history on a program of ten switching times.
struct Session {
    ProgramModel model = programWithTenTimes();
    TextTable texts;
    UndoHistory history{model, texts, nullptr};
};

} // namespace

TEST(UndoHistory, EveryKindOfChangeUndoesAndRedoesByteForByte)
{
    using Change = std::function<void(ProgramModel&)>;
    const std::tuple<const char*, Change, QString> changes[] = {
        {"five rows deleted", [](ProgramModel& m) { removeRows(m, 2, 5); }, u"5 Schaltzeiten löschen"_s},
        {"one row deleted", [](ProgramModel& m) { removeRows(m, 9, 1); }, u"1 Schaltzeit löschen"_s},
        {"entry added", [](ProgramModel& m) { addEntry(m, BuildWeeklyEntry(700, 0b1, 0b10, 0, 0, 0)); }, u"1 Schaltzeit eingeben"_s},
        {"entry changed", [](ProgramModel& m) { m.program().Eintrag[0] = BuildWeeklyEntry(1, 0b1000000, 0b1, 0, 0, 0); }, u"Schaltzeiten ändern"_s},
        {"description", [](ProgramModel& m) { m.program().Verwendung = u"Halle 3"_s; }, u"Programmkopf ändern"_s},
        {"channel name", [](ProgramModel& m) { m.program().Kanalname[1] = u"Licht"_s; }, u"Programmkopf ändern"_s},
        {"program number", [](ProgramModel& m) { m.program().ProgNr = 4711; }, u"Programmkopf ändern"_s},
        {"dst row", [](ProgramModel& m) { m.program().SoWiTab[0].b = {10, 3, 2, 3}; }, u"SoWi-Tabelle ändern"_s},
        {"astro cell", [](ProgramModel& m) { m.program().astro.AstroTab[0][10].rise = 400; }, u"Astrozeiten ändern"_s},
        {"write protection", [](ProgramModel& m) { m.program().Schreibschutz ^= 1; }, u"Programmkopf ändern"_s},
        {"device option", [](ProgramModel& m) { m.device.Dauertaste ^= 1; }, u"Geräteeinstellungen ändern"_s},
    };
    for (const auto& [name, apply, stepName] : changes) {
        SCOPED_TRACE(name);
        Session s;
        const QByteArray before = SavedImage(s.model);
        apply(s.model);
        s.model.Geaendert = 1;
        s.history.capture();
        const QByteArray after = SavedImage(s.model);
        ASSERT_NE(before, after);
        EXPECT_EQ(std::tuple(s.history.stack().count(), s.history.undoAction()->text()), std::tuple(1, u"&Rückgängig: "_s + stepName));
        s.history.undoAction()->trigger();
        EXPECT_EQ(std::tuple(SavedImage(s.model), s.model.Geaendert), std::tuple(before, 0)) << "back at the saved state";
        s.history.redoAction()->trigger();
        EXPECT_EQ(std::tuple(SavedImage(s.model), s.model.Geaendert), std::tuple(after, 1)) << "away from the saved state again";
    }
}

// One entry is named in the singular, more in the plural, in every language.
TEST(UndoHistory, StepNamesCountTheEntries)
{
    const std::tuple<ChangeKind, int, std::array<const char*, 3>> cases[] = {
        {ChangeKind::SwitchingDeleted, 1, {"1 Schaltzeit löschen", "delete 1 switching time", "supprimer 1 horaire de commutation"}},
        {ChangeKind::SwitchingAdded, 2, {"2 Schaltzeiten eingeben", "enter 2 switching times", "saisir 2 horaires de commutation"}},
        {ChangeKind::PriorityAdded, 12, {"12 Prioritätszeiten eingeben", "enter 12 priority times", "saisir 12 périodes prioritaires"}},
        {ChangeKind::PriorityDeleted, 3, {"3 Prioritätszeiten löschen", "delete 3 priority times", "supprimer 3 périodes prioritaires"}},
    };
    TextTable texts[3];
    texts[0].LoadGerman(), texts[1].LoadEnglish(), texts[2].LoadFrench();
    for (const auto& [kind, count, names] : cases)
        for (int language = 0; language < 3; ++language) EXPECT_EQ(ChangeName(ChangeSummary{kind, count}, texts[language]), QString::fromUtf8(names[language]));
}

// An entry dialog sorts the program into list order as it closes: that ends
// the step that stored the entries instead of being a step of its own.
TEST(UndoHistory, SortingAfterAStoreJoinsThatStep)
{
    Session s;
    const ProgramSnapshot before = TakeSnapshot(s.model);
    addEntry(s.model, BuildWeeklyEntry(30, 0b1, 0b1, 1, 0, 0));
    s.model.Geaendert = 1;
    s.history.capture();
    ProgramSlot& p = s.model.program();
    std::rotate(p.Eintrag.begin(), p.Eintrag.begin() + p.AnzSz - 1, p.Eintrag.begin() + p.AnzSz);
    const ProgramSnapshot sorted = TakeSnapshot(s.model);
    s.history.capture();
    EXPECT_EQ(std::tuple(s.history.stack().count(), s.history.stack().undoText()), std::tuple(1, u"1 Schaltzeit eingeben"_s));
    s.history.stack().undo();
    EXPECT_TRUE(TakeSnapshot(s.model) == before);
    s.history.stack().redo();
    EXPECT_TRUE(TakeSnapshot(s.model) == sorted) << "redo gives the sorted program";
    // Another entry in another place is a change, not an order.
    p.Eintrag[0] = BuildWeeklyEntry(31, 0b1, 0b1, 1, 0, 0);
    EXPECT_FALSE(OnlyReordered(sorted, TakeSnapshot(s.model)));
    s.history.capture();
    EXPECT_EQ(s.history.stack().count(), 2);
}

TEST(UndoHistory, SavedStateAndFreshHistory)
{
    Session s;
    for (int i = 0; i < 2; ++i) removeRows(s.model, 0, 1), s.history.capture();
    // Saved after the first delete; undo and redo around it.
    s.history.stack().undo();
    s.model.Geaendert = 0;
    s.history.markSaved();
    std::vector<int> changed;
    for (const bool redo : {true, false, false}) redo ? s.history.stack().redo() : s.history.stack().undo(), changed.push_back(s.model.Geaendert);
    EXPECT_EQ(changed, (std::vector<int>{1, 0, 1}));
    // Another program (opened, new, read) starts a fresh history.
    s.model.program().Dateiname = u"OTHER.ZPG"_s;
    s.history.capture();
    EXPECT_TRUE(s.history.stack().count() == 0 && !s.history.undoAction()->isEnabled());
    removeRows(s.model, 0, 1);
    s.history.reset();
    EXPECT_FALSE(s.history.stack().canUndo() || s.history.stack().isClean()) << "a program read from a device has no saved state";
}

} // namespace zendrik::test
