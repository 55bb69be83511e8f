#include "editing/EntryBuilder.h"
#include "model/Cp1252.h"
#include "model/DeviceTypes.h"
#include "model/ProgramFile.h"
#include "model/SequentialReader.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

QByteArray saveToBytes(ProgramModel& m, const QString& path, bool yes = true)
{
    m.program().Dateiname = path;
    auto ui = ScriptedInteraction::answering(yes);
    const SaveOutcome outcome = SaveProgram(m, ui);
    EXPECT_EQ(outcome.result, 1) << outcome.error.toStdString();
    return readFile(path);
}

QList<QByteArray> lines(const QByteArray& text)
{
    QList<QByteArray> out = text.split('\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
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
    for (int i = 0; i < count; ++i)
        out.push_back(static_cast<int>(r.readInteger().value_or(-1)));
    return out;
}

QByteArray withNumbers(const QByteArray& original, const std::vector<int>& values)
{
    // Rewrites the image numbers one per line and keeps the text trailer.
    QList<QByteArray> ls = lines(original);
    QByteArray out;
    for (int v : values)
        out += " " + QByteArray::number(v) + " \r\n";
    for (int i = ls.size() - 17; i < ls.size(); ++i)
        out += ls[i] + "\r\n";
    return out;
}

struct Family {
    const char* name;
    ProgramModel (*make)();
    int row;
    int size;
};

const Family kFamilies[] = {
    {"731", &canonical731, 4, 2048},
    {"738", &canonical738, 20, 8192},
    {"752", &canonical752, 19, 2048},
};

} // namespace

class ProgramFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(ProgramFileTest, GoldenFilesOfEachFamily)
{
    // The golden files pin every byte a device or an existing installation
    // reads. ZENDRIK_UPDATE_GOLDEN=1 rewrites them after a deliberate change.
    const bool update = qEnvironmentVariableIntValue("ZENDRIK_UPDATE_GOLDEN") == 1;
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.name);
        ProgramModel m = f.make();
        const QByteArray written = saveToBytes(m, path(QStringLiteral("g.zpg")));
        const QString golden = testData(QStringLiteral("golden/%1.zpg").arg(QLatin1String(f.name)));
        if (update)
            ASSERT_TRUE(writeFile(golden, written));
        EXPECT_EQ(written, readFile(golden));
    }
}

TEST_F(ProgramFileTest, LineLayout)
{
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.name);
        ProgramModel m = f.make();
        const QList<QByteArray> ls = lines(saveToBytes(m, path(QStringLiteral("l.zpg"))));
        const int imageLines = f.size == 2048 ? 366 : 366 + 184 + 16 + 4 + 4 * 366 + 624;
        ASSERT_EQ(ls.size(), imageLines + 17);
        EXPECT_EQ(ls[0].count(' '), 2);          // one value: blank, digits, blank
        EXPECT_EQ(ls[20].count("  "), 3);        // four values
        EXPECT_EQ(ls[40], " 0  1 ");              // the first entry is entry 1
        EXPECT_EQ(ls[42].count("  "), 5);        // six values
        if (f.size == 8192) {
            EXPECT_EQ(ls[366 + 183].count("  "), 5);
            EXPECT_EQ(ls[366 + 184].count("  "), 0);
            EXPECT_EQ(ls[366 + 184 + 16].count("  "), 1);
            EXPECT_EQ(ls[366 + 184 + 16 + 4].count("  "), 2);
        }
        EXPECT_EQ(numbers(saveToBytes(m, path(QStringLiteral("l.zpg"))), f.size).back() >= 0, true);
        const int trailer = imageLines;
        EXPECT_EQ(ls[trailer], Cp1252::encode(m.program().Verwendung));
        EXPECT_EQ(ls[trailer + 16], f.size == 8192 ? QByteArray("K16") : QByteArray("C16 :"));
    }
}

