#include "calendar/BehaviourComparison.h"
#include "calendar/BehaviourTexts.h"
#include "calendar/SimulationTexts.h"
#include "calendar/SwitchingYearExport.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "model/EntryBuilder.h"
#include "tests/calendar/RandomSimulationProgram.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr int kRowFourChannels = 4, kRowMeterTwoChannels = 7, kRowAstro752 = 19, kRowBus738 = 20;
constexpr int kC1 = 1, kC2 = 2;
constexpr int Hm(int hours, int minutes) { return hours * 60 + minutes; }

ProgramModel Program(int row, const std::vector<Entry>& entries)
{
    ProgramModel m = modelForRow(row);
    for (const Entry& e : entries)
        addEntry(m, e);
    return m;
}

// Rows of every kind of channel: plain, meter pulse, astro, bus with astro channels.
constexpr int kRows[] = {kRowFourChannels, kRowMeterTwoChannels, kRowAstro752, kRowBus738};

int OnLength(const SimulatedDay& day)
{
    int total = 0;
    for (const OnPeriod& p : day.on)
        total += p.to - p.from;
    return total;
}

TEST(Behaviour, TheYearRunAgreesWithEveryDayGraphAndItsOperatingTime)
{
    for (const int row : kRows) {
        for (int seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE(testing::Message() << "row " << row << " seed " << seed);
            const ProgramModel m = RandomSimulationProgram(row, seed, 40, 6, 4);
            const YearSimulation sim(m, 2027);
            for (int c = 0; c < sim.Kanaele(); ++c) {
                const std::vector<SimulatedDay> year = sim.SimulateYear(c);
                ASSERT_EQ(static_cast<int>(year.size()), sim.Tage());
                for (int d = 1; d <= sim.Tage(); ++d) {
                    const SimulatedDay& day = year[static_cast<std::size_t>(d - 1)];
                    const DayProfile graph = sim.Rechne_SzGrafik(c, d);
                    ASSERT_EQ(day.profile.segments, graph.segments) << "channel " << c << " day " << d;
                    ASSERT_EQ(day.profile.betriebsMinuten, graph.betriebsMinuten);
                    ASSERT_EQ(day.profile.prioritaet, graph.prioritaet);
                    if (!sim.IstMesskanal(c)) {
                        ASSERT_EQ(OnLength(day), graph.betriebsMinuten) << "channel " << c << " day " << d;
                    }
                }
            }
        }
    }
}

TEST(Behaviour, ComparisonCountsWhatTheDayGraphsShow)
{
    for (const int row : kRows) {
        for (int seed = 1; seed <= 8; ++seed) {
            SCOPED_TRACE(testing::Message() << "row " << row << " seed " << seed);
            const YearSimulation a(RandomSimulationProgram(row, seed, 30, 5, 4), 2028);
            const YearSimulation b(RandomSimulationProgram(row, seed + 100, 30, 5, 4), 2028);
            EXPECT_FALSE(CompareBehaviour(a, a).differs()) << "a program compared with itself";
            const BehaviourComparison cmp = CompareBehaviour(a, b);
            ASSERT_EQ(static_cast<int>(cmp.channels.size()), a.Kanaele());
            for (const ChannelBehaviour& ch : cmp.channels) {
                EXPECT_EQ(ch.minutesFirst, a.Jahresbetriebsminuten(ch.channel));
                EXPECT_EQ(ch.minutesSecond, b.Jahresbetriebsminuten(ch.channel));
                EXPECT_EQ(ch.onOnlyInFirst - ch.onOnlyInSecond, ch.minutesFirst - ch.minutesSecond);
                std::set<int> want;
                for (int d = 1; d <= a.Tage(); ++d) {
                    const DayProfile x = a.Rechne_SzGrafik(ch.channel, d);
                    const DayProfile y = b.Rechne_SzGrafik(ch.channel, d);
                    if (x.segments != y.segments || x.betriebsMinuten != y.betriebsMinuten)
                        want.insert(d);
                }
                std::set<int> got;
                for (const BehaviourDay& day : ch.days) {
                    got.insert(day.dayOfYear);
                    EXPECT_TRUE(day.pulsesDiffer || day.stretchesDiffer || day.a.profile.betriebsMinuten != day.b.profile.betriebsMinuten);
                    EXPECT_LE(day.onOnlyInFirst + day.onOnlyInSecond, kMinutesOfDay);
                }
                EXPECT_EQ(got, want) << "channel " << ch.channel;
            }
        }
    }
}

