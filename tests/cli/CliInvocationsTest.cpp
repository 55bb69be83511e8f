// zendrik-cli as users call it: each command with its output, and the
// refusals with their exit codes and reasons, in one table per area.
#include "app/Settings.h"
#include "model/DeviceTypes.h"
#include "model/DstRowCodec.h"
#include "model/ProgramSort.h"
#include "tests/cli/CliFolder.h"
#include "tests/editing/ListFixtures.h"

#include <QColor>
#include <QImage>

#include <map>

using namespace zendrik;
using namespace zendrik::fixtures;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTimes = {"--rise-offset", "-15", "--set-offset", "20", "--morning", "5:30", "--evening", "22:15", "--rise-state", "off", "--set-state", "on"};

class Invocations : public CliFolder {
protected:
    void SetUp() override
    {
        save(canonical731(), u"A.zpg"_s);
        writeFile(path(u"bad.zpg"_s), " 1  2  3 ");
        writeFile(path(u"BROKEN.zpg"_s), "0,72,300\r\n");
        writeFile(path(u"KAPUTT.zpg"_s), "not a program");
        // The list fixtures' installation program on a four-channel switch, and an empty one.
        ProgramModel m;
        startProgram(m, kRow731FourChannels);
        save(m, u"LEER.zpg"_s);
        setEntries(m, kProgramSlot, {entryE()}, {});
        save(m, u"VORLAGE.zpg"_s);
        setEntries(m, kProgramSlot, {entryA(), entryB(), entryC(), entryD(), entryE(), entryF()}, {prioA(), prioB(), prioC(), prioD(), prioE()});
        save(m, u"ANLAGE.zpg"_s);
        startProgram(m, kRow731FourChannels);
        m.device.SwRegel = 4;
        m.program().SoWiJahr = 2026 - 1996; // rows count from the year after
        m.program().SoWiTab = {EncodeDstRow({{28, 3, 2, 1}, {31, 10, 3, 1}}), EncodeDstRow({{26, 3, 2, 1}, {29, 10, 3, 3}})};
        m.program().AnzSoWi = 2;
        save(m, u"SOWI.zpg"_s);
        startProgram(m, kRow752);
        setEntries(m, kProgramSlot, {BuildDatedEntry(60, 2, 1, 1, 1, 0, true), BuildWeeklyEntry(600, 1, 1, 1, 30, 0), BuildWeeklyEntry(700, 1, 2, 0, 0, 0)}, {});
        save(m, u"ASTRO.zpg"_s);
        startProgram(m, kRow738);
        setEntries(m, kProgramSlot, {BuildWeeklyEntry(480, 127, 15, 1, 0, 0), BuildWeeklyEntry(490, 127, 0, 0, 0, 0)}, {BuildPriorityEntry(1, 8, 15, 8, 0, false, 2, 0, 0)});
        save(m, u"BUS.zpg"_s);
        startProgram(m, kRow738);
        m.device.SwRegel = 1;
        m.program().astro.AstroAktiv[0] = m.program().astro.AstroAktiv[2] = -1;
        for (auto& day : m.program().astro.AstroTab[1])
            day = AstroDay{7 * 60 + 30, 17 * 60, 0, -1};
        save(m, u"SONNE.zpg"_s);
        // Channel 1 runs 6:00..22:00 every day, and 10:00..12:00 (program P3)
        // from 10 to 12 March; channel 2 gives a pulse at noon.
        m = modelForRow(4);
        for (const Entry& e : {BuildWeeklyEntry(6 * 60, 127, 1, 1, 0, 0), BuildWeeklyEntry(22 * 60, 127, 1, 0, 0, 0), BuildWeeklyEntry(10 * 60, 127, 1, 1, 0, 3),
                               BuildWeeklyEntry(12 * 60, 127, 1, 0, 0, 3), BuildWeeklyEntry(12 * 60, 127, 2, 1, 5, 0), BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, 1, 0)})
            addEntry(m, e);
        save(m, u"SCHULE.zpg"_s);
        // A meter pulse every 15 minutes of 10 s on C2, which is ON from 6:00; and without the meter channel.
        m = modelForRow(7);
        std::tie(m.device.MessKanal, m.device.MessPeriode, m.device.MessImpDauer) = std::tuple(2, 15, 10);
        addEntry(m, BuildWeeklyEntry(6 * 60, 127, 3, 1, 0, 0));
        save(m, u"ZAEHLER.zpg"_s);
        m.device.MessKanal = 0;
        save(m, u"OHNE.zpg"_s);
        // Four-channel programs changing their clocks as in Europe: ON at 7:00
        // and OFF at 19:00 every day (also without a changeover and by the
        // British rule); a clash of ON Mo-Fr against OFF Fr-Su at 7:00 (rows 1
        // and 3 of the list); the evening OFF turned ON; the morning moved to
        // 7:30 with a description.
        const int daily = 127;
        const auto four = [&](const char* name, std::initializer_list<Entry> entries, const QString& description = {}, int rule = 1) {
            ProgramModel p = modelForRow(4);
            p.device.SwRegel = rule;
            for (const Entry& e : entries)
                addEntry(p, e);
            SortProgram(p, 1, kProgramSlot);
            p.program().Verwendung = description;
            save(p, QString::fromLatin1(name));
        };
        four("SAUBER.zpg", {BuildWeeklyEntry(420, daily, 1, 1, 0, 0), BuildWeeklyEntry(1140, daily, 1, 0, 0, 0)});
        four("KEINE.zpg", {BuildWeeklyEntry(420, daily, 1, 1, 0, 0), BuildWeeklyEntry(1140, daily, 1, 0, 0, 0)}, {}, 0);
        four("UK.zpg", {BuildWeeklyEntry(420, daily, 1, 1, 0, 0), BuildWeeklyEntry(1140, daily, 1, 0, 0, 0)}, {}, 2);
        four("STREIT.zpg", {BuildWeeklyEntry(420, 0b0011111, 1, 1, 0, 0), BuildWeeklyEntry(420, 0b1110000, 1, 0, 0, 0), BuildWeeklyEntry(1140, daily, 1, 0, 0, 0)});
        four("ANDERS.zpg", {BuildWeeklyEntry(420, daily, 1, 1, 0, 0), BuildWeeklyEntry(1140, daily, 1, 1, 0, 0)});
        four("VERSCH.zpg", {BuildWeeklyEntry(450, daily, 1, 1, 0, 0), BuildWeeklyEntry(1140, daily, 1, 0, 0, 0)}, u"Turnhalle"_s);
        // Working folders: an unknown brand; remembered settings; no files;
        // damaged holiday and place files; a remembered language each.
        for (const char* sub : {"xyz", "qba", "empty", "badhdy", "badord", "worseord", "de", "en", "fr"})
            QDir(dir.path()).mkdir(QString::fromLatin1(sub));
        writeFile(path(u"xyz/zendrik.sys"_s), "XYZ\r\n");
        writeFile(path(u"qba/zendrik.sys"_s), "Qba\r\n");
        writeFile(path(u"qba/zendrik.ini"_s), "KANALZAHL=2\r\nUHRENTYP=752\r\n");
        writeFile(path(u"badhdy/deutsch.hdy"_s), "3,0\r\n\"Neujahr\",0,0,1,1\r\n");
        writeFile(path(u"badord/deutsch.ord"_s), "3\r\n\"Berlin\",333,75,52\r\n\"Nordkap\",386,38,52\r\n");
        writeFile(path(u"worseord/deutsch.ord"_s), "2\r\n\"Berlin\",333,x,52\r\n");
        for (const auto& [sub, sprache] : {std::pair{"de", 1}, {"en", 2}, {"fr", 3}}) {
            DeviceSettings settings;
            ApplyDeviceTypeRow(settings, kRow731FourChannels);
            settings.Sprache = sprache;
            WriteSettings(path(QString::fromLatin1(sub) + u'/' + kSettingsFileName), settings);
        }
    }
};

} // namespace

