#include "model/ProgramFile.h"
#include "model/DeviceTypes.h"
#include "model/EntryBuilder.h"
#include "model/ExportTarget.h"
#include "model/SequentialReader.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray saveToBytes(ProgramModel& m, const QString& path) { return readFile(saveProgramAs(m, path)); }

QList<QByteArray> lines(const QByteArray& text)
{
    QList<QByteArray> out = text.split('\n');
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    for (QByteArray& l : out) {
        EXPECT_TRUE(l.endsWith('\r'));
        l.chop(1);
    }
    return out;
}

// The numbers of a program file as the loader sees them.
std::vector<int> numbers(const QByteArray& text, int count)
{
    SequentialReader r(text);
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(static_cast<int>(r.readInteger().value_or(-1)));
    return out;
}

QString golden(const char* family) { return testData(u"golden/%1.zpg"_s.arg(QLatin1String(family))); }

struct Family { const char* name; ProgramModel (*make)(); int row; };

const Family kFamilies[] = {{"731", &canonical731, 4}, {"738", &canonical738, 20}, {"752", &canonical752, 19}};

ProgramModel loaded(int row, const QString& path, int expected = LoadOk)
{
    ProgramModel m = modelForRow(row);
    EXPECT_EQ(LoadProgram(m, path, kProgramSlot), expected) << path.toStdString();
    return m;
}

} // namespace

class ProgramFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(ProgramFileTest, GoldenFilesOfEachFamily)
{
    // The golden files pin every byte a device or an existing installation reads. ZENDRIK_UPDATE_GOLDEN=1 rewrites them after a deliberate change.
    const bool update = qEnvironmentVariableIntValue("ZENDRIK_UPDATE_GOLDEN") == 1;
    for (const Family& f : kFamilies) {
        ProgramModel m = f.make();
        const QByteArray written = saveToBytes(m, path(u"g.zpg"_s));
        if (update) { ASSERT_TRUE(writeFile(golden(f.name), written)); }
        EXPECT_EQ(written, readFile(golden(f.name))) << f.name;
    }
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.name);
        const ProgramModel want = f.make();
        ProgramModel m = loaded(f.row, golden(f.name));
        EXPECT_EQ(std::tuple(m.program().AnzEintrag, m.program().Verwendung, m.program().Schreibschutz, m.device.AstroC1C2), std::tuple(want.program().AnzEintrag, want.program().Verwendung, want.program().Schreibschutz, want.device.AstroC1C2));
        const QByteArray second = saveToBytes(m, path(u"b.zpg"_s));
        // The loader puts a blank before every given channel name; an unnamed channel keeps its placeholder; the rest is the same.
        const QList<QByteArray> a = lines(readFile(golden(f.name)));
        const QList<QByteArray> b = lines(second);
        ASSERT_EQ(a.size(), b.size());
        const int names = a.size() - 16;
        for (int i = 0; i < a.size(); ++i) {
            const bool given = i >= names && !a[i].endsWith(" :");
            EXPECT_EQ(given ? " " + a[i] : a[i], b[i]) << "line " << i + 1;
        }
        if (f.row != 20) { EXPECT_TRUE(m.program().Kanalname[static_cast<std::size_t>(m.device.Kanalzahl - 1)].isEmpty()); }
        // A second cycle is stable to the byte.
        ProgramModel again = loaded(f.row, path(u"b.zpg"_s));
        EXPECT_EQ(saveToBytes(again, path(u"c.zpg"_s)), second);
    }
}

