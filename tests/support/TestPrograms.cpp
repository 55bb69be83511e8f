#include "tests/support/TestPrograms.h"

#include "model/DstRowCodec.h"
#include "model/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "model/UserInteraction.h"

#include <QFile>

#include <gtest/gtest.h>

namespace zendrik::test {

QDateTime fixedClock() { return QDateTime(QDate(2026, 12, 6), QTime(10, 37)); }

ProgramModel modelForRow(int row)
{
    ProgramModel m;
    m.clock = [] { return fixedClock(); };
    StartNewProgram(m, row, QStringLiteral("unbekannt"), QStringLiteral("SzTab1.zpg"));
    return m;
}

void addEntry(ProgramModel& m, const Entry& e)
{
    ProgramSlot& s = m.program();
    s.Eintrag[static_cast<std::size_t>(s.AnzEintrag)] = e;
    ++(IsPriorityTimeByte(e.b[0]) ? s.AnzPz : s.AnzSz);
    s.AnzEintrag = s.AnzSz + s.AnzPz;
}

namespace {

void addCommonEntries(ProgramModel& m, int channelA, int channelB)
{
    addEntry(m, BuildWeeklyEntry(6 * 60 + 30, 0b0011111, channelA, 1, 0, 0)); // Mo-Fr 06:30 ON
    addEntry(m, BuildWeeklyEntry(22 * 60, 0b0011111, channelA, 0, 0, 0));     // Mo-Fr 22:00 OFF
    addEntry(m, BuildWeeklyEntry(8 * 60 + 15, 0b1100000, channelB, 1, 0, 0)); // Sa, Su 08:15 ON
    addEntry(m, BuildWeeklyEntry(12 * 60, 127, channelB, 1, 5, 0));           // daily pulse 5 s
    addEntry(m, BuildWeeklyEntry(23 * 60 + 59, 127, channelA, 0, 0, 3));      // P3 23:59 OFF
    addEntry(m, BuildDatedEntry(7 * 60 + 5, 24, 12, channelA, 1, 0, true));   // 24 Dec 07:05 once
    addEntry(m, BuildDatedEntry(18 * 60, 31, 12, channelB, 0, 0, false));     // 31 Dec 18:00 OFF
    addEntry(m, BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, channelA, 0)); // permanent OFF
    addEntry(m, BuildPriorityEntry(1, 7, 31, 8, 2027 - 1936, true, 3, channelB, 0));
}

void addDstTable(ProgramModel& m)
{
    ProgramSlot& s = m.program();
    std::tie(s.SoWiJahr, s.AnzSoWi, m.device.SwRegel) = std::tuple(2026 - 1996, 2, 4);
    s.SoWiTab[0] = EncodeDstRow(DstEntry{{29, 3, 2, 1}, {25, 10, 3, 1}});
    s.SoWiTab[1] = EncodeDstRow(DstEntry{{28, 3, 2, 1}, {31, 10, 3, 1}});
}

void fillAstro(ProgramModel& m, int channel)
{
    // A smooth synthetic year of switching times: sunrise 4:50..8:10, sunset 16:20..21:40; enough to exercise every bit of the day records.
    AstroProgram& a = m.program().astro;
    for (int d = 0; d < 366; ++d) {
        const int swing = d < 183 ? d : 365 - d;
        a.AstroTab[static_cast<std::size_t>(channel)][static_cast<std::size_t>(d)] = AstroDay{490 - swing, 980 + swing * 2 - channel, 0, -1};
    }
    a.AstroAktiv[static_cast<std::size_t>(channel + 1)] = a.AstroAktiv[0] = -1;
}

} // namespace

ProgramModel canonical731()
{
    ProgramModel m = modelForRow(4);
    addCommonEntries(m, 0b0001, 0b0110);
    addDstTable(m);
    std::tie(m.program().ProgNr, m.program().Verwendung, m.program().Kanalname[0], m.program().Kanalname[1], m.device.MessKanal) =
        std::tuple(123456, QStringLiteral("Schule Süd Turnhalle"), QStringLiteral("Flur"), QStringLiteral("Außenlicht"), 0);
    return m;
}

ProgramModel canonical738()
{
    ProgramModel m = modelForRow(20);
    addCommonEntries(m, 0, 9); // the 738 family addresses one channel by number
    addDstTable(m);
    std::tie(m.program().ProgNr, m.program().Verwendung) = std::tuple(42, QStringLiteral("Bürogebäude Nord"));
    for (int c = 0; c < 16; ++c) m.program().Kanalname[static_cast<std::size_t>(c)] = QStringLiteral("K%1").arg(c + 1);
    fillAstro(m, 0);
    fillAstro(m, 3);
    return m;
}

ProgramModel canonical752()
{
    ProgramModel m = modelForRow(19);
    addCommonEntries(m, 0b01, 0b10);
    std::tie(m.program().Verwendung, m.program().Kanalname[0], m.program().Schreibschutz, m.device.AstroC1C2) = std::tuple(QStringLiteral("Parkplatz"), QStringLiteral("Leuchten"), 1, 1);
    AstroProgram& a = m.program().astro;
    std::tie(a.AstroLaenge, a.AstroBreite, a.AstroZone, a.AstroOffsetAuf, a.AstroOffsetUnter) = std::tuple(-8.5f, 49.5f, -60, -15, 20);
    fillAstro(m, 0);
    return m;
}

QString saveProgramAs(ProgramModel& model, const QString& path, bool yes)
{
    model.program().Dateiname = path;
    ScriptedInteraction ui = ScriptedInteraction::answering(yes);
    return SaveProgram(model, ui).result == 1 ? path : QString();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

QString testData(const QString& relative) { return QStringLiteral(ZENDRIK_TEST_DATA "/") + relative; }

TextTable textsIn(int language)
{
    TextTable t;
    (t.*(language == 2 ? &TextTable::LoadEnglish : language == 3 ? &TextTable::LoadFrench : &TextTable::LoadGerman))(1);
    return t;
}

void expectGolden(const QString& relative, const QString& text)
{
    const QString file = testData(relative);
    if (qEnvironmentVariableIntValue("ZENDRIK_UPDATE_GOLDEN") == 1) { ASSERT_TRUE(writeFile(file, text.toUtf8())); }
    const QStringList want = QString::fromUtf8(readFile(file)).split(u'\n'), got = text.split(u'\n');
    for (qsizetype i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], want.value(i)) << "line " << i + 1 << " of " << file.toStdString();
    EXPECT_EQ(got.size(), want.size()) << file.toStdString();
}

} // namespace zendrik::test