TEST_F(Invocations, InfoAndTheStart)
{
    const Invocation cases[] = {
        {{"--type", "4", "info", "A.zpg"}, 0, "@info-731.txt"},
        {{"--type", "20", "info", "$T/golden/738.zpg"}, 0, "@info-738.txt"},
        {{"--type", "19", "--json", "info", "$T/golden/752.zpg"}, 0, "@info-752.json"},
        {{"info", "missing.zpg"}, 1, "", "Datei nicht vorhanden !"},
        {{"--type", "1", "info", "$T/golden/752.zpg"}, 1, "", "Datei für Astroschaltuhr 2 Kanäle\nSie lässt sich mit --type 19 öffnen."},
        {{"info", "bad.zpg"}, 1, "", "Keine gültige Datei !"},
        {{"info"}, 2},
        {{"frobnicate"}, 2},
        {{"--type", "21", "info", "A.zpg"}, 2},
        {{"save", "A.zpg"}, 2},
        {{"info", "A.zpg", "--bogus"}, 2},
        // The brand file decides the start; the remembered settings preselect the device type.
        {{"--dir", "$D/xyz", "info", "A.zpg"}, 1, "", "unknown manufacturer"},
        {{"--dir", "$D/qba", "info", "$T/golden/752.zpg"}, 0, "family: 752\n"},
        // Malformed global options are refused by name.
        {{"--type", "0", "info", "A.zpg"}, 2, "", "--type"},
        {{"--lang", "", "info", "A.zpg"}, 2, "", "--lang"},
        {{"--bogus", "info", "A.zpg"}, 2, "", "--bogus"},
        {{"--dir", "$D/missing", "info", "A.zpg"}, 2, "", "$D/missing"},
        {{"--dir", "$D/A.zpg", "info", "A.zpg"}, 2, "", "$D/A.zpg"},
        // Small refusals name what is wrong: the option, the file, the reason.
        {{"--type", "4", "handover", "A.zpg", "--pdf", "h.pdf", "--now", "9999-12-31 23:59"}, 2, "", "--now gives the year 9999"},
        {{"--type", "4", "--lang", "en", "save", "A.zpg", u"x%1.zpg"_s.arg(QString(300, u'y')), "--yes"}, 1, "", "cannot be written: File name too long"},
    };
    expectAll(cases);
}

