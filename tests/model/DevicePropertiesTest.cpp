#include "model/DeviceImage.h"
#include "model/DeviceProperties.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

TEST(DeviceProperties, MeterPeriodChoices)
{
    const int expected[] = {1, 2, 3, 4, 5, 6, 10, 12, 15, 20, 30, 60};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(MeterPeriodOfIndex(i), expected[i]);
        EXPECT_EQ(MeterPeriodIndex(expected[i]), i);
    }
    EXPECT_EQ(MeterPeriodIndex(7), 0);
    EXPECT_EQ(MeterPeriodOfIndex(12), 1);
}

TEST(DeviceProperties, ShownValuesApplyUnchanged)
{
    for (ProgramModel m : {canonical731(), canonical738(), canonical752()}) {
        m.device.Delay = 12;
        const DeviceSettings before = m.device;
        DeviceProperties::Of(m.device).ApplyTo(m);
        EXPECT_EQ(m.device.SwRegel, before.SwRegel);
        EXPECT_EQ(m.device.Delay, before.Delay);
        EXPECT_EQ(m.device.Lpt, before.Lpt);
        EXPECT_EQ(m.device.AstroC1C2, before.AstroC1C2);
        EXPECT_EQ(m.device.MessKanal, before.MessKanal);
        EXPECT_EQ(m.device.Zeilen, before.Zeilen);
        EXPECT_EQ(m.Geaendert, 0);
    }
}

TEST(DeviceProperties, ApplyOnTheWeeklyFamily)
{
    ProgramModel m = modelForRow(8);   // three channels with meter pulse
    DeviceProperties p = DeviceProperties::Of(m.device);
    p.SpracheUhr = 1;
    p.SwRegel = 2;
    p.MessKanal = 3;
    p.MessPeriode = 15;
    p.MessImpDauer = 10;
    p.MessZustand = 1;
    p.MessZeitpunkt = 1;
    p.AstroC1C2 = 1;
    p.Lpt = 4;
    p.DelayValue = 3;
    p.Zeilen = 40;
    p.SerialPort1 = QStringLiteral(" /dev/ttyUSB0 ");
    p.VerifyWholeChip = false;
    p.ApplyTo(m);
    const DeviceSettings& d = m.device;
    EXPECT_EQ(d.SpracheUhr, 1);
    EXPECT_EQ(d.SwRegel, 2);
    EXPECT_EQ(d.MessKanal, 3);
    EXPECT_EQ(d.MessPeriode, 15);
    EXPECT_EQ(d.MessImpDauer, 10);
    EXPECT_EQ(d.MessZustand, 1);
    EXPECT_EQ(d.MessZeitpunkt, 1);
    EXPECT_EQ(d.AstroC1C2, 0);        // not an astro device
    EXPECT_EQ(d.Lpt, 4);
    EXPECT_EQ(d.Delay, 12);
    EXPECT_EQ(d.DelayLang, 240);
    EXPECT_EQ(d.Zeilen, 40);
    EXPECT_EQ(d.Speicherflag, 1);
    EXPECT_EQ(d.SerialPort1, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(d.SerialPort2, QStringLiteral("/dev/ttyS1"));
    EXPECT_FALSE(d.VerifyWholeChip);

    // The meter pulse goes into image bytes 16 and 17.
    auto ui = ScriptedInteraction::answering(true);
    BuildHeader(m, ui);
    const Image logical = BuildLogicalImage(m);
    EXPECT_EQ(logical[16], (3 - 1) * 64 + 15);
    EXPECT_EQ(logical[17], 128 + 64 + 10);

    // Set back to none: 255 in both bytes.
    p.MessKanal = 0;
    p.ApplyTo(m);
    const Image cleared = BuildLogicalImage(m);
    EXPECT_EQ(cleared[16], 255);
    EXPECT_EQ(cleared[17], 255);
}

TEST(DeviceProperties, ApplyOnTheAstroDevice)
{
    ProgramModel m = modelForRow(19);
    DeviceProperties p = DeviceProperties::Of(m.device);
    p.AstroC1C2 = 1;
    p.SpracheUhr = 1;
    p.MessKanal = 2;
    p.ApplyTo(m);
    EXPECT_EQ(m.device.AstroC1C2, 1);
    EXPECT_EQ(m.device.SpracheUhr, 0);   // the astro device has no clock language choice here
    EXPECT_EQ(m.device.MessKanal, 0);
    EXPECT_EQ(m.device.Speicherflag, 0); // 120 entries
    auto ui = ScriptedInteraction::answering(true);
    BuildHeader(m, ui);
    EXPECT_EQ(BuildLogicalImage(m)[12], 245 + 2 + 8);
}

TEST(DeviceProperties, OutOfRangeValuesAreBounded)
{
    ProgramModel m = modelForRow(2);
    DeviceProperties p = DeviceProperties::Of(m.device);
    p.MessKanal = 4;        // the device has two channels
    p.MessPeriode = 7;      // not one of the choices: the period stays
    p.DelayValue = 999;
    p.SwRegel = 9;
    p.Lpt = 0;
    const int period = m.device.MessPeriode;
    p.ApplyTo(m);
    EXPECT_EQ(m.device.MessKanal, 2);
    EXPECT_EQ(m.device.MessPeriode, period);
    EXPECT_EQ(m.device.Delay, m.device.MaxDelay * 4);
    EXPECT_EQ(m.device.SwRegel, 4);
    EXPECT_EQ(m.device.Lpt, 1);
}

TEST(DeviceProperties, BusFormatLimitsTheSortColumn)
{
    ProgramModel m = modelForRow(5);
    m.device.EibFormat = 1;
    m.SortSpalteSz = 9;
    DeviceProperties::Of(m.device).ApplyTo(m);
    EXPECT_EQ(m.SortSpalteSz, 8);
    m.device.EibFormat = 0;
    m.SortSpalteSz = 9;
    DeviceProperties::Of(m.device).ApplyTo(m);
    EXPECT_EQ(m.SortSpalteSz, 9);
}

TEST(DeviceProperties, ChoosingAMeterSettingMarksTheProgram)
{
    ProgramModel m = modelForRow(6);
    MarkDeviceChoiceChanged(m);
    EXPECT_EQ(m.Geaendert, 1);
}
