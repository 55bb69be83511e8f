#include "model/DeviceProperties.h"
#include "app/Settings.h"
#include "model/ProgramModel.h"
#include "tests/support/TestPrograms.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

TEST(DeviceProperties, MeterPeriodChoices)
{
    const int expected[] = {1, 2, 3, 4, 5, 6, 10, 12, 15, 20, 30, 60};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(std::pair(MeterPeriodOfIndex(i), MeterPeriodIndex(expected[i])), std::pair(expected[i], i));
    EXPECT_EQ(std::pair(MeterPeriodIndex(7), MeterPeriodOfIndex(12)), std::pair(0, 1));
    ProgramModel m = modelForRow(8); // three channels with meter pulse
    DeviceProperties p = DeviceProperties::Of(m.device);
    std::tie(p.SpracheUhr, p.SwRegel, p.MessKanal, p.MessPeriode, p.MessImpDauer, p.MessZustand, p.MessZeitpunkt, p.AstroC1C2) = std::tuple(1, 2, 3, 15, 10, 1, 1, 1);
    std::tie(p.Lpt, p.DelayValue, p.Zeilen, p.SerialPort1, p.VerifyWholeChip) = std::tuple(4, 3, 40, QStringLiteral(" /dev/ttyUSB0 "), false);
    p.ApplyTo(m);
    const DeviceSettings& d = m.device;
    // Not an astro device: no channel choice.
    EXPECT_EQ(std::tuple(d.SpracheUhr, d.SwRegel, d.MessKanal, d.MessPeriode, d.MessImpDauer, d.MessZustand, d.MessZeitpunkt, d.AstroC1C2), std::tuple(1, 2, 3, 15, 10, 1, 1, 0));
    EXPECT_EQ(std::tuple(d.Lpt, d.Delay, d.DelayLang, d.Zeilen, d.Speicherflag, d.SerialPort1, d.SerialPort2, d.VerifyWholeChip), std::tuple(4, 12, 240, 40, 1, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS1"), false));

    ProgramModel astro = modelForRow(19);
    p = DeviceProperties::Of(astro.device);
    std::tie(p.AstroC1C2, p.SpracheUhr, p.MessKanal) = std::tuple(1, 1, 2);
    p.ApplyTo(astro);
    // The astro device has no clock language choice here and no meter pulse; 120 entries.
    EXPECT_EQ(std::tuple(astro.device.AstroC1C2, astro.device.SpracheUhr, astro.device.MessKanal, astro.device.Speicherflag), std::tuple(1, 0, 0, 0));
}

TEST(DeviceProperties, OutOfRangeValuesAreBounded)
{
    ProgramModel m = modelForRow(2);
    DeviceProperties p = DeviceProperties::Of(m.device);
    // Two channels; a period not one of the choices stays.
    std::tie(p.MessKanal, p.MessPeriode, p.DelayValue, p.SwRegel, p.Lpt) = std::tuple(4, 7, 999, 9, 0);
    const int period = m.device.MessPeriode;
    p.ApplyTo(m);
    EXPECT_EQ(std::tuple(m.device.MessKanal, m.device.MessPeriode, m.device.Delay, m.device.SwRegel, m.device.Lpt), std::tuple(2, period, m.device.MaxDelay * 4, 4, 1));
    // The bus format limits the sort column.
    m = modelForRow(5);
    for (const int eib : {1, 0}) {
        std::tie(m.device.EibFormat, m.SortSpalteSz) = std::tuple(eib, 9);
        DeviceProperties::Of(m.device).ApplyTo(m);
        EXPECT_EQ(m.SortSpalteSz, eib ? 8 : 9);
    }
    // Opening the properties and saving without a change writes the settings file as it was: no period or pulse length appears on a device without a
    // meter channel, and a fractional delay factor stays.
    QTemporaryDir dir;
    const QString path = dir.filePath(kSettingsFileName);
    const auto with = [](ProgramModel m, int messKanal, int messPeriode, int messImpDauer, int delay) {
        std::tie(m.device.MessKanal, m.device.MessPeriode, m.device.MessImpDauer, m.device.Delay) = std::tuple(messKanal, messPeriode, messImpDauer, delay);
        return m;
    };
    // The canonical programs hold the table rule and the second astro channel.
    for (ProgramModel m : {with(modelForRow(4), 0, 0, 0, 4), with(modelForRow(1), 0, 0, 0, 10), with(modelForRow(8), 2, 15, 3, 8), with(modelForRow(19), 0, 0, 0, 0),
                           with(canonical731(), 0, 0, 0, 12), with(canonical738(), 0, 0, 0, 4), canonical752()}) {
        ASSERT_TRUE(WriteSettings(path, m.device));
        const QByteArray before = readFile(path);
        ASSERT_TRUE(ReadSettings(path, m.device));
        DeviceProperties::Of(m.device).ApplyTo(m);
        EXPECT_EQ(m.Geaendert, 0);
        ASSERT_TRUE(WriteSettings(path, m.device));
        EXPECT_EQ(readFile(path), before) << m.device.DeviceRow;
    }
}
