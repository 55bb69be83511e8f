#include "editing/EntryBuilder.h"
#include "model/DeviceImage.h"
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

int link(const Image& img, int n)
{
    const int off = ImageLayout::entryOffset(n);
    return ((img[static_cast<std::size_t>(off + 3)] >> 7) << 8) | img[static_cast<std::size_t>(off + 2)];
}

} // namespace

TEST(Header, TimeOfSavingAndOptions)
{
    ProgramModel m = modelForRow(3);   // 731, three channels
    m.device.SwRegel = 1;
    m.device.SpracheUhr = 1;
    const Image img = buildLogical(m);
    // 10:37 is minute 637 of the day, saved on 6 December 2026.
    EXPECT_EQ(img[4], 637 / 16);
    EXPECT_EQ(img[5], (637 % 16) * 16 + 12);
    EXPECT_EQ(img[6], 6);
    EXPECT_EQ(img[7], 2026 - 1872);
    EXPECT_EQ(img[2], 1 * 16 + 0 * 8 + 2);
    // 1 + Datumsformat 2 + SpracheUhr 4 + Nak 16 with the start values.
    EXPECT_EQ(img[3], 1 + 2 + 4 + 16);
    EXPECT_EQ(img[1], 72);
}

TEST(Header, IdentificationFollowsMovablePriorityTimes)
{
    ProgramModel m = modelForRow(1);
    addEntry(m, BuildPriorityEntry(1, 5, 3, 5, 0, false, 2, 1, 0));
    EXPECT_EQ(buildLogical(m)[1], 72);

    addEntry(m, BuildPriorityEntry(1, 5, 3, 5, 2030 - 1936, true, 2, 1, 0));
    EXPECT_EQ(buildLogical(m)[1], 73);

    // The master flag survives the recomputation.
    m.device.Geraetekennung |= 0x80;
    m.device.MasterKennung = 7;
    const Image img = buildLogical(m);
    EXPECT_EQ(img[1], 0x80 | 73);
    EXPECT_EQ(img[3] & 0x80, 0x80);
    EXPECT_EQ(img[18], 7);
}

TEST(Header, TableQuestionActivatesTheTable)
{
    for (const bool yes : {true, false}) {
        ProgramModel m = canonical731();
        m.device.SwRegel = 0;
        auto ui = ScriptedInteraction::answering(yes);
        BuildHeader(m, ui);
        ASSERT_EQ(ui.asked().size(), 1u);
        EXPECT_EQ(ui.asked()[0].key(), TextId::DstTableNotActivated);
        EXPECT_EQ(m.device.SwRegel, yes ? 4 : 0);
        EXPECT_EQ(m.program().Kopf[2] >> 4, yes ? 4 : 0);
    }
}

TEST(Image, ProgramNumberAsBcd)
{
    struct Case {
        std::int32_t number;
        int b13, b14, b15;
    };
    const Case cases[] = {
        {123456, 0x12, 0x34, 0x56},
        {0, 0x00, 0x00, 0x00},
        {999999, 0x99, 0x99, 0x99},
        {7, 0x00, 0x00, 0x07},
        {1000000, 255, 255, 255},
        {kNoProgramNumber, 255, 255, 255},
    };
    for (const Case& c : cases) {
        ProgramModel m = modelForRow(1);
        m.program().ProgNr = c.number;
        const Image img = buildLogical(m);
        EXPECT_EQ(img[13], c.b13) << c.number;
        EXPECT_EQ(img[14], c.b14) << c.number;
        EXPECT_EQ(img[15], c.b15) << c.number;
    }
}

TEST(Image, MeterPulseBytes)
{
    ProgramModel m = modelForRow(8);
    m.device.MessKanal = 2;
    m.device.MessPeriode = 15;
    m.device.MessZustand = 1;
    m.device.MessZeitpunkt = 1;
    m.device.MessImpDauer = 10;
    Image img = buildLogical(m);
    EXPECT_EQ(img[16], 64 + 15);
    EXPECT_EQ(img[17], 128 + 64 + 10);

    m.device.MessKanal = 0;
    img = buildLogical(m);
    EXPECT_EQ(img[16], 255);
    EXPECT_EQ(img[17], 255);
}

