// Image bytes the golden files do not show: other header options, number and meter edge cases, the chains of an empty and a full memory.

#include "model/DeviceImage.h"
#include "model/EntryBuilder.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

Image buildLogical(ProgramModel& m)
{
    auto ui = ScriptedInteraction::answering(false);
    BuildHeader(m, ui);
    return BuildLogicalImage(m);
}

std::vector<int> at(const Image& img, int from, int count) { return std::vector<int>(img.begin() + from, img.begin() + from + count); }

int link(const Image& img, int n)
{
    const auto off = static_cast<std::size_t>(ImageLayout::entryOffset(n));
    return ((img[off + 3] >> 7) << 8) | img[off + 2];
}

} // namespace

TEST(Header, TimeOptionsAndIdentification)
{
    ProgramModel m = modelForRow(3); // 731, three channels
    std::tie(m.device.SwRegel, m.device.SpracheUhr) = std::tuple(1, 1);
    Image img = buildLogical(m);
    // 10:37 is minute 637 of the day, saved on 6 December 2026.
    EXPECT_EQ(at(img, 1, 7), (std::vector<int>{72, 1 * 16 + 2, 1 + 2 + 4 + 16, 637 / 16, (637 % 16) * 16 + 12, 6, 2026 - 1872}));

    // A year-bound priority time needs identification 73; the master flag survives.
    addEntry(m, BuildPriorityEntry(1, 5, 3, 5, 0, false, 2, 1, 0));
    EXPECT_EQ(buildLogical(m)[1], 72);
    addEntry(m, BuildPriorityEntry(1, 5, 3, 5, 2030 - 1936, true, 2, 1, 0));
    EXPECT_EQ(buildLogical(m)[1], 73);
    m.device.Geraetekennung |= 0x80;
    m.device.MasterKennung = 7;
    img = buildLogical(m);
    EXPECT_EQ(std::tuple(img[1], img[3] & 0x80, img[18]), std::tuple(0x80 | 73, 0x80, 7));
    for (const bool yes : {true, false}) {
        ProgramModel m = canonical731();
        m.device.SwRegel = 0;
        auto ui = ScriptedInteraction::answering(yes);
        BuildHeader(m, ui);
        ASSERT_EQ(ui.asked().size(), 1u);
        EXPECT_EQ(std::tuple(ui.asked()[0].key(), m.device.SwRegel, m.program().Kopf[2] >> 4), std::tuple(TextId::DstTableNotActivated, yes ? 4 : 0, yes ? 4 : 0));
    }
}