TEST_F(ProgramFileTest, EmptyProgramAfterConfirmation)
{
    ProgramModel m = modelForRow(1);
    m.program().ProgNr = 55;
    auto ui = ScriptedInteraction::answering(true);
    m.program().Dateiname = path(QStringLiteral("empty.zpg"));
    ASSERT_EQ(SaveProgram(m, ui).result, 1);
    ASSERT_EQ(ui.asked().size(), 1u);
    EXPECT_EQ(ui.asked()[0].key(), TextId::NoDataContinue);
    const QList<QByteArray> ls = lines(readFile(m.program().Dateiname));
    EXPECT_EQ(ls[40], " 0  0 ");
    EXPECT_EQ(ls[41], " 0  1 ");
    // Saving an empty program clears its number.
    EXPECT_EQ(ls[13], " 255 ");
    EXPECT_EQ(m.program().ProgNr, kNoProgramNumber);
    EXPECT_EQ(ls[366 + 3], "C3 :");
}

TEST_F(ProgramFileTest, DeclinedOrImpossibleSavesWriteNothing)
{
    ProgramModel empty = modelForRow(1);
    empty.program().Dateiname = path(QStringLiteral("no.zpg"));
    auto no = ScriptedInteraction::answering(false);
    const SaveOutcome declined = SaveProgram(empty, no);
    EXPECT_EQ(declined.result, 0);
    EXPECT_EQ(declined.failure, SaveFailure::Abandoned);
    EXPECT_FALSE(QFile::exists(empty.program().Dateiname));

    ProgramModel ruleWithoutTable = canonical731();
    ruleWithoutTable.program().AnzSoWi = 0;
    ruleWithoutTable.program().Dateiname = path(QStringLiteral("rule.zpg"));
    auto yes = ScriptedInteraction::answering(true);
    EXPECT_EQ(SaveProgram(ruleWithoutTable, yes).result, 0);
    ASSERT_EQ(yes.asked().size(), 1u);
    EXPECT_EQ(yes.asked()[0].key(), TextId::ChooseOtherDstRule);
    EXPECT_FALSE(QFile::exists(ruleWithoutTable.program().Dateiname));
}

TEST_F(ProgramFileTest, FailedWriteKeepsTheOldFile)
{
    ProgramModel m = canonical731();
    const QString target = path(QStringLiteral("keep.zpg"));
    const QByteArray before = saveToBytes(m, target);
    addEntry(m, BuildWeeklyEntry(100, 1, 1, 1, 0, 0));
    m.Geaendert = 1;

    // A disk that fills up while writing: the file-size limit makes every
    // write beyond 4 KiB fail, whoever runs the test.
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    auto ui = ScriptedInteraction::answering(true);
    const SaveOutcome outcome = SaveProgram(m, ui);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.failure, SaveFailure::WriteFailed);
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_EQ(readFile(target), before);
    EXPECT_EQ(m.Geaendert, 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.zpg")});

    m.program().Dateiname = path(QStringLiteral("missing/dir/x.zpg"));
    EXPECT_EQ(SaveProgram(m, ui).failure, SaveFailure::WriteFailed);
}

TEST_F(ProgramFileTest, RoundTripIsByteIdentical)
{
    for (const Family& f : kFamilies) {
        SCOPED_TRACE(f.name);
        ProgramModel m = f.make();
        const QByteArray first = saveToBytes(m, path(QStringLiteral("a.zpg")));

        ProgramModel loaded = modelForRow(f.row);
        ASSERT_EQ(LoadProgram(loaded, path(QStringLiteral("a.zpg")), 0), LoadOk);
        EXPECT_EQ(loaded.program().AnzEintrag, m.program().AnzEintrag);
        EXPECT_EQ(loaded.program().AnzSoWi, m.program().AnzSoWi);
        EXPECT_EQ(loaded.program().Verwendung, m.program().Verwendung);
        EXPECT_EQ(loaded.program().Schreibschutz, m.program().Schreibschutz);
        EXPECT_EQ(loaded.device.AstroC1C2, m.device.AstroC1C2);
        EXPECT_EQ(loaded.program().astro.AstroLaenge, m.program().astro.AstroLaenge);
        const QByteArray second = saveToBytes(loaded, path(QStringLiteral("b.zpg")));

        // The loader puts a blank before every channel name; the rest is the same.
        QList<QByteArray> a = lines(first);
        QList<QByteArray> b = lines(second);
        ASSERT_EQ(a.size(), b.size());
        const int trailer = a.size() - 16;
        for (int i = 0; i < trailer; ++i)
            EXPECT_EQ(a[i], b[i]) << "line " << i + 1;
        for (int i = trailer; i < a.size(); ++i) {
            if (!a[i].startsWith('C') || !a[i].endsWith(" :"))
                EXPECT_EQ(" " + a[i], b[i]);
        }

        // A second cycle is stable to the byte.
        ProgramModel again = modelForRow(f.row);
        ASSERT_EQ(LoadProgram(again, path(QStringLiteral("b.zpg")), 0), LoadOk);
        EXPECT_EQ(saveToBytes(again, path(QStringLiteral("c.zpg"))), second);
    }
}