TEST(Image, ProtectionByteByFamily)
{
    ProgramModel m731 = modelForRow(1);
    m731.program().Schreibschutz = 1;
    EXPECT_EQ(buildLogical(m731)[12], 252);
    m731.program().Schreibschutz = 0;
    EXPECT_EQ(buildLogical(m731)[12], 254);

    ProgramModel m752 = modelForRow(19);
    m752.program().Schreibschutz = 0;
    m752.device.AstroC1C2 = 1;
    EXPECT_EQ(buildLogical(m752)[12], 245 + 2 + 8);
}

TEST(Image, EmptyProgramChains)
{
    ProgramModel m = modelForRow(1);
    const Image img = buildLogical(m);
    EXPECT_EQ(img[100], 0);
    EXPECT_EQ(img[101], 0);
    EXPECT_EQ(img[102], 0);
    EXPECT_EQ(img[103], 1);
    EXPECT_EQ(img[19], 255);
    // The free chain runs through all 324 entries.
    for (int n = 1; n < 324; ++n)
        EXPECT_EQ(link(img, n), n + 1);
    EXPECT_EQ(link(img, 324), 0);
}

TEST(Image, ChainsWithEntriesAndFullMemory)
{
    ProgramModel m = modelForRow(2);
    for (int i = 0; i < 300; ++i)
        addEntry(m, BuildWeeklyEntry(i, 1, 1, i % 2, 0, 0));
    Image img = buildLogical(m);
    EXPECT_EQ(img[100] * 256 + img[101], 1);
    // First free entry 301: bit 8 in byte 102, the low byte in 103.
    EXPECT_EQ(img[102], 1);
    EXPECT_EQ(img[103], 301 - 256);
    EXPECT_EQ(link(img, 299), 300);
    EXPECT_EQ(link(img, 300), 0);
    EXPECT_EQ(link(img, 301), 302);

    for (int i = 300; i < 324; ++i)
        addEntry(m, BuildWeeklyEntry(i, 1, 1, 0, 0, 0));
    img = buildLogical(m);
    EXPECT_EQ(img[102], 0);
    EXPECT_EQ(img[103], 0);
    EXPECT_EQ(link(img, 324), 0);
    // The model's own entries keep no links.
    EXPECT_EQ(m.program().Eintrag[0].b[2], 0);
}

TEST(Image, SwapLeavesChainBytesAndLinksAlone)
{
    ProgramModel m = canonical752();
    auto ui = ScriptedInteraction::answering(false);
    BuildHeader(m, ui);
    const Image logical = BuildLogicalImage(m);
    const Image stored = BuildStoredImage(m);
    for (int i = 1; i < 8; ++i)
        EXPECT_EQ(stored[i], logical[i]) << i;
    for (int i = 100; i < 104; ++i)
        EXPECT_EQ(stored[i], logical[i]) << i;
    EXPECT_EQ(stored[12], logical[12]);                      // the astro family keeps byte 12
    EXPECT_EQ(stored[13], NibbleSwap(logical[13]));
    EXPECT_EQ(stored[ImageLayout::entryOffset(1) + 2], logical[ImageLayout::entryOffset(1) + 2]);
    EXPECT_EQ(stored[ImageLayout::entryOffset(1)], NibbleSwap(logical[ImageLayout::entryOffset(1)]));
    EXPECT_EQ(stored[ImageLayout::kAstro752], NibbleSwap(logical[ImageLayout::kAstro752]));
    EXPECT_TRUE(ChecksumValid(stored));
}

TEST(Image, AstroDayRecordsOfBothFamilies)
{
    ProgramModel m738 = modelForRow(20);
    auto& a738 = m738.program().astro;
    a738.AstroAktiv[3] = -1;
    a738.AstroTab[2][5] = AstroDay{0x123, 0x456, 0, -1};
    Image img = buildLogical(m738);
    const int off738 = ImageLayout::kAstro738 + 2 * ImageLayout::kAstroChannelBytes + 3 * 5;
    EXPECT_EQ(img[off738], 0x12);
    EXPECT_EQ(img[off738 + 1], 0x34);
    EXPECT_EQ(img[off738 + 2], 0x56);
    // A channel that is not an astro channel holds the no-time marker 1535 = 0x5FF.
    EXPECT_EQ(img[ImageLayout::kAstro738], 0x5F);
    EXPECT_EQ(img[ImageLayout::kAstro738 + 1], 0xF5);
    EXPECT_EQ(img[ImageLayout::kAstro738 + 2], 0xFF);

    ProgramModel m752 = modelForRow(19);
    auto& a752 = m752.program().astro;
    a752.AstroAktiv[1] = -1;
    a752.AstroTab[0][365] = AstroDay{0x123, 0x456, 0, -1};
    img = buildLogical(m752);
    const int off752 = ImageLayout::kAstro752 + 3 * 365;
    EXPECT_EQ(img[off752], 0x13);
    EXPECT_EQ(img[off752 + 1], 0x24);
    EXPECT_EQ(img[off752 + 2], 0x65);
    EXPECT_EQ(off752 + 3, 2048);
}

