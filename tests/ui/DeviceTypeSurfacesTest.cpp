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

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace zendrik::test {

namespace {

// One program file of a family, and what it shows of its variant.
struct FamilyFile {
    const char* what;
    int family;
    int channels;
    bool annual; // movable priority times: identification 73
    bool meter;  // a meter-pulse channel
    std::function<ProgramModel()> make;
};

ProgramModel plain(int row)
{
    ProgramModel m = modelForRow(row);
    addEntry(m, BuildWeeklyEntry(480, 0b1111111, 1, 1, 0, 0));
    if (DeviceTypeTable()[static_cast<std::size_t>(row - 1)].Evu) {
        m.device.MessKanal = 1;
        m.device.MessPeriode = 5;
        m.device.MessImpDauer = 1;
    }
    return m;
}

const FamilyFile kFiles[] = {
    {"weekly 1 channel", kFamily731, 1, false, false, [] { return plain(1); }},
    {"weekly 4 channels", kFamily731, 4, false, false, [] { return plain(4); }},
    {"meter pulse 4 channels", kFamily731, 4, false, true, [] { return plain(9); }},
    {"annual 4 channels", kFamily731, 4, true, false, canonical731},
    {"astro", kFamily752, 2, false, false, canonical752},
    {"bus astro", kFamily738, 16, false, false, canonical738},
};

bool fits(const FamilyFile& f, int row)
{
    const DeviceTypeRow& r = DeviceTypeTable()[static_cast<std::size_t>(row - 1)];
    return r.Uhrentyp == f.family && r.Kanalzahl == f.channels && (!f.annual || r.Bewft) && (!f.meter || r.Evu);
}

// The type a file that fits no chosen row was made for: within the 731
// family only a four-channel file with a program number and no meter pulse
// reads as the bus switch.
int madeFor(const FamilyFile& f, bool numbered)
{
    if (f.family == kFamily752)
        return 19;
    if (f.family == kFamily738)
        return 20;
    if (numbered && f.channels == 4 && !f.meter)
        return f.annual ? 14 : 5;
    return (f.meter ? (f.annual ? 14 : 5) : (f.annual ? 9 : 0)) + f.channels;
}

class DeviceTypeSurfaces : public DesktopFixture { };

} // namespace

TEST_F(DeviceTypeSurfaces, EveryRowEveryFamilyFileWithAndWithoutProgramNumber)
{
    struct Made {
        const FamilyFile* file;
        bool numbered;
        QString path;
    };
    std::vector<Made> made;
    for (const FamilyFile& f : kFiles) {
        for (const bool numbered : {false, true}) {
            ProgramModel m = f.make();
            m.program().ProgNr = numbered ? 120612 : kNoProgramNumber;
            const QString path = work(u"%1%2.zpg"_s.arg(QString::fromLatin1(f.what).remove(u' ')).arg(numbered));
            ASSERT_FALSE(saveProgramAs(m, path).isEmpty()) << f.what;
            made.push_back({&f, numbered, path});
        }
    }

    struct CliCase {
        int chosen;
        QString path;
        QString name;
    };
    std::vector<CliCase> cli;
    for (int chosen = 1; chosen <= kDeviceTypeRows; ++chosen) {
        startWith(chosen);
        answer(TextId::SaveChangesIn, Answer::No);
        for (const Made& m : made) {
            const QString before = model().device.Geraetename;
            chooser_.open = m.path;
            trigger("mnuDatÖff");
            const std::string what = std::string(m.file->what) + (m.numbered ? " numbered" : "") + " in row "
                + std::to_string(chosen);
            if (m.file->family != DeviceTypeTable()[static_cast<std::size_t>(chosen - 1)].Uhrentyp) {
                // Refused ("Datei für ..."): the program and its type stay.
                EXPECT_NE(model().program().Dateiname, m.path) << what;
                EXPECT_EQ(model().device.Geraetename, before) << what;
                continue;
            }
            ASSERT_EQ(model().program().Dateiname, m.path) << what;
            const bool fitting = fits(*m.file, chosen);
            const int expected = fitting ? chosen : madeFor(*m.file, m.numbered);
            const QString name = DeviceTypeName(expected, 1);
            const QString caption = german_(TextId::DeviceType);
            EXPECT_EQ(model().device.Geraetename, name) << what;
            EXPECT_EQ(model().device.Busprog != 0, DeviceTypeTable()[static_cast<std::size_t>(expected - 1)].Busprog != 0)
                << what;

            // Status bar: the type, and for a file of another type also the chosen one.
            const QString status = child<QLabel>(frame(), "lblGeraet")->text();
            EXPECT_TRUE(status.startsWith(caption + u": "_s + name)) << what << " " << status.toStdString();
            EXPECT_EQ(status.contains(DeviceTypeName(chosen, 1) + u')'), !fitting) << what << status.toStdString();

            // Print title and hand-over cover.
            PrintRequest switching;
            switching.Schaltzeiten = true;
            EXPECT_EQ(BuildPrintDocument(model(), app_->texts(), switching).title.deviceType,
                      caption + u": "_s + name)
                << what;
            const HandoverDocument handover = BuildHandoverDocument(model(), app_->texts(), 2027, {});
            EXPECT_NE(std::find(handover.cover.begin(), handover.cover.end(), std::pair(caption.trimmed(), name)),
                      handover.cover.end())
                << what;
            cli.push_back({chosen, m.path, name});
        }
        app_.reset();
    }

    // The command line names the same type for the same choice.
    for (const CliCase& c : cli) {
        const QString run = Succeeded(RunCli({u"--type"_s, QString::number(c.chosen), u"info"_s, c.path}));
        EXPECT_TRUE(run.contains(u"device: "_s + c.name + u'\n')) << c.chosen << " " << c.path.toStdString()
                                                                  << run.toStdString();
    }
}

} // namespace zendrik::test
