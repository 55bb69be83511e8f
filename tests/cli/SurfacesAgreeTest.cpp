// What the user set is what every surface shows and what the device does:
// random programs of every device type are saved and reopened, and the
// reopened program must hold every field the file carries, and switch
// exactly as the simulation window, the hand-over record and the command
// line show it, day by day, channel by channel, for two years.

#include "calendar/SimulationCsv.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/YearSimulation.h"
#include "editing/HandoverDocument.h"
#include "editing/checks/ProgramDiff.h"
#include "language/TextTable.h"
#include "model/DeviceTypes.h"
#include "model/HeaderFields.h"
#include "model/ProgramFile.h"
#include "tests/calendar/RandomSimulationProgram.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"
#include "transfer/chip/MasterCard.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kPrograms = 2000;

// Every run draws the same programs; ZENDRIK_TEST_SEED draws others.
const int kBaseSeed = qEnvironmentVariableIsSet("ZENDRIK_TEST_SEED") ? qEnvironmentVariableIntValue("ZENDRIK_TEST_SEED") : 29;

// Thousands of saves: in memory where the system has a memory file system,
// so that the time goes into the programs and not into the disk.
QString ScratchFolder()
{
    return QDir(u"/dev/shm"_s).exists() ? u"/dev/shm/zendrik-surfaces-XXXXXX"_s : QDir::tempPath() + u"/zendrik-surfaces-XXXXXX"_s;
}

struct Drawn {
    int row = 0, seed = 0;
    int year = 0;          // the first of the two simulated years
    ProgramModel saved;    // the program as the window shows it after saving
    ProgramModel reopened; // the file opened again with the same device type
    QString path;
    int loadResult = -1;
};

// The program `index` of this run, saved as the desktop saves (yes to the
// questions) into `dir` and opened again.
Drawn Draw(int index, const QTemporaryDir& dir)
{
    Drawn d;
    d.row = index % kDeviceTypeRows + 1;
    d.seed = kBaseSeed + index;
    d.year = 2025 + index % 4;
    d.saved = RandomProgram(d.row, d.seed);
    d.path = saveProgramAs(d.saved, dir.filePath(u"P%1.zpg"_s.arg(index % 50)));
    d.reopened = modelForRow(d.row);
    d.loadResult = d.path.isEmpty() ? -1 : LoadProgram(d.reopened, d.path, kProgramSlot);
    return d;
}

std::string Trace(const Drawn& d)
{
    return u"ZENDRIK_TEST_SEED=%1, row %2, seed %3"_s.arg(kBaseSeed).arg(d.row).arg(d.seed).toStdString();
}

QString Numbers(std::initializer_list<int> values, QString out = {})
{
    for (const int v : values)
        out += QString::number(v) + u' ';
    return out;
}

template <typename Rows>
QString Bytes(const Rows& rows, int count, QString out)
{
    for (int i = 0; i < count; ++i)
        for (const Byte b : rows[static_cast<std::size_t>(i)].b)
            out += QString::number(b) + u' ';
    return out;
}

// An astro channel as the image knows it: a table holding at least one
// time. A table without any (a place whose sun times all fall outside the
// day) makes the device switch nothing, and the file reads it as a plain
// channel, which switches nothing by the sun either.
bool AstroChannel(const ProgramModel& m, int c)
{
    const AstroProgram& a = m.program().astro;
    if (a.AstroAktiv[static_cast<std::size_t>(c + 1)] == 0)
        return false;
    const auto& table = a.AstroTab[static_cast<std::size_t>(c)];
    return std::any_of(table.begin(), table.begin() + 366, [&](const AstroDay& day) {
        return day.rise != m.device.KeineZeit || day.set != m.device.KeineZeit;
    });
}

int AstroChannels(const ProgramModel& m)
{
    return m.device.Uhrentyp == kFamily738 ? 4 : m.device.Uhrentyp == kFamily752 ? 1 : 0;
}

// One field of the program as text, for comparing and for the message;
// `kept` (when given) says whether the file carries it for this program.
struct Field {
    const char* name;
    std::function<QString(const ProgramModel&)> value;
    std::function<bool(const ProgramModel&)> kept = {};
};

