#include "site/SiteChecks.h"

#include "calendar/SommerzeitTage.h"
#include "tests/site/SiteFixtures.h"

#include <functional>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class SiteChecksTest : public SiteFolder {
public:
    // Two quiet devices: "Flur EG" and "Aussenlicht", nothing to find.
    void SetUp() override
    {
        SiteFolder::SetUp();
        addDevice(QStringLiteral("Flur EG"), QuietProgram(), QStringLiteral("programs/Flur EG.zpg"));
        addDevice(QStringLiteral("Aussenlicht"), QuietProgram(), QStringLiteral("Aussenlicht.zpg"));
    }
    SiteDevice& second() { return site.devices[1]; }
    std::vector<SiteFinding> check() { return CheckSite(site, textsIn(2), kSiteYear, ExtraLanguage::English); }
};

TEST_F(SiteChecksTest, QuietSiteHasNoFinding)
{
    const std::vector<SiteFinding> findings = check();
    for (const SiteFinding& f : findings)
        ADD_FAILURE() << f.device.toStdString() << ": " << f.text.toStdString();
    const std::vector<SiteDeviceCheck> worst = WorstPerDevice(site, findings);
    ASSERT_EQ(worst.size(), 2u);
    EXPECT_FALSE(worst[0].hasFinding || worst[1].hasFinding);
}

// Each kind of finding, made on the second device of the quiet site, is
// found, names that device (and the first where a pair is compared) and
// says what it is about.
struct Case {
    const char* name;
    std::function<void(SiteChecksTest&)> spoil;
    SiteCheckId id;
    Severity severity;
    const char* other; // the other device named, "" none
    const char* text;  // part of the message
};

class SiteCheckKinds : public SiteChecksTest, public ::testing::WithParamInterface<Case> { };

TEST_P(SiteCheckKinds, FoundAndNamed)
{
    const Case& c = GetParam();
    c.spoil(*this);
    const std::vector<SiteFinding> findings = check();
    const auto hit = std::find_if(findings.begin(), findings.end(), [&](const SiteFinding& f) {
        return f.id == c.id && f.device == QStringLiteral("Aussenlicht");
    });
    ASSERT_NE(hit, findings.end()) << SiteCheckKey(c.id);
    EXPECT_EQ(hit->severity, c.severity);
    EXPECT_EQ(hit->other, QString::fromUtf8(c.other));
    EXPECT_TRUE(hit->text.contains(QString::fromUtf8(c.text))) << hit->text.toStdString();
    // The first device is blamed only for a pair's finding.
    const bool pair = c.id == SiteCheckId::SameBusAddress;
    EXPECT_EQ(std::count_if(findings.begin(), findings.end(),
                            [&](const SiteFinding& f) { return f.id == c.id && f.device == QStringLiteral("Flur EG"); }),
              pair ? 1 : 0);
    const std::vector<SiteDeviceCheck> worst = WorstPerDevice(site, findings);
    EXPECT_TRUE(worst[1].hasFinding);
    EXPECT_GE(worst[1].worst, c.severity);
}

void Resave(SiteChecksTest& t, ProgramModel m)
{
    ASSERT_FALSE(saveProgramAs(m, t.site.programPath(t.site.devices[1])).isEmpty());
}

const Case kCases[] = {
    {"program_check", [](SiteChecksTest& t) { // OFF in the minute it goes ON
         ProgramModel m = QuietProgram();
         addEntry(m, BuildWeeklyEntry(7 * 60, 127, 1, 0, 0, 0));
         Resave(t, m);
     }, SiteCheckId::ProgramCheck, Severity::Error, "", "7:00"},
    {"same_bus_address", [](SiteChecksTest& t) { t.site.devices[1].address = QStringLiteral("1.1.1"); },
     SiteCheckId::SameBusAddress, Severity::Error, "Flur EG", "1.1.1"},
    {"program_missing", [](SiteChecksTest& t) { t.site.devices[1].program = QStringLiteral("nowhere.zpg"); },
     SiteCheckId::ProgramMissing, Severity::Error, "", "nowhere.zpg"},
    {"program_outside", [](SiteChecksTest& t) { t.site.devices[1].mark = SiteDeviceMark::OutsideFolder; },
     SiteCheckId::ProgramMissing, Severity::Error, "", "outside"},
    {"program_unfitting", [](SiteChecksTest& t) { t.site.devices[1].type = 19; }, // the astro device
     SiteCheckId::ProgramUnfitting, Severity::Error, "", "does not fit"},
    {"unknown_type", [](SiteChecksTest& t) { t.site.devices[1].type = 33; }, SiteCheckId::ProgramUnfitting,
     Severity::Error, "", "Unknown device type 33"},
    {"dst_differs", [](SiteChecksTest& t) {
         ProgramModel m = QuietProgram();
         m.device.SwRegel = SwUsa;
         Resave(t, m);
     }, SiteCheckId::DstDiffers, Severity::Warning, "Flur EG", "rule USA"},
    {"places_apart", [](SiteChecksTest& t) { // two astro devices, the second 2 degrees further north
         ProgramModel a = canonical752();
         ASSERT_FALSE(saveProgramAs(a, t.site.programPath(t.site.devices[0])).isEmpty());
         a.program().astro.AstroBreite += 2.0f;
         Resave(t, a);
         t.site.devices[0].type = t.site.devices[1].type = 19;
     }, SiteCheckId::PlacesApart, Severity::Warning, "Flur EG", "Astro place"},
    {"holidays_differ", [](SiteChecksTest& t) {
         ProgramModel m = QuietProgram();
         addEntry(m, BuildPriorityEntry(1, 5, 1, 5, 0, false, 10, 1, 0)); // 1 May every year
         Resave(t, m);
     }, SiteCheckId::HolidaysDiffer, Severity::Warning, "Flur EG", "01.05.2026"},
    {"never_transferred", [](SiteChecksTest& t) { t.site.devices[1].last.reset(); }, SiteCheckId::NeverTransferred,
     Severity::Warning, "", "never written"},
    {"changed_since", [](SiteChecksTest& t) { t.site.devices[1].last->checksum = QStringLiteral("00000000"); },
     SiteCheckId::ChangedSinceTransfer, Severity::Warning, "", "changed since"},
    {"last_failed", [](SiteChecksTest& t) { t.site.devices[1].last->result = SiteTransferResult::Failed; },
     SiteCheckId::LastTransferFailed, Severity::Error, "", "2026-12-01T10:00:00"},
};

INSTANTIATE_TEST_SUITE_P(Site, SiteCheckKinds, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
