#include "site/SiteChange.h"

#include "calendar/SommerzeitTage.h"
#include "editing/EntryTexts.h"
#include "editing/ListFilter.h"
#include "editing/ProgramList.h"
#include "editing/SwitchingTimeText.h"
#include "editing/checks/ProgramDiff.h"
#include "site/SiteFile.h"
#include "model/ProgramFile.h"
#include "tests/site/SiteFixtures.h"

#include <functional>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// Two weekly/annual devices and an astro device.
class SiteChangeTest : public SiteFolder {
protected:
    void SetUp() override
    {
        SiteFolder::SetUp();
        addDevice(QStringLiteral("Flur EG"), QuietProgram(), QStringLiteral("programs/Flur EG.zpg"));
        addDevice(QStringLiteral("Klassen"), QuietProgram(), QStringLiteral("Klassen.zpg"));
        addDevice(QStringLiteral("Aussenlicht"), canonical752(), QStringLiteral("Aussen.zpg"), 19);
    }
    std::vector<QByteArray> files() const
    {
        std::vector<QByteArray> all;
        for (const SiteDevice& d : site.devices)
            all.push_back(readFile(site.programPath(d)));
        return all;
    }
    ProgramModel load(int device) const
    {
        ProgramModel m;
        EXPECT_EQ(LoadSiteProgram(site, site.devices[static_cast<std::size_t>(device)], m), 0);
        return m;
    }
};

const QStringList kAll = {QStringLiteral("Flur EG"), QStringLiteral("Klassen"), QStringLiteral("Aussenlicht")};

// What the changed program must show against the old one, beyond the
// preview's lines; `entries`: how many priority times it gained (-1: none
// compared, the table of entries must stay as it was).
struct ChangeCase {
    const char* name;
    SiteChange change;
    std::array<bool, 3> applicable;
    int entries = -1;
    std::function<bool(const ProgramModel&)> expect = [](const ProgramModel&) { return true; };
};

using K = SiteChange::Kind;
const std::vector<Feiertag> kMayAndEaster = {{QStringLiteral("Maifeiertag"), FeiertagFest, 0, 1, 5},
                                             {QStringLiteral("Ostermontag"), FeiertagOstern, 0, 1, 0}};
const SiteChange kHamburg{.kind = K::Place, .place = QStringLiteral("Hamburg"),
                          .placeRecord = Place::fromLocation(QStringLiteral("Hamburg"), -10.0f, 53.5f, -60)};

const ChangeCase kChanges[] = {
    {"holidays_one_year", {.kind = K::Holidays, .fromYear = 2027, .toYear = 2027, .holidays = kMayAndEaster}, {true, true, true}, 2},
    // Only the astro device keeps priority times bound to their years: two days of two years.
    {"holidays", {.kind = K::Holidays, .fromYear = 2027, .toYear = 2028, .holidays = kMayAndEaster}, {false, false, true}, 4},
    {"dst_rule", {.kind = K::DstRule, .dstRule = SwUsa}, {true, true, true}, -1,
     [](const ProgramModel& m) { return m.device.SwRegel == SwUsa; }},
    {"dst_zone", {.kind = K::DstZone, .zone = QStringLiteral("Europe/Berlin"), .firstYear = 2026}, {true, true, true}, -1,
     [](const ProgramModel& m) {
         return m.device.SwRegel == SwTabelle && m.program().AnzSoWi == kDstRows
             && TabellenTage(m.program(), 2027) == RegelTage(SwEuropa, 2027);
     }},
    {"place", kHamburg, {false, false, true}, -1,
     [](const ProgramModel& m) { return m.program().astro.AstroBreite == 53.5f && m.program().astro.AstroLaenge == -10.0f; }},
};

class SiteChangeKinds : public SiteChangeTest, public ::testing::WithParamInterface<ChangeCase> { };

