// zendrik-cli site check and site apply as users call them.
#include "tests/cli/CliFolder.h"
#include "tests/site/SiteFixtures.h"

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

// Two weekly/annual devices at the same bus address, the second under the
// rule of the USA, and an astro device.
class SiteCommands : public CliFolder {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath(u"programs"_s);
        save(QuietProgram(), u"A.zpg"_s);
        ProgramModel usa = QuietProgram();
        usa.device.SwRegel = 3;
        save(usa, u"programs/B.zpg"_s);
        save(canonical752(), u"C.zpg"_s);
        writeFile(path(u"s.zsite"_s), "zendrik-site 1\nname = Schule\n\n"
                                      "[device]\nname = Flur EG\ntype = 4\nprogram = A.zpg\nlink = bus 1.1.5 sim:bus.ini\n\n"
                                      "[device]\nname = Klassen\ntype = 4\nprogram = programs/B.zpg\nlink = bus 1.1.5 sim:bus.ini\n\n"
                                      "[device]\nname = Aussenlicht\ntype = 19\nprogram = C.zpg\nlink = ir 1\n");
    }
};

TEST_F(SiteCommands, CheckAndApply)
{
    const QByteArray a = readFile(path(u"A.zpg"_s));
    const QStringList en = {"--lang", "en"};
    const QStringList shipped = {"--dir", "$S", "--lang", "en", "site", "apply", "$D/s.zsite"};
    const Invocation cases[] = {
        {en + QStringList{"site", "check", "$D/s.zsite", "--year", "2026"}, 3, "Klassen: Error: Same bus address 1.1.5 as \"Flur EG\""},
        {en + QStringList{"site", "check", "$D/s.zsite", "--year", "2026"}, 3, "Klassen: Warning: Summer/winter time differs from \"Flur EG\": here rule USA"},
        {en + QStringList{"site", "check", "$D/s.zsite", "--year", "2026"}, 3, "Aussenlicht: Warning: Program was never written into the device"},
        {en + QStringList{"site", "check", "$D/s.zsite", "--json"}, 3, "\"check\": \"same_bus_address\""},
        {en + QStringList{"site", "check", "$D/nowhere.zsite"}, 1, "", "nowhere.zsite"},
        {en + QStringList{"site", "check", "$D/s.zsite", "--year", "1900"}, 2, "", "--year"},
        {shipped + QStringList{"--only", "Flur EG,Klassen", "--dst-rule", "3", "--dry-run"}, 0, "Flur EG:\n  "},
        {shipped + QStringList{"--only", "Flur EG,Klassen", "--dst-rule", "3", "--dry-run"}, 0, "Klassen: no change\n"},
        {shipped + QStringList{"--only", "Flur EG", "--place", "London"}, 3, "=Flur EG: not applicable: The device does not switch by the sun\n0 written\n"},
        {shipped + QStringList{"--only", "Flur EG", "--place", "Atlantis"}, 2, "", "no place named Atlantis"},
        {shipped + QStringList{"--only", "Flur EG", "--dst-rule", "3", "--place", "London"}, 2, "", "usage"},
        {shipped + QStringList{"--dst-rule", "3"}, 2, "", "usage"},
        {shipped + QStringList{"--only", "Flur EG", "--holidays", "Atlantis", "--years", "2027-2028"}, 2, "", "no holiday set named Atlantis"},
        {shipped + QStringList{"--only", "Flur EG", "--holidays", "England and Wales", "--years", "2028-2027"}, 2, "", "--years"},
        // A switching time by the text of its list row: added where it fits, refused where a channel is missing.
        {shipped + QStringList{"--only", "Flur EG,Aussenlicht", "--add-time", "Mo-Fr 12:00 C3 ON", "--dry-run"}, 3,
         "Flur EG:\n  + Switching time 3: Mo Tu We Th Fr  12:00 hrs  C3  ON\nAussenlicht: not applicable: The device has only 2 channels.\n"},
        {shipped + QStringList{"--only", "Flur EG", "--change-time", "1  \tdaily\t  7:00 hrs\t C1\t\t \tON\t", "--to", "daily 6:30 C1 ON", "--dry-run"}, 0,
         "  - Switching time 1: daily  7:00 hrs  C1  ON\n  + Switching time 1: daily  6:30 hrs  C1  ON\n"},
        {shipped + QStringList{"--only", "Flur EG", "--delete-time", "daily 8:00 C1 ON"}, 3, "Flur EG: not applicable: The switching time is not in the program\n"},
        {shipped + QStringList{"--only", "Flur EG", "--add-time", "daily 25:00 C1 ON"}, 2, "", "No time 0:00 to 23:59 given."},
        {shipped + QStringList{"--only", "Flur EG", "--change-time", "daily 7:00 C1 ON"}, 2, "", "usage"},
    };
    expectAll(cases);
    EXPECT_EQ(readFile(path(u"A.zpg"_s)), a) << "a dry run or a refusal wrote the program";

    const CliRun applied = run(shipped + QStringList{"--only", "Flur EG,Aussenlicht", "--holidays", "England and Wales", "--years", "2027-2027"});
    EXPECT_EQ(applied.exitCode, 0) << applied.err.toStdString();
    EXPECT_TRUE(applied.out.contains(u"Flur EG: written A.zpg\n"_s)) << applied.out.toStdString();
    EXPECT_TRUE(applied.out.endsWith(u"2 written\n"_s)) << applied.out.toStdString();
    EXPECT_NE(readFile(path(u"A.zpg"_s)), a);
    // The change applied is no change the second time.
    const CliRun again = run(shipped + QStringList{"--only", "Flur EG", "--holidays", "England and Wales", "--years", "2027-2027", "--dry-run"});
    EXPECT_EQ(again.out, u"Flur EG: no change\n"_s);
}

} // namespace
