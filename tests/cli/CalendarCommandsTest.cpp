// The calendar commands against the core: the astro table as each family
// stores it, the holidays of several years as text, CSV and iCalendar, and
// the summer/winter table filled from a zone or given row by row.
#include "calendar/AstroTable.h"
#include "calendar/FeiertagKalender.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "model/DeviceSettings.h"
#include "model/DstRowCodec.h"
#include "model/ProgramFile.h"
#include "tests/cli/CliFolder.h"

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

using CalendarCommands = CliFolder;

TEST_F(CalendarCommands, AstroTableAsStored)
{
    const QStringList location = {"astro", "--lon", "-10", "--lat", "50", "--zone", "-60", "--rise-offset", "-600", "--set-offset", "15", "--year", "2024"};
    for (const auto& [type, family] : {std::pair{"20", kFamily738}, {"1", kFamily731}, {"19", kFamily752}}) {
        const QStringList lines = Succeeded(run(QStringList{"--type", type} + location)).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 366);
        const AstroYear expected = ComputeAstroYear(AstroLocation{-10.0f, 50.0f, -60, -600, 15}, family, 2024);
        for (int i = 0; i < 366; ++i)
            ASSERT_EQ(lines[i], u"%1\t%2\t%3"_s.arg(i + 1).arg(expected[static_cast<std::size_t>(i)].rise).arg(expected[static_cast<std::size_t>(i)].set)) << family;
        // With a sunrise 600 minutes early the bus device switches at 0:00;
        // the one-channel astro device keeps its offsets out of the table.
        EXPECT_TRUE(family == kFamily752 || lines[0].startsWith(family == kFamily738 ? u"1\t0\t"_s : u"1\t1791\t"_s)) << family;
    }
}

TEST_F(CalendarCommands, HolidaysOfSeveralYearsAsTheCoreListsThem)
{
    FeiertagTabelle table;
    ASSERT_EQ(table.read(QStringLiteral(ZENDRIK_SHIPPED_DATA "/deutsch.hdy")), FeiertagResult::Ok);
    const int set = table.findSet(u"Sachsen"_s);
    const auto saxony = [this](const QStringList& more) { return Succeeded(run(QStringList{"--dir", "$S", "holidays", "2024", "--set", "Sachsen"} + more)); };
    // More years repeat the text of one year per year.
    const QString one = saxony({});
    const QString two = saxony({"--years", "2"});
    EXPECT_TRUE(two.startsWith(one));
    EXPECT_EQ(two.count(u'\n'), 2 * one.count(u'\n'));
    EXPECT_EQ(saxony({"--years", "3", "--csv"}).toUtf8(), FeiertagCsv(FeiertagTermine(table, set, 2024, 3)));
    saxony({"--years", "3", "--ics", "sachsen.ics"});
    const QByteArray ics = readFile(path(u"sachsen.ics"_s));
    EXPECT_TRUE(ics.startsWith("BEGIN:VCALENDAR\r\n"));
    EXPECT_EQ(ics.count("BEGIN:VEVENT"), static_cast<qsizetype>(FeiertagTermine(table, set, 2024, 3).size()));
}

TEST_F(CalendarCommands, DstTableFromZoneAndRows)
{
    const auto loaded = [this](const char* name) {
        ProgramModel m = modelForRow(4);
        EXPECT_EQ(LoadProgram(m, path(QString::fromLatin1(name)), kProgramSlot), LoadOk) << name;
        return m;
    };
    const QStringList dstTable = {"--dir", "$S", "--lang", "de", "--type", "4", "dst-table"};
    EXPECT_EQ(Succeeded(run(dstTable + QStringList{"$S/samples/Schule.zpg", "sydney.zpg", "--zone", "Australia/Sydney", "--first-year", "2025", "--years", "6"})),
              u"rows 6\nyears 2025..2030\n"_s);
    // The saved program holds the rows the core makes, for the years the list shows.
    const ProgramModel saved = loaded("sydney.zpg");
    const SoWiZoneResult expected = SoWiZeilenAusZeitzone("Australia/Sydney", 2025, 6);
    ASSERT_EQ(saved.program().AnzSoWi, 6);
    EXPECT_EQ(SoWiBezugsjahr(saved.program()), 2025);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(DecodeDstRow(saved.program().SoWiTab[i]), expected.rows[i]);
    EXPECT_EQ(saved.device.SwRegel, SwTabelle);
    // Rows through the dialog's checks, appended.
    Succeeded(run(dstTable + QStringList{"sydney.zpg", "more.zpg", "--row", "4.10 2 1 5.4 3 1", "--row", "3.10 2 1 4.4 3 1"}));
    EXPECT_EQ(loaded("more.zpg").program().AnzSoWi, 8);
}