TEST_F(ProgramFileTest, ResultCodes)
{
    ProgramModel m731 = canonical731();
    const QString f731 = path(QStringLiteral("731.zpg"));
    const QByteArray t731 = saveToBytes(m731, f731);
    ProgramModel m738 = canonical738();
    const QString f738 = path(QStringLiteral("738.zpg"));
    saveToBytes(m738, f738);
    ProgramModel m752 = canonical752();
    const QString f752 = path(QStringLiteral("752.zpg"));
    saveToBytes(m752, f752);

    std::vector<int> values = numbers(t731, 2048);
    auto variant = [&](const char* name, const std::function<void(std::vector<int>&)>& change) {
        std::vector<int> v = values;
        change(v);
        const QString p = path(QString::fromLatin1(name));
        writeFile(p, withNumbers(t731, v));
        return p;
    };

    struct Case {
        const char* what;
        int row;
        QString file;
        int expected;
    };
    const Case cases[] = {
        {"731 on 731", 4, f731, LoadOk},
        {"missing", 4, path(QStringLiteral("nope.zpg")), LoadMissing},
        {"752 file on 731", 4, f752, LoadFamily752},
        {"738 file on 731", 4, f738, LoadLargeImage},
        {"731 file on 752", 19, f731, LoadFamily731},
        {"738 file on 752", 19, f738, LoadLargeImage},
        {"731 file on 738", 20, f731, LoadFamily731},
        {"752 file on 738", 20, f752, LoadFamily752},
        {"one value changed", 4, variant("c1.zpg", [](auto& v) { v[500] = (v[500] + 1) % 256; }), LoadInvalid},
        {"two values balanced", 4, variant("c2.zpg", [](auto& v) {
             // Raise one byte and lower another so that the sum stays.
             std::size_t up = 20, down = 20;
             while (v[up] == 255) ++up;
             while (down == up || v[down] == 0) ++down;
             ++v[up];
             --v[down];
         }), LoadOk},
        {"value 256", 4, variant("c3.zpg", [](auto& v) { v[600] += 256; }), LoadInvalid},
        {"2049th value missing", 4, variant("c4.zpg", [](auto& v) { v.pop_back(); }), LoadInvalid},
        {"identification 75", 4, variant("c5.zpg", [](auto& v) { v[1] = 75; v[0] = (v[0] + 256 - 3) % 256; }),
         LoadInvalid},
    };
    for (const Case& c : cases) {
        ProgramModel m = modelForRow(c.row);
        EXPECT_EQ(LoadProgram(m, c.file, 0), c.expected) << c.what;
    }
}

TEST_F(ProgramFileTest, BadInputIsRefusedWithoutTouchingTheSlot)
{
    ProgramModel source = canonical731();
    const QByteArray good = saveToBytes(source, path(QStringLiteral("good.zpg")));
    const QByteArray junk[] = {
        QByteArray(),
        QByteArray("\x00\x01\x02garbage\xff", 11),
        QByteArray(" 12  abc  4 \r\n"),
        QByteArray(" -1  72 \r\n"),
        QByteArray(" 1.5  72 \r\n"),
        QByteArray(" 99999999999999999999  72 \r\n"),
        good.left(good.size() / 2),
        QByteArray(10 * 1024 * 1024, '7'),
        QByteArray(5000, ','),
    };
    for (const QByteArray& data : junk) {
        ProgramModel m = canonical731();
        const int before = m.program().AnzEintrag;
        const QString name = m.program().Dateiname;
        const DeviceSettings device = m.device;
        EXPECT_EQ(LoadProgramData(m, data, 0, QStringLiteral("x")), LoadInvalid);
        EXPECT_EQ(m.program().AnzEintrag, before);
        EXPECT_EQ(m.program().Dateiname, name);
        EXPECT_EQ(m.device.Kanalzahl, device.Kanalzahl);
        EXPECT_EQ(m.device.SwRegel, device.SwRegel);
    }
}