// Working days ON 7:00 to 17:30, or from 7:30, and a pulse only in the second.
struct Pair {
    ProgramModel first = Program(kRowFourChannels, {BuildWeeklyEntry(Hm(7, 0), 31, kC1, 1, 0, 0), BuildWeeklyEntry(Hm(17, 30), 31, kC1, 0, 0, 0)});
    ProgramModel second = Program(kRowFourChannels, {BuildWeeklyEntry(Hm(7, 30), 31, kC1, 1, 0, 0), BuildWeeklyEntry(Hm(17, 30), 31, kC1, 0, 0, 0), BuildDatedEntry(Hm(12, 0), 3, 4, kC2, 1, 5, false)});
};

TEST(Behaviour, LinesNameDaysHoursAndStretchesInTheUsersLanguage)
{
    Pair p;
    const BehaviourComparison cmp = CompareBehaviour(YearSimulation(p.first, 2027), YearSimulation(p.second, 2027));
    ASSERT_EQ(cmp.channels.size(), 4u);
    const ChannelBehaviour& c1 = cmp.channels[0];
    EXPECT_EQ(c1.days.size(), 261u); // the working days of 2027
    EXPECT_EQ(c1.onOnlyInFirst, 261 * 30);
    EXPECT_EQ(c1.onOnlyInSecond, 0);
    ASSERT_EQ(cmp.channels[1].days.size(), 1u);
    EXPECT_TRUE(cmp.channels[1].days[0].pulsesDiffer);
    EXPECT_FALSE(cmp.channels[1].days[0].stretchesDiffer);
    EXPECT_FALSE(cmp.channels[2].differs());

    const struct {
        void (TextTable::*load)(int);
        const char* channel;
        const char* day;
        const char* pulse;
    } cases[] = {
        {&TextTable::LoadGerman, "C1: 261 Tage, -130 h 30 Min", "  1.1.2027: 7:00–17:30 EIN → 7:30–17:30 EIN",
         "  3.4.2027: AUS → 12:00 Impuls EIN"},
        {&TextTable::LoadEnglish, "C1: 261 days, -130 h 30 Min", "  1.1.2027: 7:00–17:30 ON → 7:30–17:30 ON",
         "  3.4.2027: OFF → 12:00 Pulse ON"},
        {&TextTable::LoadFrench, "C1: 261 jours, -130 h 30 Min", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        TextTable texts;
        (texts.*c.load)(1);
        const QStringList lines = BehaviourLines(cmp, texts);
        EXPECT_EQ(lines.value(0).replace(texts(TextId::Min), QStringLiteral("Min")), QString::fromUtf8(c.channel));
        EXPECT_EQ(lines.size(), 1 + 261 + 2);
        EXPECT_EQ(lines.value(262), QStringLiteral("C2: ") + texts(kBehaviourOneDay) + QStringLiteral(", 0 h 00 ") + texts(TextId::Min));
        if (c.day) {
            EXPECT_EQ(lines.value(1), QString::fromUtf8(c.day));
            EXPECT_EQ(lines.last(), QString::fromUtf8(c.pulse));
        }
    }
}

// The content lines of an iCalendar text, unfolded; every physical line ends
// with CR LF and holds at most 75 octets.
QStringList Unfold(const QByteArray& ics)
{
    QStringList lines;
    EXPECT_TRUE(ics.endsWith("\r\n"));
    for (const QByteArray& physical : ics.split('\n')) {
        if (physical.isEmpty())
            continue;
        EXPECT_TRUE(physical.endsWith('\r')) << physical.toStdString();
        const QByteArray line = physical.chopped(1);
        EXPECT_LE(line.size(), 75) << line.toStdString();
        if (line.startsWith(' '))
            lines.last() += QString::fromUtf8(line.mid(1));
        else
            lines << QString::fromUtf8(line);
    }
    return lines;
}

using Event = std::map<QString, QString>;

std::vector<Event> Events(const QStringList& lines)
{
    std::vector<Event> events;
    for (const QString& line : lines) {
        if (line == QStringLiteral("BEGIN:VEVENT"))
            events.emplace_back();
        else if (!events.empty() && line != QStringLiteral("END:VEVENT") && !events.back().count(QStringLiteral("END")))
            events.back()[line.section(QLatin1Char(':'), 0, 0)] = line.section(QLatin1Char(':'), 1);
        if (line == QStringLiteral("END:VEVENT"))
            events.back()[QStringLiteral("END")] = QString();
    }
    return events;
}

TEST(Behaviour, CalendarHoldsOneEventPerStretchAndPulseAsTheCsvLists)
{
    ProgramModel m = RandomSimulationProgram(kRowBus738, 7, 60, 6, 16);
    m.program().Kanalname[0] = QStringLiteral(" Flur EG; Süd\\Nord mit einem sehr langen Namen über die Zeilengrenze hinaus");
    QTemporaryDir dir;
    const QString file = saveProgramAs(m, dir.filePath(QStringLiteral("Schule.zpg")));
    const QString ics = dir.filePath(QStringLiteral("jahr.ics"));
    const QString csv = Succeeded(RunCli({QStringLiteral("--type"), QStringLiteral("20"), QStringLiteral("simulate"), file, QStringLiteral("--year"), QStringLiteral("2027"),
                                          QStringLiteral("--channel"), QStringLiteral("all"), QStringLiteral("--csv"),
                                          QStringLiteral("--periods")}));
    for (const QString& zone : {QString(), QStringLiteral("Europe/Berlin")}) {
        SCOPED_TRACE(zone.toStdString());
        QStringList args{QStringLiteral("--type"), QStringLiteral("20"), QStringLiteral("simulate"), file, QStringLiteral("--year"), QStringLiteral("2027"),
                         QStringLiteral("--channel"), QStringLiteral("all"), QStringLiteral("--ics"), ics};
        if (!zone.isEmpty())
            args << QStringLiteral("--zone") << zone;
        Succeeded(RunCli(args));
        const QStringList lines = Unfold(readFile(ics));
        EXPECT_EQ(lines.first(), QStringLiteral("BEGIN:VCALENDAR"));
        EXPECT_EQ(lines.last(), QStringLiteral("END:VCALENDAR"));
        EXPECT_EQ(lines.contains(QStringLiteral("TZID:Europe/Berlin")), !zone.isEmpty());
        const std::vector<Event> events = Events(lines);
        QStringList rows = csv.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(rows.takeFirst(), QStringLiteral("date,channel,from,to,kind"));
        ASSERT_EQ(events.size(), static_cast<std::size_t>(rows.size()));
        ASSERT_GT(rows.size(), 400);
        std::set<QString> uids;
        const QString start = zone.isEmpty() ? QStringLiteral("DTSTART") : QStringLiteral("DTSTART;TZID=Europe/Berlin");
        const QString end = zone.isEmpty() ? QStringLiteral("DTEND") : QStringLiteral("DTEND;TZID=Europe/Berlin");
        for (std::size_t i = 0; i < events.size(); ++i) {
            const Event& e = events[i];
            const QStringList row = rows[static_cast<int>(i)].split(QLatin1Char(','));
            const QString day = QString(row[0]).remove(QLatin1Char('-'));
            EXPECT_TRUE(uids.insert(e.at(QStringLiteral("UID"))).second) << "UIDs are unique";
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{8}T\\d{6}Z$")).match(e.at(QStringLiteral("DTSTAMP"))).hasMatch());
            EXPECT_EQ(e.at(start), day + QLatin1Char('T') + QString(row[2]).remove(QLatin1Char(':')) + QStringLiteral("00"));
            if (row[4] == QStringLiteral("on")) {
                const QString to = row[3] == QStringLiteral("24:00")
                    ? QDate::fromString(day, QStringLiteral("yyyyMMdd")).addDays(1).toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("T000000")
                    : day + QLatin1Char('T') + QString(row[3]).remove(QLatin1Char(':')) + QStringLiteral("00");
                EXPECT_EQ(e.at(end), to);
            } else {
                EXPECT_TRUE(e.at(QStringLiteral("DURATION")).startsWith(QStringLiteral("PT")));
            }
            if (row[1] == QStringLiteral("1") && row[4] == QStringLiteral("on")) {
                EXPECT_EQ(e.at(QStringLiteral("SUMMARY")), QStringLiteral("Flur EG\\; Süd\\\\Nord mit einem sehr langen Namen über die Zeilengrenze hinaus"));
            }
            EXPECT_FALSE(e.at(QStringLiteral("DESCRIPTION")).isEmpty());
        }
    }
    const CliRun unknown = RunCli({QStringLiteral("--type"), QStringLiteral("20"), QStringLiteral("simulate"), file, QStringLiteral("--year"), QStringLiteral("2027"),
                                   QStringLiteral("--channel"), QStringLiteral("1"), QStringLiteral("--ics"), ics,
                                   QStringLiteral("--zone"), QStringLiteral("Mars/Olympus")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Mars/Olympus")));
}

// A day given by its segments; its stretches ON as the simulation makes them.
SimulatedDay Day(std::initializer_list<ProfileSegment> segments, std::initializer_list<OnPeriod> on)
{
    SimulatedDay day;
    day.profile.segments = segments;
    day.on = on;
    return day;
}

TEST(Behaviour, DaysAreExplainedAtEachSwitchingAndFiguresNameBothPrograms)
{
    const struct {
        SimulatedDay day;
        std::vector<int> minutes;
    } days[] = {
        {Day({{ProfileAus, 1440}}, {}), {}},
        {Day({{ProfileEin, 60}, {ProfileAus, 1320}, {ProfileEin, 60}}, {{0, 60}, {1380, 1440}}), {0, 60, 1380}},
        {Day({{ProfileAus, 720}, {ProfileImpulsEin, 1}, {ProfileAus, 719}}, {}), {720}},
        {Day({{ProfileAus, 720}, {ProfileImpulsEin, 1}, {ProfileEin, 60}, {ProfileAus, 659}}, {{720, 781}}), {720, 781}},
    };
    for (const auto& d : days)
        EXPECT_EQ(SwitchingMinutes(d.day), d.minutes);

    Pair p;
    TextTable texts;
    texts.LoadEnglish(1);
    const YearSimulation first(p.first, 2027);
    const YearSimulation second(p.second, 2027);
    const std::vector<SimulatedDay> year = second.SimulateYear(0);
    // 1.1.2027, a Friday: ON 7:30 to 17:30 in the second program, each end explained.
    const QStringList lines = DayDecisionLines(second, 0, 1, year[0], texts);
    ASSERT_EQ(lines.size(), 2) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("7:30: ") + SimulationCauseText(second.Explain(0, 1, 450), texts));
    EXPECT_EQ(lines[1], QStringLiteral("17:30: ") + SimulationCauseText(second.Explain(0, 1, 1050), texts));
    EXPECT_NE(lines[0].mid(6), lines[1].mid(7)) << "each switching names its own entry";
    EXPECT_TRUE(DayDecisionLines(first, 1, 93, first.SimulateYear(1)[92], texts).isEmpty()) << "3.4: C2 stays OFF";
    EXPECT_EQ(DayDecisionLines(second, 1, 93, second.SimulateYear(1)[92], texts).size(), 1) << "3.4: the pulse";

    const BehaviourComparison cmp = CompareBehaviour(first, second);
    const QString min = texts(TextId::Min);
    EXPECT_EQ(BehaviourFiguresText(cmp.channels[0], texts),
              QStringLiteral("Operating hours: 2740 h 30 %1 → 2610 h 00 %1, ON only in the first: 130 h 30 %1, "
                             "ON only in the second: 0 h 00 %1")
                  .arg(min));

    // The calendar of a slot names its file, year and channels.
    p.second.slot(kSampleSlot) = p.second.program();
    p.second.slot(kSampleSlot).Dateiname = QStringLiteral("/tmp/Halle.zpg");
    p.second.slot(kSampleSlot).Kanalname[1] = QStringLiteral(" Licht");
    const CalendarOptions options = ProgramCalendarOptions(p.second, YearSimulation(p.second, 2027, kSampleSlot),
                                                           QStringLiteral("Europe/Paris"), QDateTime());
    EXPECT_EQ(options.program, QStringLiteral("Halle.zpg2027"));
    EXPECT_EQ(options.channelNames.at(1), QStringLiteral("Licht"));
    EXPECT_EQ(options.zone, QStringLiteral("Europe/Paris"));
    EXPECT_EQ(options.uidDomain, QStringLiteral("zendrik"));
}

TEST(Behaviour, DiffCommandReportsChannelsDaysAndJson)
{
    Pair p;
    QTemporaryDir dir;
    const QString a = saveProgramAs(p.first, dir.filePath(QStringLiteral("a.zpg")));
    const QString b = saveProgramAs(p.second, dir.filePath(QStringLiteral("b.zpg")));
    const auto diff = [&](QStringList extra) {
        return RunCli(QStringList{QStringLiteral("diff"), a, b, QStringLiteral("--behaviour"), QStringLiteral("--year"),
                                  QStringLiteral("2027")}
                      + extra);
    };
    const CliRun text = diff({});
    EXPECT_EQ(text.exitCode, 3);
    EXPECT_TRUE(text.out.startsWith(QStringLiteral("C1: 261 Tage, -130 h 30 Min\n  1.1.2027: 7:00–17:30 EIN → 7:30–17:30 EIN\n")))
        << text.out.left(200).toStdString();
    const CliRun json = diff({QStringLiteral("--channel"), QStringLiteral("2"), QStringLiteral("--json")});
    EXPECT_EQ(json.exitCode, 3);
    const QJsonObject c2 = QJsonDocument::fromJson(json.out.toUtf8()).object()[QStringLiteral("channels")].toArray()[0].toObject();
    EXPECT_EQ(c2[QStringLiteral("channel")].toInt(), 2);
    EXPECT_EQ(c2[QStringLiteral("days")].toArray(), QJsonArray{QStringLiteral("2027-04-03")});
    EXPECT_EQ(c2[QStringLiteral("minutes_on_only_in_second")].toInt(), 0);
    EXPECT_EQ(RunCli({QStringLiteral("diff"), a, a, QStringLiteral("--behaviour")}).exitCode, 0);
    EXPECT_EQ(RunCli({QStringLiteral("diff"), a, dir.filePath(QStringLiteral("none.zpg")), QStringLiteral("--behaviour")}).exitCode, 1);
}

} // namespace