// Saving: the clock of the header, the questions the writer asks answered by --yes and --no.
TEST_F(Invocations, SaveRewritesTheFileWithTheGivenClock)
{
    const QString golden = testData(u"golden/731.zpg"_s);
    ASSERT_EQ(run({"--type", "4", "save", golden, "out.zpg", "--now", "2026-12-06 10:37"}).exitCode, 0);
    // Same image; only the channel names carry the blank the loader adds.
    const QList<QByteArray> want = readFile(golden).split('\n');
    const QList<QByteArray> got = readFile(path(u"out.zpg"_s)).split('\n');
    ASSERT_EQ(got.size(), want.size());
    EXPECT_EQ(got.mid(0, 367), want.mid(0, 367));
    EXPECT_EQ(got[367], " Flur\r");
    ASSERT_EQ(run({"--type", "4", "save", golden, "out.zpg", "--now", "2027-01-02 03:04"}).exitCode, 0);
    EXPECT_EQ(readFile(path(u"out.zpg"_s)).split('\n').mid(6, 2), (QList<QByteArray>{" 2 \r", " 155 \r"}));
}

TEST_F(Invocations, SaveAnswersTheWritersQuestions)
{
    ProgramModel empty = modelForRow(1);
    empty.LeerSpeichern = 1;
    save(empty, u"empty.zpg"_s); // the writer asks before saving nothing
    const CliRun declined = run({"--type", "1", "save", "empty.zpg", "o.zpg"});
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_EQ(declined.err.trimmed(), u"Keine Daten vorhanden ! Trotzdem fortfahren ?"_s);
    EXPECT_FALSE(QFile::exists(path(u"o.zpg"_s)));
    EXPECT_EQ(run({"--type", "1", "save", "empty.zpg", "o.zpg", "--yes"}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(path(u"o.zpg"_s)));
    // A table that the rule does not use: --no keeps the rule and still saves.
    ProgramModel table = canonical731();
    table.device.SwRegel = 1;
    save(table, u"t.zpg"_s, false);
    for (const auto& [answer, headerByte2] : {std::pair{"--no", " 19 \r"}, {"--yes", " 67 \r"}}) { // rule 1 or the table, four channels
        EXPECT_EQ(run({"--type", "4", "save", "t.zpg", "o.zpg", answer}).exitCode, 0);
        EXPECT_EQ(readFile(path(u"o.zpg"_s)).split('\n')[2], QByteArray(headerByte2)) << answer;
    }
}

TEST_F(Invocations, CalendarSunAndHolidays)
{
    const Invocation cases[] = {
        {{"sun", "--lat", "50", "--date", "21.6"}, 0, "=sunrise 3:51\nsunset 20:13\n"},
        {{"sun", "--lat", "0", "--date", "21.3."}, 0, "=sunrise 6:04\nsunset 18:10\n"},
        {{"sun", "--lat", "70", "--date", "21.6"}, 0, "=sunrise 0:00\nsunset 0:00\n"},
        {{"easter", "2000"}, 0, "=23.4.\n"},
        {{"easter", "2046"}, 0, "=25.3.\n"},
        {{"dst", "--rule", "1", "2000"}, 0, "=forward 26.3.\nback 29.10.\n"},
        {{"dst", "--rule", "2", "2000"}, 0, "=forward 26.3.\nback 22.10.\n"},
        {{"dst", "--rule", "3", "2000"}, 0, "=forward 9.4.\nback 29.10.\n"},
        {{"dst", "--rule", "0", "2000"}, 0, "=none\n"},
        {{"sun", "--lat", "91", "--date", "1.1"}, 2},
        {{"sun", "--lat", "50", "--date", "30.2"}, 2},
        {{"sun", "--lat", "50"}, 2},
        {{"easter", "2100"}, 2},
        {{"easter"}, 2},
        {{"dst", "--rule", "4", "2000"}, 2},
        {{"astro", "--lon", "-10"}, 2},
        {{"--dir", "$S", "holidays", "2024", "--set", "Sachsen"}, 0, "@holidays-sachsen-2024.txt"},
        {{"--dir", "$S", "holidays", "2023"}, 0, "8.6.2023\tFronleichnam\n"},
        {{"--dir", "$S", "holidays", "2024", "--set", "Atlantis"}, 2},
        {{"--dir", "$S", "holidays", "2024", "--csv", "--ics", "x.ics"}, 2},
        {{"--dir", "$S", "holidays", "2080", "--years", "30"}, 2},
        {{"--dir", "$S", "holidays", "2024", "--years", "0"}, 2},
        {{"--dir", "$S", "holidays", "2024", "--ics", "$D/no/such/x.ics"}, 1},
        // A missing and a damaged file: refused with the reason and the path.
        {{"--dir", "$D/empty", "holidays", "2024"}, 1, "", "$D/empty/deutsch.hdy"},
        {{"--dir", "$D/empty", "holidays", "2024"}, 1, "", "Datei nicht vorhanden"},
        {{"--dir", "$D/badhdy", "holidays", "2024"}, 1, "", "Keine gültige Datei"},
        // Summer/winter tables: the dialog's checks refuse with the reason.
        {{"--dir", "$S", "--type", "4", "dst-table", "$S/samples/Schule.zpg", "NO.zpg", "--row", "5.4 2 1 5.4 3 1"}, 1, "", "Anfangs- und Enddatum gleich"},
        {{"--dir", "$S", "--type", "4", "dst-table", "$S/samples/Schule.zpg", "NO.zpg", "--zone", "Asia/Tokyo", "--first-year", "2025"}, 1},
        {{"--dir", "$S", "--type", "4", "dst-table", "$S/samples/Schule.zpg", "NO.zpg", "--zone", "Nowhere/City", "--first-year", "2025"}, 1},
        {{"--dir", "$S", "--type", "4", "dst-table", "$S/samples/Schule.zpg", "NO.zpg", "--zone", "Europe/Berlin"}, 2},
        {{"--dir", "$S", "--type", "4", "dst-table", "$S/samples/Schule.zpg", "NO.zpg", "--row", "31.4 2 1 5.10 3 1"}, 2},
        {{"--dir", "$S", "--type", "4", "dst-table", "$S/samples/Schule.zpg", "NO.zpg", "--row", "1.4 2 1"}, 2},
    };
    expectAll(cases);
    EXPECT_FALSE(QFile::exists(path(u"NO.zpg"_s)));
}

TEST_F(Invocations, AstroAndPlaces)
{
    const QStringList b20 = {"--dir", "$S", "--type", "20", "set-astro", "BUS.zpg", "NO.zpg"};
    const QStringList b19 = {"--dir", "$S", "--type", "19", "set-astro", "ASTRO.zpg", "NO.zpg", "--place", "Berlin", "--channel"};
    const Invocation cases[] = {
        // The bus device has astro tables for channels 1..4 only, the astro device one that channel 2 may follow.
        {b20 + QStringList{"--channel", "5", "--place", "Berlin"} + kTimes, 1, "", "C1 bis C4"},
        {b19 + QStringList{"99"} + kTimes, 1, "", "C1 und C2"},
        {b19 + QStringList{"0"} + kTimes, 1, "", "C1 und C2"},
        {b19 + QStringList{"3"} + kTimes, 1, "", "C1 und C2"},
        // No astro table at all on the plain switches.
        {QStringList{"--dir", "$S", "--type", "4", "set-astro", "A.zpg", "NO.zpg", "--place", "Berlin"} + kTimes, 1},
        {b20 + QStringList{"--lon", "0", "--lat", "65", "--zone", "0"} + kTimes, 2},
        {b20 + QStringList{"--lon", "0", "--lat", "50", "--zone", "-780"} + kTimes, 2},
        {b20 + QStringList{"--place", "Atlantis"} + kTimes, 2},
        {b20 + QStringList{"--place", "Berlin", "--lon", "3"} + kTimes, 2},
        {b20 + QStringList{"--place", "Berlin"}, 2},
        {b20 + QStringList{"--place", "Berlin", "--rise-offset", "121"} + kTimes.mid(2), 2},
        // The places of the language's file with the stored sign conventions;
        // a missing file is an empty list, a damaged one refused.
        {{"--dir", "$S", "--type", "20", "places", "--lang", "en"}, 0, "London\t0\t51.5\t0\t0 degrees\t51.5 degrees North\t+ 0:00 hrs\n"},
        {{"--dir", "$S", "--type", "20", "places"}, 0, "Berlin\t-13.5\t52.5\t-60\t13,5 Grad Ost\t52,5 Grad Nord\t+ 1:00 Std\n"},
        {{"--dir", "$D/empty", "--type", "20", "places", "--lang", "en"}, 0, "="},
        {{"--dir", "$D/badord", "--type", "20", "places"}, 0, "=Berlin\t-13.5\t52.5\t-60\t13,5 Grad Ost\t52,5 Grad Nord\t+ 1:00 Std\n", "Nordkap"},
        {{"--dir", "$D/badord", "--type", "20", "places"}, 0, "Berlin", "nennt 3 Orte"},
        {{"--dir", "$D/worseord", "--type", "20", "places"}, 1},
    };
    expectAll(cases);
    EXPECT_FALSE(QFile::exists(path(u"NO.zpg"_s)));
}

TEST_F(Invocations, List)
{
    const Invocation cases[] = {
        {{"--type", "4", "list", "ANLAGE.zpg"}, 0, "@list-switching.txt"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--view", "priority"}, 0, "@list-priority.txt"},
        {{"--type", "4", "list", "SOWI.zpg", "--view", "dst"}, 0, "@list-dst.txt"},
        // The astro switch has no pulse column and sorts by "once" for its fourth.
        {{"--type", "19", "list", "ASTRO.zpg", "--sort", "4"}, 0, "@list-astro-device.txt"},
        {{"--type", "4", "list", "LEER.zpg"}, 0, "=Nr.\tDatum/Tage\tUhrzeit\tKanäle\tImpuls\t1x\tZust.\tPrio.\n"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--sample", "VORLAGE.zpg", "--slot", "1"}, 0, "=Nr.\tDatum/Tage\tUhrzeit\tKanäle\tImpuls\t1x\tZust.\tPrio.\n1  \tDi\t  7:00 Uhr\t C3\t\t \tEIN\t1\n"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--sample", "VORLAGE.zpg"}, 0, "@list-switching.txt"},
        // Sorted by a column; the rows are numbered afresh.
        {{"--type", "4", "list", "ANLAGE.zpg", "--sort", "2"}, 0, "#2=  0:05 Uhr|  6:30 Uhr|  7:00 Uhr|  7:00 Uhr|18:00 Uhr|22:15 Uhr"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--sort", "2"}, 0, "#0=1  |2  |3  |4  |5  |6  "},
        {{"--type", "4", "list", "ANLAGE.zpg", "--view", "priority", "--sort", "2"}, 0, "#2=28. Februar 24:00 Uhr|12. März 24:00 Uhr|31. Mai 24:00 Uhr|2. Juni 24:00 Uhr|26. Dezember 24:00 Uhr"},
        // The filter.
        {{"--type", "4", "list", "ANLAGE.zpg", "--channels", "2"}, 0, "#1=Sa|1. Januar"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--months", "0-0"}, 0, "#1=Mo Di Mi Do Fr|täglich|Sa|Di"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--months", "12-12"}, 0, "#1=Mo Di Mi Do Fr|täglich|24. Dezember|Sa|Di"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--pulses", "1"}, 0, "#1=täglich"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--state", "1"}, 0, "#1=Mo Di Mi Do Fr|24. Dezember|Di"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--weekdays", "0x20"}, 0, "#1=täglich|24. Dezember|Sa|1. Januar"},
        // Dated entries carry no priority; only the month range can hide them.
        {{"--type", "4", "list", "ANLAGE.zpg", "--prio", "1-2"}, 0, "#1=24. Dezember|Sa|1. Januar|Di"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--prio", "1-2", "--months", "0-12"}, 0, "#1=Sa|Di"},
        // A priority time from November to February touches January to March.
        {{"--type", "4", "list", "ANLAGE.zpg", "--view", "priority", "--months", "1-3"}, 0, "#1=10. März  00:00 Uhr|1. November  00:00 Uhr"},
        // The bus device's sixteen channels; 255 stands for all of them.
        {{"--type", "20", "list", "BUS.zpg"}, 0, "#3= C1| C16"},
        {{"--type", "20", "list", "BUS.zpg", "--channels", "16"}, 0, "#3= C16"},
        {{"--type", "20", "list", "BUS.zpg", "--view", "priority", "--channels", "255"}, 0, "#3= C1"},
        {{"--type", "20", "list", "BUS.zpg", "--channels", "17"}, 2},
        // The astro times of the current year; 1 July lies in summer time under the European rule.
        {{"--type", "20", "list", "SONNE.zpg", "--view", "astro", "--channel", "2"}, 0, "Nr.\tKanäle\tam\tAusschalten um:\tEinschalten um:\n1  \t C2\t1. Januar\t  7:30 Uhr\t17:00 Uhr\n"},
        {{"--type", "20", "list", "SONNE.zpg", "--view", "astro", "--channel", "2"}, 0, "\t C2\t1. Juli\t  8:30 Uhr\t18:00 Uhr\n"},
        // The language remembered in the settings lists exactly as --lang does.
        {{"--dir", "$D/de", "list", "ANLAGE.zpg"}, 0, "@list-switching.txt"},
        {{"--dir", "$D/en", "list", "ANLAGE.zpg"}, 0, "@list-switching-en.txt"},
        {{"--type", "4", "--lang", "en", "list", "ANLAGE.zpg"}, 0, "@list-switching-en.txt"},
        {{"--dir", "$D/fr", "list", "ANLAGE.zpg"}, 0, "@list-switching-fr.txt"},
        {{"--type", "4", "--lang", "fr", "list", "ANLAGE.zpg"}, 0, "@list-switching-fr.txt"},
        {{"--type", "4", "list", "ANLAGE.zpg", "--sample", "NO.zpg"}, 1, "", "Datei nicht vorhanden !"},
        {{"--type", "4", "list", "BROKEN.zpg"}, 1, "", "Keine gültige Datei !"},
        {{"--type", "4", "list"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "ANLAGE.zpg"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--view", "calendar"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--view", "astro", "--channel", "5"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--months", "5-3"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--months", "1-13"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--prio", "0-11"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--channels", "0"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--weekdays", "128"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--state", "3"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--pulses", "x"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--sort", "8"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--view", "dst", "--sort", "1"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--slot", "1"}, 2},
        {{"--type", "4", "list", "ANLAGE.zpg", "--colour", "red"}, 2},
    };
    expectAll(cases);
}

TEST_F(Invocations, SimulatePrintAndHandover)
{
    const QStringList year = {"--type", "4", "simulate", "SCHULE.zpg", "--year", "2026", "--channel", "1"};
    const Invocation cases[] = {
        {year + QStringList{"--date", "11.3"}, 0, "=0\t600\t0\n600\t720\t1\n720\t1440\t0\noperating 2:00\n"},
        {{"--type", "4", "simulate", "SCHULE.zpg", "--year", "2026", "--channel", "2", "--date", "11.3."}, 0, "=0\t720\t0\n720\t721\t3\n721\t1440\t0\noperating 0:00\n"},
        // 362 days of 16 hours and three of two.
        {year, 0, "=C1, Jahresbetriebsstunden: 5798 h 00 Min\n"},
        {QStringList{"--lang", "en"} + year, 0, "=C1, Yearly operating hours: 5798 h 00 Min\n"},
        {QStringList{"--lang", "fr"} + year, 0, "=C1, Heures de fonctionnement annuelles : 5798 h 00 Min\n"},
        {{"--type", "4", "--lang", "en", "simulate", "SCHULE.zpg", "--year", "2028", "--channel", "1", "--csv"}, 0, "@simulate-2028.csv"},
        {{"--type", "4", "simulate", "SCHULE.zpg", "--year", "2028", "--channel", "1", "--json"}, 0, "@simulate-2028.json"},
        {{"--type", "4", "--json", "simulate", "SCHULE.zpg", "--year", "2028", "--channel", "1", "--date", "11.3"}, 0, "@simulate-2028-03-11.json"},
        // The pulse channel switches once a day and is never ON.
        {{"--type", "4", "simulate", "SCHULE.zpg", "--year", "2028", "--channel", "2", "--csv"}, 0, "\n2028-01-01,Sa,0,0,,,1\n"},
        // 96 pulses of 10 s a day with the relay ON between them; chosen as a
        // device type without meter pulse, the file runs as the meter variant
        // it was made for; without a meter channel C2 is ON from 6:00 for good.
        {{"--type", "7", "simulate", "ZAEHLER.zpg", "--year", "2026", "--channel", "2"}, 0, "=C2, Jahresbetriebsstunden: 8662 h 40 Min\n"},
        {{"--type", "2", "simulate", "ZAEHLER.zpg", "--year", "2026", "--channel", "2"}, 0, "=C2, Jahresbetriebsstunden: 8662 h 40 Min\n"},
        {{"--type", "7", "simulate", "OHNE.zpg", "--year", "2026", "--channel", "2"}, 0, "=C2, Jahresbetriebsstunden: 8760 h 00 Min\n"},
        {{"--type", "4", "simulate", "SCHULE.zpg", "--channel", "1"}, 2},
        {{"--type", "4", "simulate", "SCHULE.zpg", "--year", "2026"}, 2},
        {{"--type", "4", "simulate", "SCHULE.zpg", "--year", "1900", "--channel", "1"}, 2},
        {{"--type", "4", "simulate", "SCHULE.zpg", "--year", "zwei", "--channel", "1"}, 2},
        {{"--type", "4", "simulate", "SCHULE.zpg", "--year", "2026", "--channel", "5"}, 2},
        {{"--type", "4", "simulate", "SCHULE.zpg", "--year", "2026", "--channel", "0"}, 2},
        {year + QStringList{"--date", "29.2"}, 2},
        {year + QStringList{"--date", "32.1"}, 2},
        {{"--type", "4", "simulate", "--year", "2026", "--channel", "1"}, 2},
        {year + QStringList{"--png", "x.png", "--date", "1.1"}, 2},
        {year + QStringList{"--csv", "--date", "1.1"}, 2},
        {year + QStringList{"--csv", "--json"}, 2},
        {year + QStringList{"--width", "800"}, 2},
        {year + QStringList{"--png", "x.png", "--width", "10"}, 2},
        {year + QStringList{"--png", "x.png", "--height", "hoch"}, 2},
        {{"--type", "4", "simulate", "FEHLT.zpg", "--year", "2026", "--channel", "1"}, 1},
        {{"--type", "4", "print", "ANLAGE.zpg", "--text", "x.txt", "--sections", "switching,nothing"}, 2},
        {{"--type", "4", "handover", "ANLAGE.zpg"}, 2},
        {{"--type", "4", "handover", "ANLAGE.zpg", "--pdf", "x.pdf", "--year", "1800"}, 2},
        {{"--type", "4", "handover", "none.zpg", "--pdf", "x.pdf"}, 1},
    };
    expectAll(cases);
    for (const char* refused : {"x.png", "x.txt", "x.pdf"})
        EXPECT_FALSE(QFile::exists(path(QString::fromLatin1(refused)))) << refused;
}

// The year graph: the ON stretches (16 of 24 hours of about 800 columns on
// most of the 365 rows), the three P3 days in the priority strip (above the
// legend at the bottom, which shows every colour once).
TEST_F(Invocations, SimulateYearGraphAsPicture)
{
    const QStringList year = {"--type", "4", "simulate", "SCHULE.zpg", "--year", "2026", "--channel", "1", "--png", "jahr.png"};
    ASSERT_EQ(Succeeded(run(year)), QString());
    EXPECT_EQ(QImage(path(u"jahr.png"_s)).size(), QSize(1200, 800));
    Succeeded(run(year + QStringList{"--width", "900", "--height", "600"}));
    const QImage picture(path(u"jahr.png"_s));
    ASSERT_EQ(picture.size(), QSize(900, 600));
    std::map<QRgb, int> colours;
    for (int y = 0; y < picture.height() - 40; ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++colours[picture.pixel(x, y) | 0xff000000u];
    EXPECT_GT(colours[qRgb(0x1f, 0x5f, 0xa8)], 300 * 365);
    EXPECT_GT(colours[QColor::fromHsv(2 * 36, 170, 235).rgb()], 3 * 20);
}

TEST_F(Invocations, CheckAndDiff)
{
    const Invocation cases[] = {
        {{"--type", "4", "--lang", "de", "check", "STREIT.zpg", "--year", "2026"}, 3, "=Fehler\tEIN und AUS zur selben Minute\tS1 S3\tC1 um 07:00: EIN und AUS zur selben Minute (Fr)\n"},
        {{"--type", "4", "--lang", "en", "check", "STREIT.zpg", "--year", "2026"}, 3, "=Error\tON and OFF at the same minute\tS1 S3\tC1 at 07:00: ON and OFF at the same minute (Fr)\n"},
        {{"--type", "4", "--lang", "fr", "check", "STREIT.zpg", "--year", "2026"}, 3, "=Erreur\tMARCHE et ARRÊT à la même minute\tS1 S3\tC1 à 07:00 : MARCHE et ARRÊT à la même minute (Ve)\n"},
        // A clean program has no findings and does not differ from itself.
        {{"--type", "4", "--lang", "de", "check", "SAUBER.zpg", "--year", "2026"}, 0, "="},
        {{"--type", "4", "--lang", "en", "check", "SAUBER.zpg", "--year", "2026"}, 0, "="},
        {{"--type", "4", "--lang", "fr", "check", "SAUBER.zpg", "--year", "2026"}, 0, "="},
        {{"--type", "4", "--lang", "de", "diff", "SAUBER.zpg", "SAUBER.zpg"}, 0, "="},
        {{"--type", "4", "--lang", "en", "diff", "SAUBER.zpg", "SAUBER.zpg"}, 0, "="},
        {{"--type", "4", "--lang", "fr", "diff", "SAUBER.zpg", "SAUBER.zpg"}, 0, "="},
        {{"--type", "4", "--lang", "en", "check", "SAUBER.zpg", "--year", "2026", "--json"}, 0, "@check-clean.json"},
        {{"--type", "4", "--lang", "en", "diff", "SAUBER.zpg", "SAUBER.zpg", "--json"}, 0, "@diff-same.json"},
        // The finding names its check, rows (the daily OFF sorts between the two 7:00 entries), channel and first day.
        {{"--type", "4", "--lang", "fr", "check", "STREIT.zpg", "--year", "2026", "--json"}, 3, "@check-clash-fr.json"},
        // The evening entry switches ON instead of OFF: one line in the chosen language.
        {{"--type", "4", "--lang", "de", "diff", "SAUBER.zpg", "ANDERS.zpg"}, 3, "@diff-state-de.txt"},
        {{"--type", "4", "--lang", "en", "diff", "SAUBER.zpg", "ANDERS.zpg"}, 3, "@diff-state-en.txt"},
        {{"--type", "4", "--lang", "fr", "diff", "SAUBER.zpg", "ANDERS.zpg"}, 3, "@diff-state-fr.txt"},
        {{"--type", "4", "--lang", "en", "diff", "SAUBER.zpg", "ANDERS.zpg", "--json"}, 3, "@diff-state.json"},
        // A moved entry is one only in the first and one only in the second; the description differs in the header.
        {{"--type", "4", "--lang", "de", "diff", "SAUBER.zpg", "VERSCH.zpg"}, 3, "@diff-moved-de.txt"},
        {{"--type", "4", "--lang", "en", "diff", "SAUBER.zpg", "VERSCH.zpg", "--json"}, 3, "@diff-moved.json"},
        // The summer/winter checks; the shipped astro sample (Hamburg) goes back
        // on 31 October 2027 with the device counting the day as summer time.
        {{"--type", "4", "--lang", "en", "check", "KEINE.zpg", "--year", "2027", "--json"}, 3, "@check-no-changeover.json"},
        {{"--type", "4", "--lang", "en", "check", "UK.zpg", "--year", "2027", "--json"}, 3, "@check-rule-differs.json"},
        {{"--type", "19", "--lang", "en", "check", "$S/samples/Parkplatz.zpg", "--year", "2027", "--json"}, 3, "@check-changeover-astro.json"},
        {{"--type", "4", "--lang", "de", "check", "KEINE.zpg", "--year", "2027"}, 3, "@check-no-changeover-de.txt"},
        {{"--type", "4", "--lang", "fr", "check", "UK.zpg", "--year", "2027"}, 3, "@check-rule-differs-fr.txt"},
        {{"--type", "19", "--lang", "de", "check", "$S/samples/Parkplatz.zpg", "--year", "2027"}, 3, "@check-changeover-astro-de.txt"},
        {{"--type", "19", "--lang", "fr", "check", "$S/samples/Parkplatz.zpg", "--year", "2027"}, 3, "@check-changeover-astro-fr.txt"},
        // The table the finding offers mends it: filled from the zone, the program follows London.
        {{"--type", "4", "dst-table", "UK.zpg", "UK-TAB.zpg", "--zone", "Europe/London", "--first-year", "2026"}, 0},
        {{"--type", "4", "--lang", "en", "check", "UK-TAB.zpg", "--year", "2027", "--json"}, 0, "@check-mended.json"},
        {{"--type", "4", "--lang", "de", "check", "FEHLT.zpg"}, 1},
        {{"--type", "4", "--lang", "en", "check", "KAPUTT.zpg"}, 1},
        {{"--type", "4", "--lang", "fr", "check", "KAPUTT.zpg", "--json"}, 1},
        {{"--type", "4", "--lang", "de", "diff", "SAUBER.zpg", "FEHLT.zpg"}, 1, "", "FEHLT.zpg: Datei nicht vorhanden !"},
        {{"--type", "4", "--lang", "en", "diff", "FEHLT.zpg", "SAUBER.zpg"}, 1, "", "FEHLT.zpg: File not found!"},
        {{"--type", "4", "--lang", "fr", "diff", "SAUBER.zpg", "KAPUTT.zpg"}, 1},
        {{"--type", "4", "check"}, 2},
        {{"--type", "4", "check", "SAUBER.zpg", "--year", "1800"}, 2},
        {{"--type", "4", "diff", "SAUBER.zpg"}, 2},
    };
    expectAll(cases);
}