TEST_F(ProgramFileTest, ImageWithoutTrailerLoadsWithEmptyTexts)
{
    ProgramModel source = canonical731();
    const QByteArray text = saveToBytes(source, path(QStringLiteral("src.zpg")));
    QByteArray card;
    for (int v : numbers(text, 2048))
        card += " " + QByteArray::number(v) + " ";
    ProgramModel m = modelForRow(4);
    ASSERT_EQ(LoadProgramData(m, card, 0, QStringLiteral("card.dat")), LoadOk);
    EXPECT_EQ(m.program().AnzEintrag, source.program().AnzEintrag);
    EXPECT_TRUE(m.program().Verwendung.isEmpty());
    EXPECT_TRUE(m.program().Kanalname[0].isEmpty());
}

TEST_F(ProgramFileTest, MasterProgramLoadsCompletelyAndKeepsItsFlag)
{
    ProgramModel m = canonical731();
    m.device.Geraetekennung |= 0x80;
    m.device.MasterKennung = 3;
    saveToBytes(m, path(QStringLiteral("master.zpg")));
    ProgramModel loaded = modelForRow(4);
    ASSERT_EQ(LoadProgram(loaded, path(QStringLiteral("master.zpg")), 0), LoadOk);
    EXPECT_EQ(loaded.program().AnzEintrag, m.program().AnzEintrag);
    EXPECT_EQ(loaded.device.Geraetekennung & 0x80, 0x80);
    EXPECT_EQ(loaded.device.MasterKennung, 3);
}

TEST_F(ProgramFileTest, ChannelNamesAndCounts)
{
    ProgramModel m738 = canonical738();
    saveToBytes(m738, path(QStringLiteral("b.zpg")));
    ProgramModel l738 = modelForRow(20);
    ASSERT_EQ(LoadProgram(l738, path(QStringLiteral("b.zpg")), 0), LoadOk);
    EXPECT_EQ(l738.device.Kanalzahl, 16);
    EXPECT_EQ(l738.program().Kanalname[15], QStringLiteral(" K16"));

    ProgramModel one = modelForRow(1);
    addEntry(one, BuildWeeklyEntry(60, 1, 1, 1, 0, 0));
    one.program().Kanalname[0] = QStringLiteral("Pumpe");
    const QList<QByteArray> ls = lines(saveToBytes(one, path(QStringLiteral("one.zpg"))));
    ASSERT_EQ(ls.size(), 366 + 17);
    EXPECT_EQ(ls[367], "Pumpe");
    EXPECT_EQ(ls[368], "C2 :");
    ProgramModel back = modelForRow(1);
    ASSERT_EQ(LoadProgram(back, path(QStringLiteral("one.zpg")), 0), LoadOk);
    EXPECT_EQ(back.device.Kanalzahl, 1);
    EXPECT_EQ(back.program().Kanalname[0], QStringLiteral(" Pumpe"));
    EXPECT_TRUE(back.program().Kanalname[1].isEmpty());
}

