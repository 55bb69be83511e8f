#include "model/DeviceProperties.h"
#include "app/Settings.h"
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
    ProgramModel m2 = modelForRow(2);
    DeviceProperties p2 = DeviceProperties::Of(m2.device);
    // Two channels; a period not one of the choices stays.
    std::tie(p2.MessKanal, p2.MessPeriode, p2.DelayValue, p2.SwRegel, p2.Lpt) = std::tuple(4, 7, 999, 9, 0);
    const int period = m2.device.MessPeriode;
    p2.ApplyTo(m2);
    EXPECT_EQ(std::tuple(m2.device.MessKanal, m2.device.MessPeriode, m2.device.Delay, m2.device.SwRegel, m2.device.Lpt), std::tuple(2, period, m2.device.MaxDelay * 4, 4, 1));
    // The bus format limits the sort column.
    m2 = modelForRow(5);
    for (const int eib : {1, 0}) {
        std::tie(m2.device.EibFormat, m2.SortSpalteSz) = std::tuple(eib, 9);
        DeviceProperties::Of(m2.device).ApplyTo(m2);
        EXPECT_EQ(m2.SortSpalteSz, eib ? 8 : 9);
    }
    // Opening the properties and saving without a change writes the settings file as it was: no period or pulse length appears on a device without a
    // meter channel, and a fractional delay factor stays.
    QTemporaryDir dir;
    const QString path = dir.filePath(kSettingsFileName);
    const auto with = [](ProgramModel m2, int messKanal, int messPeriode, int messImpDauer, int delay) {
        std::tie(m2.device.MessKanal, m2.device.MessPeriode, m2.device.MessImpDauer, m2.device.Delay) = std::tuple(messKanal, messPeriode, messImpDauer, delay);
        return m2;
    };
    // The canonical programs hold the table rule and the second astro channel.
    for (ProgramModel m2 : {with(modelForRow(4), 0, 0, 0, 4), with(modelForRow(1), 0, 0, 0, 10), with(modelForRow(8), 2, 15, 3, 8), with(modelForRow(19), 0, 0, 0, 0),
                           with(canonical731(), 0, 0, 0, 12), with(canonical738(), 0, 0, 0, 4), canonical752()}) {
        ASSERT_TRUE(WriteSettings(path, m2.device));
        const QByteArray before = readFile(path);
        ASSERT_TRUE(ReadSettings(path, m2.device));
        DeviceProperties::Of(m2.device).ApplyTo(m2);
        EXPECT_EQ(m2.Geaendert, 0);
        ASSERT_TRUE(WriteSettings(path, m2.device));
        EXPECT_EQ(readFile(path), before) << m2.device.DeviceRow;
    }
}