const Field kFields[] = {
    {"entries", [](const ProgramModel& m) { const ProgramSlot& s = m.program(); return Bytes(s.Eintrag, s.AnzEintrag, Numbers({s.AnzSz, s.AnzPz, s.AnzEintrag})); }},
    // The years the rows stand for; the file keeps the first year in the form the device reads.
    {"summer/winter table",
     [](const ProgramModel& m) { const ProgramSlot& s = m.program(); return Bytes(s.SoWiTab, s.AnzSoWi, Numbers({s.AnzSoWi, s.AnzSoWi > 0 ? SoWiBezugsjahr(s) : -1})); }},
    // Byte 0 of the header is the file's checksum once the file is read.
    {"header", [](const ProgramModel& m) { const auto& k = m.program().Kopf; return Numbers({k[1], k[2], k[3], k[4], k[5], k[6], k[7]}); }},
    {"device settings", [](const ProgramModel& m) { const DeviceSettings& d = m.device; return Numbers({d.Kanalzahl, d.SwRegel, d.EibFormat, d.Geraetekennung, d.Datumsformat, d.Funk, d.Nak, d.Dauertaste}); }},
    {"clock language", [](const ProgramModel& m) { return Numbers({m.device.SpracheUhr}); }},
    // A program card does not carry the eight bits: the coding window
    // offers them for a master card only.
    {"master bits", [](const ProgramModel& m) { return Numbers({m.device.MasterKennung}); },
     [](const ProgramModel& m) { return MasterBitsApply(m) && MasterStateOf(m).masterCard; }},
    {"program number", [](const ProgramModel& m) { return ProgramNumberText(m.program()); }},
    {"write protection", [](const ProgramModel& m) { return Numbers({m.program().Schreibschutz}); }},
    {"meter pulse", [](const ProgramModel& m) { const DeviceSettings& d = m.device; return Numbers({d.MessKanal, d.MessPeriode, d.MessImpDauer, d.MessZustand, d.MessZeitpunkt}); }},
    {"description", [](const ProgramModel& m) { return m.program().Verwendung; }},
    {"channel names",
     [](const ProgramModel& m) {
         QStringList out;
         for (int c = 0; c < m.device.Kanalzahl; ++c)
             out << ShownChannelName(m.program().Kanalname[static_cast<std::size_t>(c)]);
         return out.join(u'|');
     }},
    // Per astro channel its limits, states and the times of every day.
    {"astro channels",
     [](const ProgramModel& m) {
         QString out;
         for (std::size_t c = 0; c < static_cast<std::size_t>(AstroChannels(m)); ++c) {
             const auto& a = m.program().astro;
             if (!AstroChannel(m, static_cast<int>(c))) {
                 out += u"- "_s;
                 continue;
             }
             const AstroLimits& g = a.AstroGrenze[c];
             out = Numbers({g.morning, g.evening, g.riseState, g.setState, a.AstroTab[c][0].riseState, a.AstroTab[c][0].setState}, out + u"C%1: "_s.arg(c + 1));
             for (std::size_t day = 0; day < 366; ++day)
                 out = Numbers({a.AstroTab[c][day].rise, a.AstroTab[c][day].set}, out);
         }
         return out;
     }},
    {"astro location",
     [](const ProgramModel& m) {
         // Only the astro devices have an astro program; only the astro
         // device 752 can let channel 2 follow channel 1.
         const AstroProgram& a = m.program().astro;
         if (AstroChannels(m) == 0)
             return QString();
         return u"%1 %2 %3 %4 %5 %6"_s.arg(a.AstroLaenge).arg(a.AstroBreite).arg(a.AstroZone).arg(a.AstroOffsetAuf).arg(a.AstroOffsetUnter).arg(m.device.Uhrentyp == kFamily752 ? m.device.AstroC1C2 : 0);
     },
     // The bus device keeps the place of its astro program; without an astro
     // channel it has none.
     [](const ProgramModel& m) { return m.device.Uhrentyp != kFamily738 || m.program().astro.AstroAktiv[0] != 0; }},
};

// The first program on which each field differed, and how many did.
struct Disagreements : std::map<std::string, std::pair<int, std::string>> {
    void add(const std::string& field, const std::string& example)
    {
        auto& [count, first] = (*this)[field];
        if (count++ == 0)
            first = example;
    }
    std::string report() const
    {
        std::string out;
        for (const auto& [field, found] : *this)
            out += field + ": " + std::to_string(found.first) + " programs, first: " + found.second + "\n";
        return out;
    }
};

} // namespace