TEST_P(SiteChangeKinds, PreviewIsWhatApplyWrites)
{
    const ChangeCase& c = GetParam();
    const std::vector<QByteArray> original = files();
    const std::vector<ProgramModel> before = {load(0), load(1), load(2)};

    const std::vector<SiteChangePreview> preview = PreviewSiteChange(site, kAll, c.change, textsIn(2), ExtraLanguage::English);
    EXPECT_EQ(files(), original) << "the preview wrote a file";
    const std::vector<SiteChangePreview> applied = ApplySiteChange(site, kAll, c.change, textsIn(2), ExtraLanguage::English);
    ASSERT_EQ(preview.size(), 3u);
    ASSERT_EQ(applied.size(), 3u);
    const std::vector<QByteArray> now = files();
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(kAll[static_cast<qsizetype>(i)].toStdString());
        EXPECT_EQ(preview[i].device, kAll[static_cast<qsizetype>(i)]);
        EXPECT_EQ(preview[i].applicable, c.applicable[i]) << preview[i].reason.toStdString();
        EXPECT_EQ(applied[i].applicable, c.applicable[i]);
        EXPECT_EQ(applied[i].differences, preview[i].differences);
        if (!c.applicable[i]) {
            EXPECT_FALSE(preview[i].reason.isEmpty());
            EXPECT_EQ(now[i], original[i]) << "a device the change does not fit was written";
            continue;
        }
        EXPECT_FALSE(preview[i].differences.isEmpty());
        // The file as written, compared with the file as it was, shows the preview's lines.
        const ProgramModel after = load(static_cast<int>(i));
        const ProgramDiff diff = DiffPrograms(before[i], kProgramSlot, after, kProgramSlot);
        EXPECT_EQ(DiffLines(diff, before[i], kProgramSlot, after, kProgramSlot, textsIn(2)), preview[i].differences);
        EXPECT_TRUE(c.expect(after));
        const ProgramSlot &was = before[i].program(), &is = after.program();
        EXPECT_EQ(is.AnzPz, was.AnzPz + std::max(c.entries, 0));
        EXPECT_TRUE(std::equal(was.Eintrag.begin(), was.Eintrag.begin() + (c.entries < 0 ? was.AnzEintrag : was.AnzSz), is.Eintrag.begin()));
    }
    // The same change once more changes nothing.
    for (const SiteChangePreview& p : PreviewSiteChange(site, kAll, c.change, textsIn(2), ExtraLanguage::English))
        EXPECT_TRUE(!p.applicable || p.differences.isEmpty()) << p.device.toStdString() << ": " << p.differences.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Site, SiteChangeKinds, ::testing::ValuesIn(kChanges),
                         [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

TEST_F(SiteChangeTest, RefusalsNameTheirReasonAndWriteNothing)
{
    const std::vector<QByteArray> original = files();
    site.devices[1].program = QStringLiteral("gone.zpg");
    const struct {
        SiteChange change;
        QStringList devices;
        const char* reason;
    } cases[] = {
        {{.kind = K::DstRule, .dstRule = 7}, {QStringLiteral("Flur EG")}, "no rule 7"},
        {kHamburg, {QStringLiteral("Flur EG")}, "does not switch by the sun"},
        {{.kind = K::DstRule, .dstRule = 1}, {QStringLiteral("Keller")}, "No device of that name"},
        {{.kind = K::DstRule, .dstRule = 1}, {QStringLiteral("Klassen")}, "cannot be opened"},
    };
    for (const auto& c : cases) {
        const std::vector<SiteChangePreview> done = ApplySiteChange(site, c.devices, c.change, textsIn(2), ExtraLanguage::English);
        ASSERT_EQ(done.size(), 1u);
        EXPECT_FALSE(done[0].applicable);
        EXPECT_TRUE(done[0].reason.contains(QString::fromUtf8(c.reason))) << done[0].reason.toStdString();
    }
    site.devices[1].program = QStringLiteral("Klassen.zpg");
    EXPECT_EQ(files(), original);
}

// A switching time by its text: added, changed or deleted on a four-channel
// device and the two-channel astro device; "" = done, else the reason. The
// cases run one after the other on the same files.
TEST_F(SiteChangeTest, SwitchingTimesByTheirListText)
{
    const struct {
        SiteChange change;
        std::array<const char*, 3> result; // Flur EG (as Klassen), Aussenlicht
    } cases[] = {
        {{.kind = K::AddTime, .entry = QStringLiteral("Mo-Fr 12:00 C2 ON")}, {"", "", ""}},
        {{.kind = K::AddTime, .entry = QStringLiteral("Sa 12:00 hrs C3 ON 2")}, {"", "", "only 2 channels"}},
        {{.kind = K::AddTime, .entry = QStringLiteral("Mo 6:00 C1 10 sec ON")}, {"", "", "no pulses"}},
        {{.kind = K::AddTime, .entry = QStringLiteral("1  \tdaily\t  7:00 hrs\t C1\t\t \tON\t")}, {"in the program already", "in the program already", ""}},
        {{.kind = K::AddTime, .entry = QStringLiteral("daily 7:00 C1 OFF")}, {"switches otherwise: daily 7:00 hrs C1 ON", "switches otherwise", "switches otherwise"}},
        {{.kind = K::ChangeTime, .entry = QStringLiteral("daily 19:00 C1 OFF"), .entry2 = QStringLiteral("24.12. 18:00 C1 OFF")}, {"", "", "not in the program"}},
        {{.kind = K::ChangeTime, .entry = QStringLiteral("daily 7:00 C1 ON"), .entry2 = QStringLiteral("daily 7:00 C1 OFF")}, {"", "", ""}},
        {{.kind = K::DeleteTime, .entry = QStringLiteral("daily 7:00 C1 OFF")}, {"", "", ""}},
        {{.kind = K::DeleteTime, .entry = QStringLiteral("Su 7:00 C1 ON")}, {"not in the program", "not in the program", "not in the program"}},
    };
    const TextTable texts = textsIn(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change.entry.toStdString());
        const std::vector<ProgramModel> before = {load(0), load(1), load(2)};
        const std::vector<SiteChangePreview> done = ApplySiteChange(site, kAll, c.change, texts, ExtraLanguage::English);
        for (std::size_t i = 0; i < 3; ++i) {
            const ProgramModel after = load(static_cast<int>(i));
            EXPECT_EQ(done[i].applicable, *c.result[i] == 0) << i << ": " << done[i].reason.toStdString();
            EXPECT_TRUE(done[i].reason.contains(QString::fromUtf8(c.result[i]))) << done[i].reason.toStdString();
            if (!done[i].applicable) {
                EXPECT_EQ(after.program().Eintrag, before[i].program().Eintrag);
                continue;
            }
            // The entry named is there (added, or the new one) or gone, and the program is in list order.
            const QString wanted = c.change.kind == K::ChangeTime ? c.change.entry2 : c.change.entry;
            Entry e;
            ASSERT_EQ(BuildSwitchingTime(*ParseSwitchingTime(wanted, texts).notation, after.device, e), SwitchingTimeFit::Fits);
            const ProgramSlot& slot = after.program();
            const bool there = std::find(slot.Eintrag.begin(), slot.Eintrag.begin() + slot.AnzSz, e) != slot.Eintrag.begin() + slot.AnzSz;
            EXPECT_EQ(there, c.change.kind != K::DeleteTime);
            EXPECT_EQ(slot.AnzSz - before[i].program().AnzSz, c.change.kind == K::AddTime ? 1 : c.change.kind == K::DeleteTime ? -1 : 0);
            EXPECT_EQ(slot.AnzPz, before[i].program().AnzPz);
            ProgramModel sorted = after;
            SortProgram(sorted, 1, kProgramSlot);
            EXPECT_EQ(sorted.program().Eintrag, slot.Eintrag);
        }
    }
}

