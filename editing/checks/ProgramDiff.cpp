#include "editing/checks/ProgramDiff.h"

#include "editing/ListFilter.h"
#include "editing/ProgramList.h"
#include "language/TextTable.h"
#include "model/DstRowCodec.h"
#include "model/ProgramModel.h"

#include <algorithm>
#include <numeric>

namespace zendrik {

namespace {

constexpr ExtraText kProgramNumber{"Programmnummer", "Program number", "Numéro de programme"};
constexpr ExtraText kRule{"Sommer-/Winterzeit-Regel", "Summer/winter-time rule", "Règle heure d'été/d'hiver"};
constexpr ExtraText kTableYear{"Erstes Jahr der SoWi-Tabelle", "First year of the DST table",
                               "Première année de la table été/hiver"};
constexpr ExtraText kTableRow{"SoWi-Tabelle, Zeile %1", "DST table, row %1", "Table été/hiver, ligne %1"};
constexpr ExtraText kAstroChannel{"Astro-Kanal C%1", "Astro channel C%1", "Canal astro C%1"};
constexpr ExtraText kAstroLimits{"Astro-Grenzen C%1", "Astro limits C%1", "Limites astro C%1"};
constexpr ExtraText kAstroTimes{"Astro-Zeiten C%1 (%2 Tage)", "Astro times C%1 (%2 days)", "Heures astro C%1 (%2 jours)"};
constexpr ExtraText kAstroLocation{"Astro-Ort und Versatz", "Astro place and offsets", "Lieu et décalages astro"};
constexpr ExtraText kChannelName{"Kanalname C%1", "Channel name C%1", "Nom du canal C%1"};
constexpr ExtraText kDescription{"Verwendung", "Description", "Utilisation"};
constexpr ExtraText kWriteProtection{"Schreibschutz", "Write protection", "Protection en écriture"};
constexpr ExtraText kNone{"keine", "none", "aucun"};
constexpr ExtraText kOn{"ein", "on", "oui"};
constexpr ExtraText kOff{"aus", "off", "non"};
constexpr ExtraText kState{"Zustand", "state", "état"};
constexpr ExtraText kChannels{"Kanäle", "channels", "canaux"};
constexpr ExtraText kPulse{"Impuls", "pulse", "impulsion"};
constexpr ExtraText kOther{"weitere Bits", "other bits", "autres bits"};
constexpr ExtraText kSwitchingRow{"Schaltzeit %1", "Switching time %1", "Horaire %1"};
constexpr ExtraText kPriorityRow{"Prioritätszeit %1", "Priority time %1", "Période prioritaire %1"};
constexpr ExtraText kArrow{"%1: %2 → %3", "%1: %2 → %3", "%1 : %2 → %3"};

using Key = std::array<Byte, 6>;

// The bytes of an entry without its state, channels and pulse: what makes
// it the same entry in both programs.
Key IdentityKey(const Entry& e, bool eib)
{
    Key k = e.b;
    switch (EntryKind(e, eib)) {
    case KindWeekly:
    case KindDated:
        k[4] &= 0xF0;
        k[5] = 0;
        break;
    case KindPriority:
        k[4] &= 0xF0;
        k[5] &= 0xFE;
        break;
    case KindWeeklyBus:
        k[1] &= 0xF7;
        k[4] = 0;
        k[5] = 0;
        break;
    case KindDatedBus:
        k[3] &= 0xDF;
        k[4] = 0;
        k[5] = 0;
        break;
    case KindPriorityBus:
        k[4] = 0;
        k[5] &= 0xF0;
        break;
    default:
        break;
    }
    return k;
}

int ChangedFields(const Entry& a, bool eibA, const Entry& b, bool eibB)
{
    int fields = 0;
    if (EntryState(a, eibA) != EntryState(b, eibB))
        fields |= DiffState;
    if (EntryChannels(a, eibA) != EntryChannels(b, eibB))
        fields |= DiffChannels;
    if (IsSwitchingTimeByte(a.b[0]) && EntryPulse(a) != EntryPulse(b))
        fields |= DiffPulse;
    if (fields == 0)
        fields = DiffOther;
    return fields;
}

// The summer/winter rule a slot is saved with: the device setting for the
// program, the header byte for a sample.
int RuleOf(const ProgramModel& m, int slot)
{
    return slot == kProgramSlot ? m.device.SwRegel : GetBits(4, 7, m.slot(slot).Kopf[2]);
}

std::vector<int> UsedIndices(const ProgramSlot& s)
{
    std::vector<int> v(static_cast<std::size_t>(std::clamp(s.AnzEintrag, 0, kEntryRows)));
    std::iota(v.begin(), v.end(), 0);
    return v;
}

// Pairs the rows of both sides whose keys are equal (each row once), in
// key order; the rows left over stay in `restA` / `restB`.
template <typename KeyOf, typename Pair>
void MatchBy(std::vector<int>& restA, std::vector<int>& restB, KeyOf keyA, KeyOf keyB, Pair pair)
{
    auto byKey = [](KeyOf key) {
        return [key](int x, int y) { return key(x) < key(y) || (key(x) == key(y) && x < y); };
    };
    std::sort(restA.begin(), restA.end(), byKey(keyA));
    std::sort(restB.begin(), restB.end(), byKey(keyB));
    std::vector<int> leftA, leftB;
    std::size_t i = 0, j = 0;
    while (i < restA.size() && j < restB.size()) {
        const Key ka = keyA(restA[i]);
        const Key kb = keyB(restB[j]);
        if (ka == kb) {
            pair(restA[i++], restB[j++]);
        } else if (ka < kb) {
            leftA.push_back(restA[i++]);
        } else {
            leftB.push_back(restB[j++]);
        }
    }
    leftA.insert(leftA.end(), restA.begin() + static_cast<std::ptrdiff_t>(i), restA.end());
    leftB.insert(leftB.end(), restB.begin() + static_cast<std::ptrdiff_t>(j), restB.end());
    restA = std::move(leftA);
    restB = std::move(leftB);
}

QString ProgramNumberText(std::int32_t n)
{
    return n > 999999 || n < 0 ? QStringLiteral("-") : QString::number(n);
}

QString RowText(const DstRow& row)
{
    if (!IsUsedDstRow(row))
        return QStringLiteral("-");
    const DstEntry e = DecodeDstRow(row);
    return QStringLiteral("%1.%2. %3h +%4 / %5.%6. %7h -%8")
        .arg(e.forward.day)
        .arg(e.forward.month)
        .arg(e.forward.hour)
        .arg(e.forward.shift)
        .arg(e.back.day)
        .arg(e.back.month)
        .arg(e.back.hour)
        .arg(e.back.shift);
}

QString LimitsText(const AstroLimits& l)
{
    auto hm = [](int m) { return QStringLiteral("%1:%2").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1 %2 / %3 %4")
        .arg(hm(l.morning), l.riseState != 0 ? QStringLiteral("ON") : QStringLiteral("OFF"), hm(l.evening),
             l.setState != 0 ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

QString LocationText(const AstroProgram& a)
{
    return QStringLiteral("%1° %2° %3 min, %4/%5 min")
        .arg(a.AstroLaenge)
        .arg(a.AstroBreite)
        .arg(a.AstroZone)
        .arg(a.AstroOffsetAuf)
        .arg(a.AstroOffsetUnter);
}

void AddHeader(ProgramDiff& diff, HeaderField field, int index, QString first, QString second, int count = 0)
{
    diff.header.push_back(HeaderDifference{field, index, count, std::move(first), std::move(second)});
}

// The cells of an entry's row as the list shows them, without the row number.
class RowCells {
public:
    RowCells(const ProgramModel& m, int slot, const TextTable& texts)
        : switching_(ProgramList::Build(m, texts, filter_, AnsichtSchaltzeiten, slot)),
          priority_(ProgramList::Build(m, texts, filter_, AnsichtPrioritaetszeiten, slot)),
          anzSz_(m.slot(slot).AnzSz)
    {
    }

    QString text(int entry, const TextTable& texts) const
    {
        const bool prio = entry >= anzSz_;
        const ProgramList& list = prio ? priority_ : switching_;
        const int row = prio ? entry - anzSz_ + 1 : entry + 1;
        QStringList cells;
        if (row >= 1 && row <= static_cast<int>(list.rows.size())) {
            const QStringList& all = list.rows[static_cast<std::size_t>(row - 1)];
            for (int c = 1; c < all.size(); ++c) {
                if (!all[c].trimmed().isEmpty())
                    cells << all[c].trimmed();
            }
        }
        return texts(prio ? kPriorityRow : kSwitchingRow).arg(row) + QStringLiteral(": ") + cells.join(QStringLiteral("  "));
    }

private:
    ListFilter filter_;
    ProgramList switching_;
    ProgramList priority_;
    int anzSz_;
};

} // namespace

ProgramDiff DiffPrograms(const ProgramModel& a, int slotA, const ProgramModel& b, int slotB)
{
    const ProgramSlot& sa = a.slot(slotA);
    const ProgramSlot& sb = b.slot(slotB);
    const bool eibA = a.eib();
    const bool eibB = b.eib();
    ProgramDiff diff;

    // Header.
    if (sa.ProgNr != sb.ProgNr)
        AddHeader(diff, HeaderField::ProgramNumber, -1, ProgramNumberText(sa.ProgNr), ProgramNumberText(sb.ProgNr));
    if (RuleOf(a, slotA) != RuleOf(b, slotB))
        AddHeader(diff, HeaderField::Rule, -1, QString::number(RuleOf(a, slotA)), QString::number(RuleOf(b, slotB)));
    const bool tableA = sa.AnzSoWi > 0;
    const bool tableB = sb.AnzSoWi > 0;
    // The year byte as the device and the file get it: a program whose
    // table applies from the year shown and its saved file name the same years.
    if (tableA && tableB && StoredSoWiJahr(sa) != StoredSoWiJahr(sb))
        AddHeader(diff, HeaderField::TableYear, -1, QString::number(StoredSoWiJahr(sa) % 64 + 1996),
                  QString::number(StoredSoWiJahr(sb) % 64 + 1996));
    for (int r = 0; r < kDstRows; ++r) {
        const DstRow& ra = sa.SoWiTab[static_cast<std::size_t>(r)];
        const DstRow& rb = sb.SoWiTab[static_cast<std::size_t>(r)];
        const bool usedA = r < sa.AnzSoWi && IsUsedDstRow(ra);
        const bool usedB = r < sb.AnzSoWi && IsUsedDstRow(rb);
        if (usedA != usedB || (usedA && ra != rb))
            AddHeader(diff, HeaderField::TableRow, r, usedA ? RowText(ra) : QStringLiteral("-"),
                      usedB ? RowText(rb) : QStringLiteral("-"));
    }
    for (int c = 0; c < kAstroChannels; ++c) {
        const auto ci = static_cast<std::size_t>(c);
        const bool activeA = sa.astro.AstroAktiv[ci + 1] != 0;
        const bool activeB = sb.astro.AstroAktiv[ci + 1] != 0;
        if (activeA != activeB)
            AddHeader(diff, HeaderField::AstroChannel, c, activeA ? QStringLiteral("1") : QStringLiteral("0"),
                      activeB ? QStringLiteral("1") : QStringLiteral("0"));
        if (!activeA && !activeB)
            continue;
        if (sa.astro.AstroGrenze[ci] != sb.astro.AstroGrenze[ci])
            AddHeader(diff, HeaderField::AstroLimits, c, LimitsText(sa.astro.AstroGrenze[ci]),
                      LimitsText(sb.astro.AstroGrenze[ci]));
        int days = 0;
        int firstDay = -1;
        for (int d = 0; d < kAstroDays - 1; ++d) {
            if (sa.astro.AstroTab[ci][static_cast<std::size_t>(d)] != sb.astro.AstroTab[ci][static_cast<std::size_t>(d)]) {
                if (days++ == 0)
                    firstDay = d;
            }
        }
        if (days > 0) {
            const AstroDay& da = sa.astro.AstroTab[ci][static_cast<std::size_t>(firstDay)];
            const AstroDay& db = sb.astro.AstroTab[ci][static_cast<std::size_t>(firstDay)];
            AddHeader(diff, HeaderField::AstroTimes, c, QStringLiteral("%1/%2").arg(da.rise).arg(da.set),
                      QStringLiteral("%1/%2").arg(db.rise).arg(db.set), days);
        }
    }
    const AstroProgram& pa = sa.astro;
    const AstroProgram& pb = sb.astro;
    if ((pa.AstroAktiv[0] != 0 || pb.AstroAktiv[0] != 0)
        && (pa.AstroLaenge != pb.AstroLaenge || pa.AstroBreite != pb.AstroBreite || pa.AstroZone != pb.AstroZone
            || pa.AstroOffsetAuf != pb.AstroOffsetAuf || pa.AstroOffsetUnter != pb.AstroOffsetUnter))
        AddHeader(diff, HeaderField::AstroLocation, -1, LocationText(pa), LocationText(pb));
    for (int c = 0; c < 16; ++c) {
        const QString& na = sa.Kanalname[static_cast<std::size_t>(c)];
        const QString& nb = sb.Kanalname[static_cast<std::size_t>(c)];
        if (na.trimmed() != nb.trimmed())
            AddHeader(diff, HeaderField::ChannelName, c, na.trimmed(), nb.trimmed());
    }
    if (sa.Verwendung != sb.Verwendung)
        AddHeader(diff, HeaderField::Description, -1, sa.Verwendung, sb.Verwendung);
    if ((sa.Schreibschutz != 0) != (sb.Schreibschutz != 0))
        AddHeader(diff, HeaderField::WriteProtection, -1, QString::number(sa.Schreibschutz != 0),
                  QString::number(sb.Schreibschutz != 0));

    // Entries: first the same bytes, then the same entry in another state,
    // on other channels or with another pulse.
    std::vector<int> restA = UsedIndices(sa);
    std::vector<int> restB = UsedIndices(sb);
    const auto bytesA = [&sa](int i) { return sa.Eintrag[static_cast<std::size_t>(i)].b; };
    const auto bytesB = [&sb](int i) { return sb.Eintrag[static_cast<std::size_t>(i)].b; };
    MatchBy(restA, restB, std::function<Key(int)>(bytesA), std::function<Key(int)>(bytesB), [](int, int) {});
    const auto identityA = [&sa, eibA](int i) { return IdentityKey(sa.Eintrag[static_cast<std::size_t>(i)], eibA); };
    const auto identityB = [&sb, eibB](int i) { return IdentityKey(sb.Eintrag[static_cast<std::size_t>(i)], eibB); };
    MatchBy(restA, restB, std::function<Key(int)>(identityA), std::function<Key(int)>(identityB), [&](int i, int j) {
        const int fields = ChangedFields(sa.Eintrag[static_cast<std::size_t>(i)], eibA,
                                         sb.Eintrag[static_cast<std::size_t>(j)], eibB);
        diff.entries.push_back(EntryDifference{EntryDiffKind::Changed, i, j, fields});
    });
    for (const int i : restA)
        diff.entries.push_back(EntryDifference{EntryDiffKind::OnlyInFirst, i, -1, 0});
    for (const int j : restB)
        diff.entries.push_back(EntryDifference{EntryDiffKind::OnlyInSecond, -1, j, 0});
    std::sort(diff.entries.begin(), diff.entries.end(), [](const EntryDifference& x, const EntryDifference& y) {
        const bool xa = x.first >= 0;
        const bool ya = y.first >= 0;
        if (xa != ya)
            return xa;
        return xa ? x.first < y.first : x.second < y.second;
    });
    return diff;
}

QString HeaderFieldName(const HeaderDifference& d, const TextTable& texts)
{
    switch (d.field) {
    case HeaderField::ProgramNumber:
        return texts(kProgramNumber);
    case HeaderField::Rule:
        return texts(kRule);
    case HeaderField::TableYear:
        return texts(kTableYear);
    case HeaderField::TableRow:
        return texts(kTableRow).arg(d.index + 1);
    case HeaderField::AstroChannel:
        return texts(kAstroChannel).arg(d.index + 1);
    case HeaderField::AstroLimits:
        return texts(kAstroLimits).arg(d.index + 1);
    case HeaderField::AstroTimes:
        return texts(kAstroTimes).arg(d.index + 1).arg(d.count);
    case HeaderField::AstroLocation:
        return texts(kAstroLocation);
    case HeaderField::ChannelName:
        return texts(kChannelName).arg(d.index + 1);
    case HeaderField::Description:
        return texts(kDescription);
    case HeaderField::WriteProtection:
        return texts(kWriteProtection);
    }
    return QString();
}

const char* HeaderFieldKey(HeaderField field)
{
    switch (field) {
    case HeaderField::ProgramNumber:
        return "program-number";
    case HeaderField::Rule:
        return "rule";
    case HeaderField::TableYear:
        return "table-year";
    case HeaderField::TableRow:
        return "table-row";
    case HeaderField::AstroChannel:
        return "astro-channel";
    case HeaderField::AstroLimits:
        return "astro-limits";
    case HeaderField::AstroTimes:
        return "astro-times";
    case HeaderField::AstroLocation:
        return "astro-location";
    case HeaderField::ChannelName:
        return "channel-name";
    case HeaderField::Description:
        return "description";
    case HeaderField::WriteProtection:
        return "write-protection";
    }
    return "";
}

QString EntryDiffFieldsText(int fields, const TextTable& texts)
{
    QStringList parts;
    if (fields & DiffState)
        parts << texts(kState);
    if (fields & DiffChannels)
        parts << texts(kChannels);
    if (fields & DiffPulse)
        parts << texts(kPulse);
    if (fields & DiffOther)
        parts << texts(kOther);
    return parts.join(QStringLiteral(", "));
}

namespace {

// The values are kept as the comparison found them (the JSON output gives
// them so); the text shows them as the device properties and the astro list
// name them, in the user's language.
QString RuleName(const QString& v, const TextTable& texts)
{
    static constexpr TextId kNames[] = {TextId::DstNone, TextId::DstEurope, TextId::DstUk, TextId::DstUsa,
                                        TextId::DstByTable};
    bool ok = false;
    const int rule = v.toInt(&ok);
    if (!ok || rule < 0 || rule >= static_cast<int>(std::size(kNames)))
        return v;
    return texts(kNames[rule]).trimmed();
}

QString LimitsShown(QString v, const TextTable& texts)
{
    v.replace(QStringLiteral("OFF"), texts(TextId::Off).trimmed());
    v.replace(QStringLiteral("ON"), texts(TextId::On).trimmed());
    return v;
}

QString AstroTimesShown(const QString& v)
{
    QStringList times;
    for (const QString& part : v.split(QLatin1Char('/'))) {
        bool ok = false;
        const int m = part.toInt(&ok);
        times << (ok && m >= 0 ? QStringLiteral("%1:%2").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0')) : part);
    }
    return times.join(QLatin1Char('/'));
}

} // namespace

QStringList DiffLines(const ProgramDiff& diff, const ProgramModel& a, int slotA, const ProgramModel& b, int slotB,
                      const TextTable& texts)
{
    QStringList lines;
    for (const HeaderDifference& d : diff.header) {
        auto shown = [&texts, &d](const QString& v) -> QString {
            if (d.field == HeaderField::WriteProtection || d.field == HeaderField::AstroChannel)
                return texts(v == QLatin1String("1") ? kOn : kOff);
            if (v.isEmpty() || v == QLatin1String("-"))
                return texts(kNone);
            switch (d.field) {
            case HeaderField::Rule:
                return RuleName(v, texts);
            case HeaderField::AstroLimits:
                return LimitsShown(v, texts);
            case HeaderField::AstroTimes:
                return AstroTimesShown(v);
            default:
                return v;
            }
        };
        lines << QStringLiteral("* ") + texts(kArrow).arg(HeaderFieldName(d, texts), shown(d.first), shown(d.second));
    }
    if (diff.entries.empty())
        return lines;
    const RowCells cellsA(a, slotA, texts);
    const RowCells cellsB(b, slotB, texts);
    for (const EntryDifference& d : diff.entries) {
        switch (d.kind) {
        case EntryDiffKind::OnlyInFirst:
            lines << QStringLiteral("- ") + cellsA.text(d.first, texts);
            break;
        case EntryDiffKind::OnlyInSecond:
            lines << QStringLiteral("+ ") + cellsB.text(d.second, texts);
            break;
        case EntryDiffKind::Changed:
            lines << QStringLiteral("~ ") + cellsA.text(d.first, texts) + QStringLiteral(" → ")
                    + cellsB.text(d.second, texts).section(QStringLiteral(": "), 1)
                    + QStringLiteral(" (") + EntryDiffFieldsText(d.fields, texts) + QLatin1Char(')');
            break;
        }
    }
    return lines;
}

} // namespace zendrik
