// The device type a program is shown as: the status bar, the command line's
// info, the print title and the hand-over cover name the same type. A file
// that fits the chosen type keeps it, whatever its program number; a file
// that does not fit is named by the type it was made for.
#include "DesktopFixture.h"

#include "../support/CliRun.h"
#include "../support/TestPrograms.h"
#include "editing/HandoverDocument.h"
#include "editing/PrintDocument.h"
#include "model/DeviceTypes.h"
#include "model/EntryBuilder.h"

namespace zendrik::test {
namespace {

const DeviceTypeRow& typeRow(int row) { return DeviceTypeTable()[static_cast<std::size_t>(row - 1)]; }

// One program file of a family, and what it shows of its variant.
struct FamilyFile {
    const char* what;
    int family, channels;
    bool annual, meter; // movable priority times (identification 73); a meter-pulse channel
    std::function<ProgramModel()> make;
};

ProgramModel plain(int row)
{
    ProgramModel m = modelForRow(row);
    addEntry(m, BuildWeeklyEntry(480, 0b1111111, 1, 1, 0, 0));
    if (typeRow(row).Evu) m.device.MessKanal = 1, m.device.MessPeriode = 5, m.device.MessImpDauer = 1;
    return m;
}

const FamilyFile kFiles[] = {
    {"weekly1", kFamily731, 1, false, false, [] { return plain(1); }},
    {"weekly4", kFamily731, 4, false, false, [] { return plain(4); }},
    {"meter4", kFamily731, 4, false, true, [] { return plain(9); }},
    {"annual4", kFamily731, 4, true, false, canonical731},
    {"astro", kFamily752, 2, false, false, canonical752},
    {"busastro", kFamily738, 16, false, false, canonical738},
};

// The type a file that fits no chosen row was made for: within the 731
// family only a four-channel file with a program number and no meter pulse reads as the bus switch.
int madeFor(const FamilyFile& f, bool numbered)
{
    if (f.family != kFamily731) return f.family == kFamily752 ? 19 : 20;
    if (numbered && f.channels == 4 && !f.meter) return f.annual ? 14 : 5;
    return (f.meter ? (f.annual ? 14 : 5) : (f.annual ? 9 : 0)) + f.channels;
}

using DeviceTypeSurfaces = DesktopFixture;

} // namespace

TEST_F(DeviceTypeSurfaces, EveryRowEveryFamilyFileWithAndWithoutProgramNumber)
{
    std::vector<std::tuple<const FamilyFile*, bool, QString>> made;
    for (const FamilyFile& f : kFiles) {
        for (const bool numbered : {false, true}) {
            ProgramModel m = f.make();
            m.program().ProgNr = numbered ? 120612 : kNoProgramNumber;
            made.emplace_back(&f, numbered, saveProgramAs(m, work(u"%1%2.zpg"_s.arg(QString::fromLatin1(f.what)).arg(numbered))));
        }
    }
    const QString caption = german_(TextId::DeviceType);
    std::vector<std::tuple<int, QString, QString>> cli; // chosen row, file, type named
    for (int chosen = 1; chosen <= kDeviceTypeRows; ++chosen) {
        restart(chosen);
        answer(TextId::SaveChangesIn, Answer::No);
        for (const auto& [file, numbered, path] : made) {
            const QString before = model().device.Geraetename;
            chooser_.open = path;
            trigger("mnuDatÖff");
            const std::string what = file->what + std::string(numbered ? " numbered" : "") + " in row " + std::to_string(chosen);
            if (file->family != typeRow(chosen).Uhrentyp) {
                // Refused ("Datei für ..."): the program and its type stay.
                EXPECT_TRUE(model().program().Dateiname != path && model().device.Geraetename == before) << what;
                continue;
            }
            ASSERT_EQ(model().program().Dateiname, path) << what;
            const DeviceTypeRow& r = typeRow(chosen);
            const bool fitting = r.Kanalzahl == file->channels && (!file->annual || r.Bewft) && (!file->meter || r.Evu);
            const int expected = fitting ? chosen : madeFor(*file, numbered);
            const QString name = DeviceTypeName(expected, 1);
            EXPECT_EQ(std::tuple(model().device.Geraetename, model().device.Busprog != 0), std::tuple(name, typeRow(expected).Busprog != 0)) << what;
            // Status bar: the type, and for a file of another type also the chosen one.
            const QString status = shown("lblGeraet");
            EXPECT_EQ(std::tuple(status.startsWith(caption + u": "_s + name), status.contains(DeviceTypeName(chosen, 1) + u')')), std::tuple(true, !fitting))
                << what << " " << status.toStdString();
            // Print title and hand-over cover.
            PrintRequest switching;
            switching.Schaltzeiten = true;
            EXPECT_EQ(BuildPrintDocument(model(), app_->texts(), switching).title.deviceType, caption + u": "_s + name) << what;
            const auto cover = BuildHandoverDocument(model(), app_->texts(), 2027, {}).cover;
            EXPECT_NE(std::find(cover.begin(), cover.end(), std::pair(caption.trimmed(), name)), cover.end()) << what;
            cli.emplace_back(chosen, path, name);
        }
    }
    // The command line names the same type for the same choice.
    for (const auto& [chosen, path, name] : cli) {
        const QString run = Succeeded(RunCli({u"--type"_s, QString::number(chosen), u"info"_s, path}));
        EXPECT_TRUE(run.contains(u"device: "_s + name + u'\n')) << chosen << " " << path.toStdString() << run.toStdString();
    }
}

} // namespace zendrik::test
