#include "site/SiteChange.h"

#include "calendar/SommerzeitTage.h"
#include "editing/checks/ProgramDiff.h"
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

} // namespace