// An empty program is saved only after a question, and loses its number; a declined question or a table rule without a table writes nothing.
TEST_F(ProgramFileTest, SaveQuestionsFailedWritesAndLoadResults)
{
    ProgramModel m = modelForRow(1);
    m.program().ProgNr = 55;
    auto yes = ScriptedInteraction::answering(true), no = ScriptedInteraction::answering(false);
    ProgramModel declined = m;
    declined.program().Dateiname = path(u"no.zpg"_s);
    const SaveOutcome refused = SaveProgram(declined, no);
    EXPECT_EQ(std::pair(refused.result, refused.failure), std::pair(0, SaveFailure::Abandoned));
    ProgramModel ruleWithoutTable = canonical731();
    ruleWithoutTable.program().AnzSoWi = 0;
    ruleWithoutTable.program().Dateiname = path(u"rule.zpg"_s);
    EXPECT_EQ(SaveProgram(ruleWithoutTable, yes).result, 0);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    m.program().Dateiname = path(u"empty.zpg"_s);
    ASSERT_EQ(SaveProgram(m, yes).result, 1);
    ASSERT_EQ(yes.asked().size(), 2u);
    EXPECT_EQ(std::pair(yes.asked()[0].key(), yes.asked()[1].key()), std::pair(TextId::ChooseOtherDstRule, TextId::NoDataContinue));
    const QList<QByteArray> ls = lines(readFile(m.program().Dateiname));
    EXPECT_EQ(ls.mid(40, 2), (QList<QByteArray>{" 0  0 ", " 0  1 "}));
    EXPECT_EQ(std::tuple(ls[13], m.program().ProgNr, ls[366 + 3]), std::tuple(" 255 ", kNoProgramNumber, "C3 :"));
    ProgramModel m2 = canonical731();
    const QString target = path(u"keep.zpg"_s);
    const QByteArray before = saveToBytes(m2, target);
    addEntry(m2, BuildWeeklyEntry(100, 1, 1, 1, 0, 0));
    m2.Geaendert = 1;

    // A disk that fills up while writing: the file-size limit makes every write beyond 4 KiB fail, whoever runs the test.
    struct rlimit old { };
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    auto ui = ScriptedInteraction::answering(true);
    const SaveOutcome outcome = SaveProgram(m2, ui);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(std::tuple(outcome.result, outcome.failure, outcome.error.isEmpty(), m2.Geaendert), std::tuple(0, SaveFailure::WriteFailed, false, 1));
    EXPECT_EQ(readFile(target), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"empty.zpg"_s, u"keep.zpg"_s})); // no temporary file left

    m2.program().Dateiname = path(u"missing/dir/x.zpg"_s);
    EXPECT_EQ(SaveProgram(m2, ui).failure, SaveFailure::WriteFailed);
    const QByteArray t731 = readFile(golden("731"));
    // The image numbers one per line, changed, and the text trailer.
    const auto variant = [&](const char* name, const std::function<void(std::vector<int>&)>& change) {
        std::vector<int> v = numbers(t731, 2048);
        change(v);
        QByteArray text;
        for (int n : v) text += " " + QByteArray::number(n) + " \r\n";
        const QList<QByteArray> ls = lines(t731);
        for (int i = ls.size() - 17; i < ls.size(); ++i) text += ls[i] + "\r\n";
        writeFile(path(QString::fromLatin1(name)), text);
        return path(QString::fromLatin1(name));
    };
    const struct { const char* what; int row; QString file; int expected; } cases[] = {
        {"731 on 731", 4, golden("731"), LoadOk},
        {"missing", 4, path(u"nope.zpg"_s), LoadMissing},
        {"752 file on 731", 4, golden("752"), LoadFamily752},
        {"738 file on 731", 4, golden("738"), LoadLargeImage},
        {"731 file on 752", 19, golden("731"), LoadFamily731},
        {"738 file on 752", 19, golden("738"), LoadLargeImage},
        {"731 file on 738", 20, golden("731"), LoadFamily731},
        {"752 file on 738", 20, golden("752"), LoadFamily752},
        {"one value changed", 4, variant("c1.zpg", [](auto& v) { v[500] = (v[500] + 1) % 256; }), LoadInvalid},
        // One byte raised and another lowered: the sum stays.
        {"two values balanced", 4, variant("c2.zpg", [](auto& v) { std::size_t up = 20, down = 20; while (v[up] == 255) ++up; while (down == up || v[down] == 0) ++down; ++v[up]; --v[down]; }), LoadOk},
        {"value 256", 4, variant("c3.zpg", [](auto& v) { v[600] += 256; }), LoadInvalid},
        {"2049th value missing", 4, variant("c4.zpg", [](auto& v) { v.pop_back(); }), LoadInvalid},
        {"identification 75", 4, variant("c5.zpg", [](auto& v) { v[1] = 75; v[0] = (v[0] + 256 - 3) % 256; }), LoadInvalid},
    };
    for (const auto& c : cases) loaded(c.row, c.file, c.expected);
}