TEST(Image, ProgramNumberMeterPulseAndProtection)
{
    const std::pair<std::int32_t, std::array<int, 3>> numbers[] = {{0, {0x00, 0x00, 0x00}}, {7, {0x00, 0x00, 0x07}}, {999999, {0x99, 0x99, 0x99}}, {1000000, {255, 255, 255}}, {kNoProgramNumber, {255, 255, 255}}};
    for (const auto& [number, bcd] : numbers) {
        ProgramModel m = modelForRow(1);
        m.program().ProgNr = number;
        EXPECT_EQ(at(buildLogical(m), 13, 3), std::vector<int>(bcd.begin(), bcd.end())) << number;
    }

    ProgramModel m = modelForRow(8);
    std::tie(m.device.MessKanal, m.device.MessPeriode, m.device.MessZustand, m.device.MessZeitpunkt, m.device.MessImpDauer) = std::tuple(2, 15, 1, 1, 10);
    EXPECT_EQ(at(buildLogical(m), 16, 2), (std::vector<int>{64 + 15, 128 + 64 + 10}));
    m.device.MessKanal = 0;
    EXPECT_EQ(at(buildLogical(m), 16, 2), (std::vector<int>{255, 255}));

    // The protection byte: 252 protected, 254 not; the astro family adds its channel choice.
    ProgramModel plain = modelForRow(1), astro = modelForRow(19);
    plain.program().Schreibschutz = astro.device.AstroC1C2 = 1;
    EXPECT_EQ(std::tuple(buildLogical(plain)[12], buildLogical(astro)[12]), std::tuple(252, 245 + 2 + 8));
    ProgramModel chain = modelForRow(2);
    Image chained = buildLogical(chain);
    // Empty: no first entry, the free chain starts at 1 and runs through all 324.
    EXPECT_EQ(at(chained, 100, 4), (std::vector<int>{0, 0, 0, 1}));
    EXPECT_EQ(chained[19], 255);
    for (int n = 1; n < 324; ++n) ASSERT_EQ(link(chained, n), n + 1) << n;
    EXPECT_EQ(link(chained, 324), 0);
    for (int i = 0; i < 300; ++i) addEntry(chain, BuildWeeklyEntry(i, 1, 1, i % 2, 0, 0));
    chained = buildLogical(chain);
    // First free entry 301: bit 8 in byte 102, the low byte in 103.
    EXPECT_EQ(at(chained, 100, 4), (std::vector<int>{0, 1, 1, 301 - 256}));
    EXPECT_EQ(std::tuple(link(chained, 299), link(chained, 300), link(chained, 301)), std::tuple(300, 0, 302));
    for (int i = 300; i < 324; ++i) addEntry(chain, BuildWeeklyEntry(i, 1, 1, 0, 0, 0));
    chained = buildLogical(chain);
    EXPECT_EQ(std::tuple(chained[102], chained[103], link(chained, 324)), std::tuple(0, 0, 0));
    // The model's own entries keep no links.
    EXPECT_EQ(chain.program().Eintrag[0].b[2], 0);
    ProgramModel m2 = canonical752();
    auto ui = ScriptedInteraction::answering(false);
    BuildHeader(m2, ui);
    const Image logical = BuildLogicalImage(m2);
    const Image stored = BuildStoredImage(m2);
    for (const int i2 : {1, 7, 100, 101, 102, 103, 12, ImageLayout::entryOffset(1) + 2}) EXPECT_EQ(stored[i2], logical[i2]) << i2; // 12: the astro family keeps its protection byte
    for (const int i2 : {13, ImageLayout::entryOffset(1), ImageLayout::kAstro752}) EXPECT_EQ(stored[i2], NibbleSwap(logical[i2])) << i2;
    EXPECT_TRUE(ChecksumValid(stored));
    ProgramModel m738 = modelForRow(20);
    m738.program().astro.AstroAktiv[3] = -1;
    m738.program().astro.AstroTab[2][5] = AstroDay{0x123, 0x456, 0, -1};
    Image img = buildLogical(m738);
    EXPECT_EQ(at(img, ImageLayout::kAstro738 + 2 * ImageLayout::kAstroChannelBytes + 3 * 5, 3), (std::vector<int>{0x12, 0x34, 0x56}));
    // A channel that is not an astro channel holds the no-time marker 1535 = 0x5FF.
    EXPECT_EQ(at(img, ImageLayout::kAstro738, 3), (std::vector<int>{0x5F, 0xF5, 0xFF}));

    ProgramModel m752 = modelForRow(19);
    m752.program().astro.AstroAktiv[1] = -1;
    m752.program().astro.AstroTab[0][365] = AstroDay{0x123, 0x456, 0, -1};
    EXPECT_EQ(at(buildLogical(m752), ImageLayout::kAstro752 + 3 * 365, 3), (std::vector<int>{0x13, 0x24, 0x65}));
    const struct { float lon, lat; int zone, rise, set; } cases[] = {
        {-8.5f, 49.5f, -60, -15, 20}, // 8.5 E, 49.5 N, displayed +1 h
        {0.0f, 0.0f, 0, 0, 0},
        {122.5f, -33.5f, 480, 127, -128}, // 122.5 W, 33.5 S, displayed -8 h
        {-85.0f, 28.0f, -345, -90, 90},   // displayed +5:45
        {3.5f, -0.5f, 210, 1, -1},        // displayed -3:30
        {-179.5f, 89.5f, -840, 45, -45},  // displayed +14 h
    };
    for (const auto& c : cases) {
        AstroProgram in, out;
        std::tie(in.AstroLaenge, in.AstroBreite, in.AstroZone, in.AstroOffsetAuf, in.AstroOffsetUnter) = std::tuple(c.lon, c.lat, c.zone, c.rise, c.set);
        Image img2(2048, 0);
        PackAstroLocation(in, img2);
        UnpackAstroLocation(img2, out);
        EXPECT_EQ(std::tie(out.AstroLaenge, out.AstroBreite, out.AstroZone, out.AstroOffsetAuf, out.AstroOffsetUnter), std::tie(c.lon, c.lat, c.zone, c.rise, c.set));
    }
}