// Every switching-time row of the shipped sample programs, in each language, as `list` prints it with its row
// number, reads back as its entry, and the entry writes the row again.
TEST(SwitchingTimeText, EveryListRowOfTheSamplesReadsBackAsItsEntry)
{
    Site samples;
    ASSERT_TRUE(LoadSite(QStringLiteral(ZENDRIK_SHIPPED_DATA "/samples/Schule.zsite"), samples).ok());
    int rows = 0;
    for (const int language : {1, 2, 3}) {
        const TextTable texts = textsIn(language);
        for (const SiteDevice& d : samples.devices) {
            ProgramModel m;
            ASSERT_EQ(LoadSiteProgram(samples, d, m), 0);
            m.device.Sprache = language;
            const ProgramList list = ProgramList::Build(m, texts, ListFilter(), AnsichtSchaltzeiten, kProgramSlot);
            for (std::size_t r = 0; r < list.rows.size(); ++r, ++rows) {
                const QString line = list.rows[r].join(u'\t');
                SCOPED_TRACE(line.toStdString());
                const SwitchingTimeParse read = ParseSwitchingTime(line, texts);
                ASSERT_TRUE(read.notation) << SwitchingTimeTextMessage(read, ExtraLanguage::English).toStdString();
                Entry e;
                ASSERT_EQ(BuildSwitchingTime(*read.notation, m.device, e), SwitchingTimeFit::Fits);
                EXPECT_EQ(e, list.display.Anzeige[r]);
                EXPECT_EQ(FormatSwitchingTime(e, texts, m.device), list.rows[r].mid(1).join(u'\t'));
            }
        }
    }
    EXPECT_GE(rows, 3 * 40);
}