TEST_F(ProgramFileTest, BadInputIsRefusedWithoutTouchingTheSlot)
{
    const QByteArray good = readFile(golden("731"));
    const QByteArray junk[] = {QByteArray(), QByteArray("\x00\x01\x02garbage\xff", 11), " 12  abc  4 \r\n", " -1  72 \r\n", " 1.5  72 \r\n",
                               " 99999999999999999999  72 \r\n", good.left(good.size() / 2), QByteArray(10 * 1024 * 1024, '7'), QByteArray(5000, ',')};
    for (const QByteArray& data : junk) {
        ProgramModel m = canonical731();
        const QString name = m.program().Dateiname;
        const int swRegel = m.device.SwRegel;
        EXPECT_EQ(LoadProgramData(m, data, 0, u"x"_s), LoadInvalid);
        EXPECT_EQ(std::tuple(m.program().AnzEintrag, m.program().Dateiname, m.device.Kanalzahl, m.device.SwRegel), std::tuple(9, name, 4, swRegel));
    }
    QByteArray card;
    for (int v : numbers(readFile(golden("731")), 2048)) card += " " + QByteArray::number(v) + " ";
    ProgramModel m = modelForRow(4);
    ASSERT_EQ(LoadProgramData(m, card, 0, u"card.dat"_s), LoadOk);
    EXPECT_EQ(std::tuple(m.program().AnzEintrag, m.program().Verwendung, m.program().Kanalname[0]), std::tuple(9, QString(), QString()));
    ProgramModel master = canonical731();
    master.device.Geraetekennung |= 0x80;
    master.device.MasterKennung = 3;
    const ProgramModel back = loaded(4, saveProgramAs(master, path(u"master.zpg"_s)));
    EXPECT_EQ(std::tuple(back.program().AnzEintrag, back.device.Geraetekennung & 0x80, back.device.MasterKennung), std::tuple(9, 0x80, 3));

    // The 738 family's byte 2 carries no channel count: all 16 channels stay.
    const ProgramModel l738 = loaded(20, golden("738"));
    EXPECT_EQ(std::pair(l738.device.Kanalzahl, l738.program().Kanalname[15]), std::pair(16, u" K16"_s));

    ProgramModel one = modelForRow(1);
    addEntry(one, BuildWeeklyEntry(60, 1, 1, 1, 0, 0));
    one.program().Kanalname[0] = u"Pumpe"_s;
    const QList<QByteArray> ls = lines(saveToBytes(one, path(u"one.zpg"_s)));
    ASSERT_EQ(ls.size(), 366 + 17);
    EXPECT_EQ(ls.mid(367, 2), (QList<QByteArray>{"Pumpe", "C2 :"}));
    const ProgramModel oneBack = loaded(1, path(u"one.zpg"_s));
    EXPECT_EQ(std::tuple(oneBack.device.Kanalzahl, oneBack.program().Kanalname[0], oneBack.program().Kanalname[1]), std::tuple(1, u" Pumpe"_s, QString()));
    ProgramModel m2 = canonical731();
    EXPECT_EQ(m2.setVerwendung(0, u"A, B"_s), TextCheck::Comma);
    EXPECT_EQ(m2.setVerwendung(0, u"A\nB"_s), TextCheck::LineBreak);
    EXPECT_EQ(m2.setKanalname(0, 1, u"\u4e2d"_s), TextCheck::NotEncodable);
    EXPECT_EQ(m2.setVerwendung(0, u"Größe 5 € – ok"_s), TextCheck::Ok);
    QByteArray text = saveToBytes(m2, path(u"t.zpg"_s));
    EXPECT_TRUE(text.contains(QByteArray("Gr\xF6\xDF" "e 5 \x80 \x96 ok")));

    // A name with a comma in a foreign file is cut there; the next item moves up.
    writeFile(path(u"comma.zpg"_s), text.replace("Flur\r\n", "Flur, Keller\r\n"));
    const ProgramModel commaBack = loaded(4, path(u"comma.zpg"_s));
    EXPECT_EQ(std::tuple(commaBack.program().Verwendung, commaBack.program().Kanalname[0], commaBack.program().Kanalname[1]), std::tuple(u"Größe 5 € – ok"_s, u" Flur"_s, u" Keller"_s));
}