TEST_F(ProgramFileTest, TextsAreWindows1252AndSplitAtCommas)
{
    ProgramModel m = canonical731();
    EXPECT_EQ(m.setVerwendung(0, QStringLiteral("A, B")), TextCheck::Comma);
    EXPECT_EQ(m.setVerwendung(0, QStringLiteral("A\nB")), TextCheck::LineBreak);
    EXPECT_EQ(m.setKanalname(0, 1, QStringLiteral("\u4e2d")), TextCheck::NotEncodable);
    EXPECT_EQ(m.setVerwendung(0, QStringLiteral("Größe 5 € – ok")), TextCheck::Ok);
    const QByteArray text = saveToBytes(m, path(QStringLiteral("t.zpg")));
    EXPECT_TRUE(text.contains(QByteArray("Gr\xF6\xDF" "e 5 \x80 \x96 ok")));

    // A name with a comma in a foreign file is cut there; the next item moves up.
    QByteArray edited = text;
    edited.replace("Flur\r\n", "Flur, Keller\r\n");
    writeFile(path(QStringLiteral("comma.zpg")), edited);
    ProgramModel loaded = modelForRow(4);
    ASSERT_EQ(LoadProgram(loaded, path(QStringLiteral("comma.zpg")), 0), LoadOk);
    EXPECT_EQ(loaded.program().Verwendung, QStringLiteral("Größe 5 € – ok"));
    EXPECT_EQ(loaded.program().Kanalname[0], QStringLiteral(" Flur"));
    EXPECT_EQ(loaded.program().Kanalname[1], QStringLiteral(" Keller"));
}

TEST_F(ProgramFileTest, UnusedSummerWinterRowsAreLoadedButNotCounted)
{
    ProgramModel m = canonical731();
    m.program().SoWiTab[1].b[0] = 240;
    saveToBytes(m, path(QStringLiteral("d.zpg")));
    ProgramModel loaded = modelForRow(4);
    ASSERT_EQ(LoadProgram(loaded, path(QStringLiteral("d.zpg")), 0), LoadOk);
    EXPECT_EQ(loaded.program().AnzSoWi, 1);
    EXPECT_EQ(loaded.program().SoWiTab[1].b[0], 240);
}

TEST_F(ProgramFileTest, SampleDoesNotChangeTheProgramOrTheDevice)
{
    ProgramModel other = canonical731();
    other.device.SwRegel = 2;
    other.device.MessKanal = 1;
    other.device.MessPeriode = 5;
    other.program().Schreibschutz = 1;
    saveToBytes(other, path(QStringLiteral("s.zpg")));

    ProgramModel m = canonical731();
    addEntry(m, BuildWeeklyEntry(5, 1, 1, 1, 0, 0));
    const DeviceSettings before = m.device;
    ASSERT_EQ(LoadProgram(m, path(QStringLiteral("s.zpg")), 1), LoadOk);
    EXPECT_EQ(m.slot(1).AnzEintrag, other.program().AnzEintrag);
    EXPECT_EQ(m.slot(1).Schreibschutz, 1);
    EXPECT_EQ(m.program().Schreibschutz, 0);
    EXPECT_EQ(m.device.SwRegel, before.SwRegel);
    EXPECT_EQ(m.device.MessKanal, before.MessKanal);
    EXPECT_EQ(m.program().AnzEintrag, 10);
}

TEST_F(ProgramFileTest, LoadSortsIntoListOrderAndNamesTheDevice)
{
    ProgramModel m = canonical731();
    saveToBytes(m, path(QStringLiteral("o.zpg")));
    ProgramModel loaded = modelForRow(1);
    ASSERT_EQ(LoadProgram(loaded, path(QStringLiteral("o.zpg")), 0), LoadOk);
    const ProgramSlot& s = loaded.program();
    for (int i = 0; i < s.AnzSz; ++i)
        EXPECT_FALSE(IsPriorityTimeByte(s.Eintrag[static_cast<std::size_t>(i)].b[0]));
    for (int i = s.AnzSz; i < s.AnzEintrag; ++i)
        EXPECT_TRUE(IsPriorityTimeByte(s.Eintrag[static_cast<std::size_t>(i)].b[0]));
    // The saved program has a year-bound priority time, so its identification is 73.
    EXPECT_EQ(loaded.device.Geraetekennung, 73);
    EXPECT_EQ(loaded.device.Bewft, 1);
    EXPECT_EQ(loaded.device.Kanalzahl, 4);
    // A four-channel program with a program number is named as the bus switch.
    EXPECT_EQ(loaded.device.Geraetename, DeviceTypeName(14, 1));

    m.program().ProgNr = kNoProgramNumber;
    saveToBytes(m, path(QStringLiteral("o.zpg")));
    ASSERT_EQ(LoadProgram(loaded, path(QStringLiteral("o.zpg")), 0), LoadOk);
    EXPECT_EQ(loaded.device.Geraetename, DeviceTypeName(13, 1));
}
