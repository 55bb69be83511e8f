#include "editing/ProgramSnapshot.h"

#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/ProgramModel.h"

#include <algorithm>

namespace zendrik {

namespace {

// A step that adds or deletes entries names how many, in the singular for one.
struct CountedName {
    ExtraText one;
    ExtraText many;
};

constexpr CountedName kAddSwitching{
    {"%1 Schaltzeit eingeben", "enter %1 switching time", "saisir %1 horaire de commutation"},
    {"%1 Schaltzeiten eingeben", "enter %1 switching times", "saisir %1 horaires de commutation"}};
constexpr CountedName kDeleteSwitching{
    {"%1 Schaltzeit löschen", "delete %1 switching time", "supprimer %1 horaire de commutation"},
    {"%1 Schaltzeiten löschen", "delete %1 switching times", "supprimer %1 horaires de commutation"}};
constexpr ExtraText kChangeSwitching{"Schaltzeiten ändern", "change switching times",
                                     "modifier les horaires de commutation"};
constexpr CountedName kAddPriority{
    {"%1 Prioritätszeit eingeben", "enter %1 priority time", "saisir %1 période prioritaire"},
    {"%1 Prioritätszeiten eingeben", "enter %1 priority times", "saisir %1 périodes prioritaires"}};
constexpr CountedName kDeletePriority{
    {"%1 Prioritätszeit löschen", "delete %1 priority time", "supprimer %1 période prioritaire"},
    {"%1 Prioritätszeiten löschen", "delete %1 priority times", "supprimer %1 périodes prioritaires"}};
constexpr ExtraText kChangePriority{"Prioritätszeiten ändern", "change priority times",
                                    "modifier les périodes prioritaires"};
constexpr ExtraText kChangeDst{"SoWi-Tabelle ändern", "change the summer/winter table",
                               "modifier la table été/hiver"};
constexpr ExtraText kChangeAstro{"Astrozeiten ändern", "change astro times", "modifier les heures astro"};
constexpr ExtraText kChangeHeader{"Programmkopf ändern", "change the program header", "modifier l'en-tête"};
constexpr ExtraText kChangeDevice{"Geräteeinstellungen ändern", "change device settings",
                                  "modifier les réglages de l'appareil"};
constexpr ExtraText kChangeMasterCard{"Codierung ändern", "change the card coding", "modifier le codage de carte"};
constexpr ExtraText kChangeProgram{"Programm ändern", "change the program", "modifier le programme"};

QString counted(const CountedName& name, int count, const TextTable& texts)
{
    return texts(count == 1 ? name.one : name.many).arg(count);
}

bool sameEntries(const ProgramSlot& a, const ProgramSlot& b, int from, int to)
{
    return std::equal(a.Eintrag.begin() + from, a.Eintrag.begin() + to, b.Eintrag.begin() + from);
}

} // namespace

ProgramSnapshot TakeSnapshot(const ProgramModel& model)
{
    ProgramSnapshot s;
    s.program = model.program();
    s.options = model.device.image();
    return s;
}

SimulationSnapshot TakeSimulationSnapshot(const ProgramModel& model, int slot)
{
    SimulationSnapshot s;
    s.slot = slot == kSampleSlot ? kSampleSlot : kProgramSlot;
    s.program = model.slot(s.slot);
    s.options = model.device.image();
    const DeviceSettings& d = model.device;
    s.Uhrentyp = d.Uhrentyp;
    s.Kanalzahl = d.Kanalzahl;
    s.Evu = d.Evu;
    s.EibFormat = d.EibFormat;
    s.KeineZeit = d.KeineZeit;
    return s;
}

void RestoreSnapshot(ProgramModel& model, const ProgramSnapshot& snapshot)
{
    // The program keeps the file it now belongs to: a step taken before a
    // "save as" must not send the next save back to the old file.
    QString file = model.program().Dateiname;
    model.program() = snapshot.program;
    model.program().Dateiname = std::move(file);
    model.device.image() = snapshot.options;
}

bool OnlyReordered(const ProgramSnapshot& before, const ProgramSnapshot& after)
{
    const ProgramSlot& a = before.program;
    const ProgramSlot& b = after.program;
    if (a.AnzEintrag != b.AnzEintrag || a.AnzSz != b.AnzSz || a.AnzPz != b.AnzPz)
        return false;
    // Switching times and priority times each keep their own part of the table.
    const auto begin = [](const ProgramSlot& s) { return s.Eintrag.begin(); };
    if (!std::is_permutation(begin(a), begin(a) + a.AnzSz, begin(b), begin(b) + b.AnzSz)
        || !std::is_permutation(begin(a) + a.AnzSz, begin(a) + a.AnzEintrag, begin(b) + b.AnzSz,
                                begin(b) + b.AnzEintrag))
        return false;
    ProgramSnapshot same = before;
    same.program.Eintrag = b.Eintrag;
    return same == after;
}

ChangeSummary DescribeChange(const ProgramSnapshot& before, const ProgramSnapshot& after)
{
    const ProgramSlot& a = before.program;
    const ProgramSlot& b = after.program;
    if (a.AnzSz != b.AnzSz && a.AnzPz == b.AnzPz)
        return {b.AnzSz > a.AnzSz ? ChangeKind::SwitchingAdded : ChangeKind::SwitchingDeleted,
                std::abs(b.AnzSz - a.AnzSz)};
    if (a.AnzPz != b.AnzPz && a.AnzSz == b.AnzSz)
        return {b.AnzPz > a.AnzPz ? ChangeKind::PriorityAdded : ChangeKind::PriorityDeleted,
                std::abs(b.AnzPz - a.AnzPz)};
    const bool entries = a.AnzSz == b.AnzSz && a.AnzPz == b.AnzPz;
    if (entries && !sameEntries(a, b, 0, a.AnzSz))
        return {ChangeKind::SwitchingChanged, 0};
    if (entries && !sameEntries(a, b, a.AnzSz, a.AnzEintrag))
        return {ChangeKind::PriorityChanged, 0};
    if (!entries)
        return {ChangeKind::Program, 0};
    if (a.SoWiTab != b.SoWiTab || a.AnzSoWi != b.AnzSoWi || a.SoWiJahr != b.SoWiJahr || a.SoWiInfo != b.SoWiInfo)
        return {ChangeKind::DstTable, 0};
    if (!(a.astro == b.astro))
        return {ChangeKind::Astro, 0};
    if (a.ProgNr != b.ProgNr || a.Verwendung != b.Verwendung || a.Kanalname != b.Kanalname
        || a.Schreibschutz != b.Schreibschutz)
        return {ChangeKind::Header, 0};
    if (IsMasterProgram(before.options) != IsMasterProgram(after.options)
        || before.options.MasterKennung != after.options.MasterKennung)
        return {ChangeKind::MasterCard, 0};
    if (!(before.options == after.options))
        return {ChangeKind::DeviceOptions, 0};
    return {ChangeKind::Program, 0};
}

QString ChangeName(const ChangeSummary& change, const TextTable& texts)
{
    switch (change.kind) {
    case ChangeKind::SwitchingAdded:
        return counted(kAddSwitching, change.count, texts);
    case ChangeKind::SwitchingDeleted:
        return counted(kDeleteSwitching, change.count, texts);
    case ChangeKind::SwitchingChanged:
        return texts(kChangeSwitching);
    case ChangeKind::PriorityAdded:
        return counted(kAddPriority, change.count, texts);
    case ChangeKind::PriorityDeleted:
        return counted(kDeletePriority, change.count, texts);
    case ChangeKind::PriorityChanged:
        return texts(kChangePriority);
    case ChangeKind::DstTable:
        return texts(kChangeDst);
    case ChangeKind::Astro:
        return texts(kChangeAstro);
    case ChangeKind::Header:
        return texts(kChangeHeader);
    case ChangeKind::DeviceOptions:
        return texts(kChangeDevice);
    case ChangeKind::MasterCard:
        return texts(kChangeMasterCard);
    case ChangeKind::Program:
        break;
    }
    return texts(kChangeProgram);
}

} // namespace zendrik