TEST(SwitchingTimeText, TextsThatNameNoSwitchingTimeSayWhy)
{
    const struct {
        const char* text;
        SwitchingTimeTextError error;
    } cases[] = {
        {"  ", SwitchingTimeTextError::Empty},
        {"Mo Xy 7:00 C1 EIN", SwitchingTimeTextError::Days},
        {"31. April 7:00 C1 EIN", SwitchingTimeTextError::Date},
        {"täglich C1 EIN", SwitchingTimeTextError::Time},
        {"täglich 24:00 C1 EIN", SwitchingTimeTextError::Time},
        {"täglich 7:00 Uhr EIN", SwitchingTimeTextError::Channels},
        {"täglich 7:00 C17 EIN", SwitchingTimeTextError::Channels},
        {"täglich 7:00 C1 75 sec EIN", SwitchingTimeTextError::Pulse},
        {"täglich 7:00 C1 1x EIN", SwitchingTimeTextError::Once},
        {"täglich 7:00 C1", SwitchingTimeTextError::State},
        {"24.12. 7:00 C1 EIN 3", SwitchingTimeTextError::Priority},
        {"Mo 7:00 C1 EIN 10", SwitchingTimeTextError::Priority},
        {"täglich 7:00 C1 EIN 3 Uhr", SwitchingTimeTextError::Unexpected},
    };
    const TextTable texts = textsIn(1);
    for (const auto& c : cases) {
        const SwitchingTimeParse read = ParseSwitchingTime(QString::fromUtf8(c.text), texts);
        EXPECT_FALSE(read.notation) << c.text;
        EXPECT_EQ(read.error, c.error) << c.text;
        EXPECT_FALSE(SwitchingTimeTextMessage(read, ExtraLanguage::French).isEmpty());
    }
}

// A holiday set without a channel choice: every channel of the four-channel device in one entry, channel 1 of the
// sixteen-channel device, as the priority-time dialog of each gives it.
TEST(SiteChangeHolidays, GoWhereTheDevicesOwnDialogPutsThem)
{
    const SiteChange change{.kind = K::Holidays, .fromYear = 2027, .toYear = 2027, .holidays = kMayAndEaster};
    const TextTable texts = textsIn(2);
    for (const auto& [program, channels] : {std::pair{canonical731(), " C1 C2 C3 C4"}, std::pair{canonical738(), " C1"}}) {
        ProgramModel m = program;
        const ProgramSlot was = m.program();
        QString reason;
        ASSERT_TRUE(ApplySiteChangeToProgram(m, change, texts, ExtraLanguage::English, &reason)) << reason.toStdString();
        const ProgramSlot& is = m.program();
        EXPECT_EQ(is.AnzPz, was.AnzPz + 2);
        for (int i = is.AnzSz; i < is.AnzSz + is.AnzPz; ++i) {
            const Entry& e = is.Eintrag[static_cast<std::size_t>(i)];
            if (std::find(was.Eintrag.begin(), was.Eintrag.end(), e) == was.Eintrag.end()) {
                EXPECT_EQ(EntryChannelsText(e, texts, m.device), QString::fromLatin1(channels));
            }
        }
    }
}

} // namespace