// A sample is loaded beside the program and changes neither it nor the device; an unused summer/winter row is loaded but not counted.
TEST_F(ProgramFileTest, SampleAndProgramLoadsKeepTheirPlaceAndNameTheDevice)
{
    ProgramModel other = canonical731();
    std::tie(other.device.SwRegel, other.device.MessKanal, other.device.MessPeriode, other.program().Schreibschutz) = std::tuple(2, 1, 5, 1);
    other.program().SoWiTab[1].b[0] = 240;
    saveProgramAs(other, path(u"s.zpg"_s));
    ProgramModel m = canonical731();
    addEntry(m, BuildWeeklyEntry(5, 1, 1, 1, 0, 0));
    const DeviceSettings before = m.device;
    ASSERT_EQ(LoadProgram(m, path(u"s.zpg"_s), kSampleSlot), LoadOk);
    const ProgramSlot& sample = m.slot(kSampleSlot);
    EXPECT_EQ(std::tuple(sample.AnzEintrag, sample.Schreibschutz, sample.AnzSoWi, int(sample.SoWiTab[1].b[0])), std::tuple(9, 1, 1, 240));
    EXPECT_EQ(std::tuple(m.program().AnzEintrag, m.program().Schreibschutz, m.device.SwRegel, m.device.MessKanal), std::tuple(10, 0, before.SwRegel, before.MessKanal));
    // Loading sorts into list order and names the device.
    ProgramModel opened = loaded(1, golden("731"));
    const ProgramSlot& s = opened.program();
    for (int i = 0; i < s.AnzEintrag; ++i) EXPECT_EQ(IsPriorityTimeByte(s.Eintrag[static_cast<std::size_t>(i)].b[0]), i >= s.AnzSz) << i;
    // The saved program has a year-bound priority time, so its identification is 73.
    EXPECT_EQ(std::tuple(opened.device.Geraetekennung, opened.device.Bewft, opened.device.Kanalzahl), std::tuple(73, 1, 4));
    // A four-channel program with a program number is named as the bus switch.
    EXPECT_EQ(opened.device.Geraetename, DeviceTypeName(14, 1));
    opened.program().ProgNr = kNoProgramNumber;
    EXPECT_EQ(loaded(1, saveProgramAs(opened, path(u"o.zpg"_s))).device.Geraetename, DeviceTypeName(13, 1));
    // What an export never writes over: every file the reader would load as a program, of any family, with or without its texts; the program's own name
    // even before it exists.
    QByteArray broken = readFile(golden("731"));
    broken.replace(broken.indexOf(" 0 "), 3, " 1 ");
    ASSERT_TRUE(writeFile(path(u"kaputt.zpg"_s), broken));
    ASSERT_TRUE(writeFile(path(u"bild.png"_s), "\x89PNG\r\n"));
    const std::tuple<QString, QString, ExportTargetCheck> cases[] = {
        {golden("731"), QString(), ExportTargetCheck::ProgramFile}, {golden("752"), QString(), ExportTargetCheck::ProgramFile},
        {golden("738"), QString(), ExportTargetCheck::ProgramFile}, {path(u"kaputt.zpg"_s), QString(), ExportTargetCheck::Ok},
        {path(u"bild.png"_s), QString(), ExportTargetCheck::Ok}, {path(u"neu.pdf"_s), QString(), ExportTargetCheck::Ok},
        {path(u"neu.pdf"_s), path(u"neu.pdf"_s), ExportTargetCheck::ProgramFile}, {path(u"neu.pdf"_s), path(u"SzTab1.zpg"_s), ExportTargetCheck::Ok},
        {QString(), QString(), ExportTargetCheck::NoName}};
    for (const auto& [target, program, check] : cases) EXPECT_EQ(CheckExportTarget(target, program), check) << target.toStdString();
    QString error;
    ASSERT_TRUE(writeFile(path(u"g738.zpg"_s), readFile(golden("738"))));
    EXPECT_FALSE(WriteExportFile(path(u"g738.zpg"_s), "%PDF", &error));
    EXPECT_EQ(readFile(path(u"g738.zpg"_s)), readFile(golden("738")));
    EXPECT_TRUE(WriteExportFile(path(u"bild.png"_s), "%PDF", &error)) << error.toStdString();
    // The limits of the astro channels are not part of the device image (the table carries their effect); the file keeps them after the 16 channel names,
    // where readers of program files have stopped (they read the description and one name per channel), and reads them from there only.
    for (const Family& f : {kFamilies[1], kFamilies[2]}) {
        SCOPED_TRACE(f.name);
        ProgramModel m2 = f.make();
        AstroProgram& a = m2.program().astro;
        a.AstroGrenze[0] = AstroLimits{6 * 60, 21 * 60 + 30, 0, -1};
        std::tie(a.AstroLaenge, a.AstroBreite, a.AstroZone, a.AstroOffsetAuf, a.AstroOffsetUnter) = std::tuple(-13.5f, 52.5f, -60, -15, 20);
        const QByteArray text = saveToBytes(m2, path(u"l.zpg"_s));
        QList<QByteArray> l = lines(text);
        // The location: in the astro device's image, after the names on the bus device.
        const QList<QByteArray> extra = QList<QByteArray>{"[Astrogrenzen] C1 06:00 21:30", "[Astroort] -13.5 52.5 -60 -15 20"}.first(f.row == 20 ? 2 : 1);
        ASSERT_EQ(l.mid(l.size() - extra.size()), extra);
        const ProgramModel back = loaded(f.row, path(u"l.zpg"_s));
        const AstroProgram& b = back.program().astro;
        EXPECT_EQ(b.AstroGrenze, a.AstroGrenze);
        EXPECT_EQ(std::tie(b.AstroLaenge, b.AstroBreite, b.AstroZone, b.AstroOffsetAuf, b.AstroOffsetUnter), std::tie(a.AstroLaenge, a.AstroBreite, a.AstroZone, a.AstroOffsetAuf, a.AstroOffsetUnter));
        EXPECT_EQ(back.program().Verwendung, m2.program().Verwendung);
        EXPECT_EQ(back.program().Kanalname, loaded(f.row, golden(f.name)).program().Kanalname);
        // The same lines in the place of channel names are no settings.
        for (qsizetype i2 = 0; i2 < extra.size(); ++i2) l[l.size() - extra.size() - 1 - i2] = extra[i2];
        l.resize(l.size() - extra.size());
        writeFile(path(u"m.zpg"_s), l.join("\r\n") + "\r\n");
        const AstroProgram moved = loaded(f.row, path(u"m.zpg"_s)).program().astro;
        EXPECT_EQ(std::pair(moved.AstroGrenze[0], moved.AstroLaenge), std::pair(AstroLimits{}, f.row == 20 ? 0.0f : a.AstroLaenge));
    }
}