TEST(ProgramRoundTrip, EveryFieldOfRandomProgramsSurvivesSaveAndReopen)
{
    QTemporaryDir dir(ScratchFolder());
    Disagreements found;
    for (int i = 0; i < kPrograms; ++i) {
        const Drawn d = Draw(i, dir);
        if (d.loadResult != LoadOk) {
            found.add("save and reopen", Trace(d) + " result " + std::to_string(d.loadResult));
            continue;
        }
        for (const Field& f : kFields) {
            if (f.kept && !f.kept(d.saved))
                continue;
            const QString want = f.value(d.saved);
            const QString got = f.value(d.reopened);
            if (want == got)
                continue;
            // From a little before the first difference.
            qsizetype at = 0;
            while (at < want.size() && at < got.size() && want[at] == got[at])
                ++at;
            at = std::max<qsizetype>(0, at - 20);
            found.add(f.name, Trace(d) + "\n  saved:    " + want.mid(at, 120).toStdString() + "\n  reopened: " + got.mid(at, 120).toStdString());
        }
        // Compared with its file, the program differs in nothing the file
        // keeps; the comparison names an astro table without any time, which
        // the file reads as a plain channel.
        const ProgramDiff diff = DiffPrograms(d.saved, kProgramSlot, d.reopened, kProgramSlot);
        for (const HeaderDifference& h : diff.header) {
            const bool astro = h.field == HeaderField::AstroChannel || h.field == HeaderField::AstroLimits;
            if (!astro || AstroChannel(d.saved, h.index))
                found.add("comparison, header field " + std::to_string(static_cast<int>(h.field)), Trace(d) + ": " + h.first.toStdString() + " / " + h.second.toStdString());
        }
        if (!diff.entries.empty())
            found.add("comparison, entries", Trace(d));
    }
    EXPECT_TRUE(found.empty()) << found.report();
}

// The simulation window, the hand-over record's year chart and the command
// line all simulate through YearSimulation: the window and the record on
// the program as it is open, the command line on the file it opens.
TEST(SurfacesAgree, DayProfilesOfTheOpenProgramAndOfItsFile)
{
    QTemporaryDir dir(ScratchFolder());
    TextTable texts;
    texts.LoadGerman();
    Disagreements found;
    for (int i = 0; i < kPrograms; ++i) {
        // Every fifth run of the twenty device types: a day of every channel
        // costs about as much as a save.
        if ((i / kDeviceTypeRows) % 5 != 0)
            continue;
        const Drawn d = Draw(i, dir);
        if (d.loadResult != LoadOk)
            continue;
        for (const int year : {d.year, d.year + 1}) {
            const YearSimulation window(d.saved, year);
            const YearSimulation file(d.reopened, year);
            // The record is built for a few programs only: it also lays out every list.
            const std::shared_ptr<const YearSimulation> chart = i % 7 == 0 ? BuildHandoverDocument(d.saved, texts, year).simulation : nullptr;
            for (int c = 0; c < d.saved.device.Kanalzahl; ++c) {
                for (int day = 1; day <= window.Tage(); ++day) {
                    const DayProfile shown = window.Rechne_SzGrafik(c, day);
                    for (const auto& [surface, other] : {std::pair{"file", &file}, std::pair{"hand-over", chart.get()}}) {
                        if (!other)
                            continue;
                        const DayProfile p = other->Rechne_SzGrafik(c, day);
                        if (p.prioritaet != shown.prioritaet || p.segments != shown.segments)
                            found.add(surface, Trace(d) + u" year %1 channel %2 day %3: window %4 min ON, %5 %6 min ON"_s.arg(year).arg(c + 1).arg(day).arg(shown.betriebsMinuten).arg(QLatin1String(surface)).arg(p.betriebsMinuten).toStdString());
                    }
                }
            }
        }
    }
    EXPECT_TRUE(found.empty()) << found.report();
}

// The command line itself, for a program of each family: its CSV is the
// one the simulation window exports for the program as it was saved.
TEST(SurfacesAgree, CommandLineSimulatesTheSavedFileAsTheWindowShowsIt)
{
    QTemporaryDir dir(ScratchFolder());
    TextTable texts;
    texts.LoadGerman();
    for (const int index : {3, 12, 18, 19, 38, 39}) {
        const Drawn d = Draw(index, dir);
        SCOPED_TRACE(Trace(d));
        ASSERT_EQ(d.loadResult, LoadOk);
        const YearSimulation window(d.saved, d.year + 1);
        for (int c = 0; c < std::min(d.saved.device.Kanalzahl, 4); ++c) {
            const QStringList args = {"--dir", dir.path(), "--type", QString::number(d.row), "--lang", "de", "simulate", d.path, "--year", QString::number(d.year + 1), "--channel", QString::number(c + 1), "--csv"};
            EXPECT_EQ(Succeeded(RunCli(args)).toStdString(), SimulationCsv(window, c, texts).toStdString()) << "channel " << c + 1;
        }
    }
}
