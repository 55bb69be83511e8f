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

struct ChangeCase {
    const char* name;
    SiteChange change;
    std::array<bool, 3> applicable;
    // What the changed program of device 0 or 2 must show against the old one.
    std::function<void(const ProgramModel& before, const ProgramModel& after)> expect;
};

SiteChange Holidays(int toYear)
{
    SiteChange c;
    c.kind = SiteChange::Kind::Holidays;
    c.holidaySet = QStringLiteral("Schule");
    c.fromYear = 2027;
    c.toYear = toYear;
    c.holidays = {Feiertag{QStringLiteral("Maifeiertag"), FeiertagFest, 0, 1, 5},
                  Feiertag{QStringLiteral("Ostermontag"), FeiertagOstern, 0, 1, 0}};
    return c;
}

SiteChange Rule(int rule)
{
    SiteChange c;
    c.kind = SiteChange::Kind::DstRule;
    c.dstRule = rule;
    return c;
}

SiteChange Zone()
{
    SiteChange c;
    c.kind = SiteChange::Kind::DstZone;
    c.zone = QStringLiteral("Europe/Berlin");
    c.firstYear = 2026;
    return c;
}

SiteChange Hamburg()
{
    SiteChange c;
    c.kind = SiteChange::Kind::Place;
    c.place = QStringLiteral("Hamburg");
    c.placeRecord = Place::fromLocation(c.place, -10.0f, 53.5f, -60);
    return c;
}

bool SameEntries(const ProgramSlot& a, const ProgramSlot& b, int count)
{
    return std::equal(a.Eintrag.begin(), a.Eintrag.begin() + count, b.Eintrag.begin());
}

const ChangeCase kChanges[] = {
    {"holidays_one_year", Holidays(2027), {true, true, true},
     [](const ProgramModel& before, const ProgramModel& after) {
         EXPECT_EQ(after.program().AnzPz, before.program().AnzPz + 2);
         EXPECT_TRUE(SameEntries(before.program(), after.program(), before.program().AnzSz));
     }},
    // Only the astro device keeps priority times bound to their years.
    {"holidays", Holidays(2028), {false, false, true},
     [](const ProgramModel& before, const ProgramModel& after) {
         // 1 May and Easter Monday of two years, one priority time each, bound to its year.
         EXPECT_EQ(after.program().AnzPz, before.program().AnzPz + 4);
         EXPECT_TRUE(SameEntries(before.program(), after.program(), before.program().AnzSz));
         EXPECT_EQ(after.device.SwRegel, before.device.SwRegel);
     }},
    {"dst_rule", Rule(SwUsa), {true, true, true},
     [](const ProgramModel& before, const ProgramModel& after) {
         EXPECT_EQ(after.device.SwRegel, SwUsa);
         EXPECT_TRUE(SameEntries(before.program(), after.program(), before.program().AnzEintrag));
     }},
    {"dst_zone", Zone(), {true, true, true},
     [](const ProgramModel& before, const ProgramModel& after) {
         EXPECT_EQ(after.device.SwRegel, SwTabelle);
         EXPECT_EQ(after.program().AnzSoWi, kDstRows);
         EXPECT_EQ(TabellenTage(after.program(), 2027), RegelTage(SwEuropa, 2027));
         EXPECT_TRUE(SameEntries(before.program(), after.program(), before.program().AnzEintrag));
     }},
    {"place", Hamburg(), {false, false, true},
     [](const ProgramModel& before, const ProgramModel& after) {
         EXPECT_FLOAT_EQ(after.program().astro.AstroBreite, 53.5f);
         EXPECT_FLOAT_EQ(after.program().astro.AstroLaenge, -10.0f);
         EXPECT_EQ(after.program().astro.AstroOffsetAuf, before.program().astro.AstroOffsetAuf);
         EXPECT_TRUE(SameEntries(before.program(), after.program(), before.program().AnzEintrag));
     }},
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
        c.expect(before[i], after);
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
        {Rule(7), {QStringLiteral("Flur EG")}, "no rule 7"},
        {Hamburg(), {QStringLiteral("Flur EG")}, "does not switch by the sun"},
        {Rule(1), {QStringLiteral("Keller")}, "No device of that name"},
        {Rule(1), {QStringLiteral("Klassen")}, "cannot be opened"},
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