TEST(Image, AstroLocationOfTheAstroFamilyRoundTrips)
{
    struct Case {
        float lon, lat;
        int zone, rise, set;
    };
    const Case cases[] = {
        {-8.5f, 49.5f, -60, -15, 20},     // 8.5 E, 49.5 N, displayed +1 h
        {0.0f, 0.0f, 0, 0, 0},
        {122.5f, -33.5f, 480, 127, -128},  // 122.5 W, 33.5 S, displayed -8 h
        {-85.0f, 28.0f, -345, -90, 90},    // displayed +5:45
        {3.5f, -0.5f, 210, 1, -1},         // displayed -3:30
        {-179.5f, 89.5f, -840, 45, -45},   // displayed +14 h
    };
    for (const Case& c : cases) {
        AstroProgram in;
        in.AstroLaenge = c.lon;
        in.AstroBreite = c.lat;
        in.AstroZone = c.zone;
        in.AstroOffsetAuf = c.rise;
        in.AstroOffsetUnter = c.set;
        Image img(2048, 0);
        PackAstroLocation(in, img);
        AstroProgram out;
        UnpackAstroLocation(img, out);
        EXPECT_FLOAT_EQ(out.AstroLaenge, c.lon);
        EXPECT_FLOAT_EQ(out.AstroBreite, c.lat);
        EXPECT_EQ(out.AstroZone, c.zone);
        EXPECT_EQ(out.AstroOffsetAuf, c.rise);
        EXPECT_EQ(out.AstroOffsetUnter, c.set);
    }
}

TEST(Image, StoredImageParsesBackIntoTheSameProgram)
{
    for (ProgramModel m : {canonical731(), canonical738(), canonical752()}) {
        auto ui = ScriptedInteraction::answering(false);
        BuildHeader(m, ui);
        const Image stored = BuildStoredImage(m);
        DeviceSettings device = m.device;
        ProgramSlot slot;
        ASSERT_EQ(ParseStoredImage(stored, device, slot, 0, false), LoadOk);
        EXPECT_EQ(slot.AnzEintrag, m.program().AnzEintrag);
        EXPECT_EQ(slot.AnzSz, m.program().AnzSz);
        EXPECT_EQ(slot.AnzPz, m.program().AnzPz);
        for (int i = 0; i < slot.AnzEintrag; ++i)
            EXPECT_EQ(slot.Eintrag[static_cast<std::size_t>(i)], m.program().Eintrag[static_cast<std::size_t>(i)]);
        EXPECT_EQ(slot.SoWiTab, m.program().SoWiTab);
        EXPECT_EQ(slot.ProgNr, m.device.Uhrentyp == kFamily752 ? kNoProgramNumber : m.program().ProgNr);
        EXPECT_EQ(slot.Schreibschutz, m.program().Schreibschutz);
        EXPECT_EQ(device.SwRegel, m.device.SwRegel);
        EXPECT_EQ(device.Kanalzahl, m.device.Kanalzahl);
        for (int c = 0; c < 4; ++c) {
            const auto& want = m.program().astro;
            if (want.AstroAktiv[static_cast<std::size_t>(c + 1)] == 0)
                continue;
            EXPECT_EQ(slot.astro.AstroAktiv[static_cast<std::size_t>(c + 1)], -1);
            for (int d = 0; d < 366; ++d) {
                EXPECT_EQ(slot.astro.AstroTab[c][d].rise, want.AstroTab[c][d].rise);
                EXPECT_EQ(slot.astro.AstroTab[c][d].set, want.AstroTab[c][d].set);
            }
        }
    }
}
