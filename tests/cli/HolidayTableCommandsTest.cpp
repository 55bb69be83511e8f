#include "calendar/FeiertagKalender.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "model/DstRowCodec.h"
#include "model/ProgramFile.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

const QString kData = QStringLiteral(ZENDRIK_SHIPPED_DATA);

ProgramModel Loaded(const QString& path)
{
    ProgramModel model = modelForRow(4);
    EXPECT_EQ(LoadProgram(model, path, kProgramSlot), LoadOk) << path.toStdString();
    return model;
}

} // namespace

TEST(HolidayCommands, SeveralYearsCsvAndIcsMatchTheCore)
{
    FeiertagTabelle table;
    ASSERT_EQ(table.read(QDir(kData).filePath(u"deutsch.hdy"_s)), FeiertagResult::Ok);
    const int set = table.findSet(u"Sachsen"_s);
    ASSERT_GE(set, 0);

    // The text output of one year stays as it was; more years repeat it per year.
    const auto saxony = [](const QStringList& more) {
        return RunCli(QStringList{"--dir", kData, "--lang", "de", "holidays", "2024", "--set", "Sachsen"} + more);
    };
    const QString one = saxony({}).out;
    const QString two = Succeeded(saxony({"--years", "2"}));
    EXPECT_TRUE(two.startsWith(one));
    EXPECT_EQ(two.count(u'\n'), 2 * one.count(u'\n'));
    EXPECT_EQ(Succeeded(saxony({"--years", "3", "--csv"})).toUtf8(), FeiertagCsv(FeiertagTermine(table, set, 2024, 3)));

    QTemporaryDir dir;
    const QString ics = dir.filePath(u"sachsen.ics"_s);
    Succeeded(saxony({"--years", "3", "--ics", ics}));
    const QByteArray text = readFile(ics);
    EXPECT_EQ(text.count("BEGIN:VEVENT"), static_cast<qsizetype>(FeiertagTermine(table, set, 2024, 3).size()));
    EXPECT_TRUE(text.startsWith("BEGIN:VCALENDAR\r\n"));

    for (const QStringList& args : {QStringList{"holidays", "2024", "--csv", "--ics", "x.ics"},
                                    QStringList{"holidays", "2080", "--years", "30"},
                                    QStringList{"holidays", "2024", "--years", "0"}}) {
        EXPECT_EQ(RunCli(QStringList{"--dir", kData} + args).exitCode, 2) << args.join(u' ').toStdString();
    }
    const CliRun unwritable = RunCli({"--dir", kData, "holidays", "2024", "--ics", dir.filePath(u"no/such/x.ics"_s)});
    EXPECT_EQ(unwritable.exitCode, 1);
}

TEST(HolidayCommands, DstTableFromZoneAndRows)
{
    QTemporaryDir dir;
    const QString in = QDir(kData).filePath(u"samples/Schule.zpg"_s);
    const QString out = dir.filePath(u"sydney.zpg"_s);
    const auto dstTable = [](const QStringList& args) {
        return RunCli(QStringList{"--dir", kData, "--lang", "de", "--type", "4", "dst-table"} + args);
    };
    EXPECT_EQ(Succeeded(dstTable({in, out, "--zone", "Australia/Sydney", "--first-year", "2025", "--years", "6"})),
              u"rows 6\nyears 2025..2030\n"_s);
    // The saved program holds the rows the core makes, for the years the list shows.
    const ProgramModel saved = Loaded(out);
    const SoWiZoneResult expected = SoWiZeilenAusZeitzone("Australia/Sydney", 2025, 6);
    ASSERT_EQ(saved.program().AnzSoWi, 6);
    EXPECT_EQ(SoWiBezugsjahr(saved.program()), 2025);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(DecodeDstRow(saved.program().SoWiTab[static_cast<std::size_t>(i)]), expected.rows[static_cast<std::size_t>(i)]);
    EXPECT_EQ(saved.device.SwRegel, SwTabelle);

    // Rows through the dialog's checks, appended.
    const QString more = dir.filePath(u"more.zpg"_s);
    Succeeded(dstTable({out, more, "--row", "4.10 2 1 5.4 3 1", "--row", "3.10 2 1 4.4 3 1"}));
    EXPECT_EQ(Loaded(more).program().AnzSoWi, 8);

    const std::pair<QStringList, int> refused[] = {
        {{"--row", "5.4 2 1 5.4 3 1"}, 1}, // the same day twice
        {{"--zone", "Asia/Tokyo", "--first-year", "2025"}, 1},
        {{"--zone", "Nowhere/City", "--first-year", "2025"}, 1},
        {{"--zone", "Europe/Berlin"}, 2}, // no first year
        {{"--row", "31.4 2 1 5.10 3 1"}, 2},
        {{"--row", "1.4 2 1"}, 2},
    };
    for (const auto& [args, code] : refused) {
        const CliRun r = dstTable(QStringList{out, dir.filePath(u"x.zpg"_s)} + args);
        EXPECT_EQ(r.exitCode, code) << args.join(u' ').toStdString() << r.err.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    const CliRun same = dstTable({out, dir.filePath(u"x.zpg"_s), "--row", "5.4 2 1 5.4 3 1"});
    EXPECT_TRUE(same.err.contains(u"Anfangs- und Enddatum gleich"_s)) << same.err.toStdString();
}
