#include "model/EntryBuilder.h"
#include "model/ProgramSort.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr int kRow = 4; // the four-channel switch
constexpr int kDaily = 127;
constexpr int kMoFr = 0b0011111;
constexpr int kFrSu = 0b1110000;

int Hm(int h, int m)
{
    return h * 60 + m;
}

class CheckDiffCommandsTest : public ::testing::Test {
protected:
    // A program of the four-channel switch: the entries in table order.
    // The programs change their clocks as in Europe unless told otherwise.
    QString save(const char* name, std::initializer_list<Entry> entries, int rule = 1)
    {
        ProgramModel m = modelForRow(kRow);
        m.device.SwRegel = rule;
        for (const Entry& e : entries)
            addEntry(m, e);
        SortProgram(m, 1, kProgramSlot);
        return saveProgramAs(m, QDir(dir.path()).filePath(QString::fromLatin1(name)));
    }

    CliRun run(const QString& lang, const QStringList& args) const
    {
        return RunCli(QStringList{"--dir", dir.path(), "--type", QString::number(kRow), "--lang", lang} + args);
    }

    // ON at 7:00 and OFF at 19:00 every day on C1: nothing to find.
    QString clean() { return save("SAUBER.zpg", {BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0)}); }
    // ON at 7:00 Mo-Fr against OFF at 7:00 Fr-Su: a clash on Fridays. The
    // list shows them in rows 1 and 3.
    QString clash() { return save("STREIT.zpg", {BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildWeeklyEntry(Hm(7, 0), kFrSu, 1, 0, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0)}); }

    QTemporaryDir dir;
};

struct LanguageCase {
    const char* lang;
    QString line;
};

TEST_F(CheckDiffCommandsTest, CheckPrintsOneLinePerFindingInEachLanguage)
{
    const QString file = clash();
    ASSERT_FALSE(file.isEmpty());
    const LanguageCase cases[] = {
        {"de", u"Fehler\tEIN und AUS zur selben Minute\tS1 S3\tC1 um 07:00: EIN und AUS zur selben Minute (Fr)\n"_s},
        {"en", u"Error\tON and OFF at the same minute\tS1 S3\tC1 at 07:00: ON and OFF at the same minute (Fr)\n"_s},
        {"fr", u"Erreur\tMARCHE et ARRÊT à la même minute\tS1 S3\tC1 à 07:00 : MARCHE et ARRÊT à la même minute (Ve)\n"_s},
    };
    for (const LanguageCase& c : cases) {
        const CliRun r = run(QString::fromLatin1(c.lang), {"check", file, "--year", "2026"});
        EXPECT_EQ(r.exitCode, 3) << c.lang << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, c.line) << c.lang;
    }
}

// A clean program has no findings, and a program does not differ from
// itself: nothing printed in any language, exit 0, the JSON lists empty.
TEST_F(CheckDiffCommandsTest, NothingFoundSaysNothingAndExitsZero)
{
    const QString file = clean();
    const struct {
        QStringList args;
        std::vector<const char*> emptyLists;
    } cases[] = {
        {{"check", file, "--year", "2026"}, {"findings"}},
        {{"diff", file, file}, {"header", "entries"}},
    };
    for (const auto& c : cases) {
        for (const char* lang : {"de", "en", "fr"}) {
            const CliRun r = run(QString::fromLatin1(lang), c.args);
            EXPECT_EQ(r.exitCode, 0) << lang << ": " << r.out.toStdString() << r.err.toStdString();
            EXPECT_EQ(r.out, QString()) << lang;
        }
        const QString json = Succeeded(run(u"en"_s, c.args + QStringList{"--json"}));
        const QJsonObject o = QJsonDocument::fromJson(json.toUtf8()).object();
        for (const char* list : c.emptyLists) {
            EXPECT_TRUE(o.value(QLatin1String(list)).isArray()) << list;
            EXPECT_TRUE(o.value(QLatin1String(list)).toArray().isEmpty()) << list;
        }
        if (c.args[0] == u"check"_s) {
            EXPECT_EQ(o.value(u"year"_s).toInt(), 2026);
        }
    }
}

TEST_F(CheckDiffCommandsTest, CheckJsonNamesCheckRowsChannelAndDay)
{
    const CliRun r = run(u"fr"_s, {"check", clash(), "--year", "2026", "--json"});
    ASSERT_EQ(r.exitCode, 3) << r.err.toStdString();
    const QJsonArray findings = QJsonDocument::fromJson(r.out.toUtf8()).object().value(u"findings"_s).toArray();
    ASSERT_EQ(findings.size(), 1);
    const QJsonObject f = findings.at(0).toObject();
    EXPECT_EQ(f.value(u"check"_s).toString(), u"same-minute-clash"_s);
    EXPECT_EQ(f.value(u"severity"_s).toString(), u"error"_s);
    EXPECT_EQ(f.value(u"name"_s).toString(), u"MARCHE et ARRÊT à la même minute"_s);
    EXPECT_EQ(f.value(u"channel"_s).toInt(), 1);
    // The first Friday of 2026.
    EXPECT_EQ(f.value(u"date"_s).toString(), u"2026-01-02"_s);
    const QJsonArray rows = f.value(u"rows"_s).toArray();
    // The list sorts the daily OFF between the two 7:00 entries.
    ASSERT_EQ(rows.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(rows.at(i).toObject().value(u"list"_s).toString(), u"switching"_s);
        EXPECT_EQ(rows.at(i).toObject().value(u"row"_s).toInt(), 2 * i + 1);
    }
    EXPECT_FALSE(f.value(u"explanation"_s).toString().isEmpty());
}

TEST_F(CheckDiffCommandsTest, SummerWinterChecksInEachLanguage)
{
    const std::initializer_list<Entry> day = {BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0),
                                              BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0)};
    struct Case {
        QString file;
        const char* check;
        const char* severity;
    };
    // The shipped astro sample (Hamburg) goes back on 31 October 2027 with the
    // device counting the day as summer time.
    const QString parkplatz = QDir(dir.path()).filePath(u"Parkplatz.zpg"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/samples/Parkplatz.zpg"), parkplatz));
    const Case cases[] = {
        {save("KEINE.zpg", day, 0), "no-changeover", "warning"},
        {save("UK.zpg", day, 2), "rule-differs-from-zone", "warning"},
        {parkplatz, "changeover-day-astro", "info"},
    };
    for (const char* lang : {"de", "en", "fr"}) {
        QStringList names;
        for (const Case& c : cases) {
            const QString type = c.file == parkplatz ? u"19"_s : QString::number(kRow);
            const CliRun r = RunCli({"--dir", dir.path(), "--type", type, "--lang", QString::fromLatin1(lang), "check",
                                     c.file, "--year", "2027", "--json"});
            EXPECT_EQ(r.exitCode, 3) << lang << ' ' << c.check << r.err.toStdString();
            const QJsonArray findings = QJsonDocument::fromJson(r.out.toUtf8()).object().value(u"findings"_s).toArray();
            const auto it = std::find_if(findings.begin(), findings.end(), [&c](const QJsonValue& v) {
                return v.toObject().value(u"check"_s).toString() == QLatin1String(c.check);
            });
            ASSERT_NE(it, findings.end()) << lang << ' ' << c.check;
            const QJsonObject f = it->toObject();
            EXPECT_EQ(f.value(u"severity"_s).toString(), QLatin1String(c.severity)) << c.check;
            names << f.value(u"name"_s).toString();
            if (QLatin1String(c.check) == QLatin1String("rule-differs-from-zone")) {
                EXPECT_EQ(f.value(u"zone"_s).toString(), u"Europe/London"_s);
                EXPECT_EQ(f.value(u"firstYear"_s).toInt(), 2026);
                EXPECT_EQ(f.value(u"date"_s).toString(), u"2027-10-24"_s);
            }
        }
        names.removeDuplicates();
        EXPECT_EQ(names.size(), 3) << lang;
    }
    // The table the finding offers mends it: filled from the zone, the
    // program follows London.
    const QString mended = QDir(dir.path()).filePath(u"UK-TAB.zpg"_s);
    ASSERT_EQ(run(u"en"_s, {"dst-table", cases[1].file, mended, "--zone", "Europe/London", "--first-year", "2026"}).exitCode, 0);
    const CliRun after = run(u"en"_s, {"check", mended, "--year", "2027", "--json"});
    EXPECT_FALSE(after.out.contains(u"rule-differs-from-zone"_s)) << after.out.toStdString();
    EXPECT_FALSE(after.out.contains(u"table-weekday"_s));
}

TEST_F(CheckDiffCommandsTest, InputRefusedExitsOne)
{
    const QString garbage = QDir(dir.path()).filePath(u"KAPUTT.zpg"_s);
    ASSERT_TRUE(writeFile(garbage, QByteArray("not a program", 13)));
    const QString missing = QDir(dir.path()).filePath(u"FEHLT.zpg"_s);
    const QString file = clean();
    const QStringList cases[] = {
        {"check", missing},
        {"check", garbage},
        {"check", garbage, "--json"},
        {"diff", file, missing},
        {"diff", missing, file},
        {"diff", file, garbage},
    };
    for (const char* lang : {"de", "en", "fr"}) {
        for (const QStringList& args : cases) {
            const CliRun r = run(QString::fromLatin1(lang), args);
            EXPECT_EQ(r.exitCode, 1) << lang << " " << args.join(u' ').toStdString();
            EXPECT_FALSE(r.err.isEmpty()) << lang << " " << args.join(u' ').toStdString();
            EXPECT_TRUE(r.out.isEmpty()) << lang << " " << args.join(u' ').toStdString();
        }
    }
    // Wrong use is told apart from a refused file.
    EXPECT_EQ(run(u"de"_s, {"check"}).exitCode, 2);
    EXPECT_EQ(run(u"de"_s, {"check", file, "--year", "1800"}).exitCode, 2);
    EXPECT_EQ(run(u"de"_s, {"diff", file}).exitCode, 2);
}

TEST_F(CheckDiffCommandsTest, DiffShowsAChangedStateInEachLanguage)
{
    const QString first = clean();
    // The evening entry switches ON instead of OFF.
    const QString second = save("ANDERS.zpg", {BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0), BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 1, 0, 0)});
    // The one line speaks the chosen language.
    const LanguageCase cases[] = {{"de", u"Zustand"_s}, {"en", u"state"_s}, {"fr", u"état"_s}};
    for (const LanguageCase& c : cases) {
        const CliRun r = run(QString::fromLatin1(c.lang), {"diff", first, second});
        EXPECT_EQ(r.exitCode, 3) << c.lang << ": " << r.err.toStdString();
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 1) << c.lang << ": " << r.out.toStdString();
        EXPECT_TRUE(lines[0].startsWith(u'~')) << lines[0].toStdString();
        EXPECT_TRUE(lines[0].contains(u"19:00"_s)) << lines[0].toStdString();
        EXPECT_TRUE(lines[0].contains(c.line)) << lines[0].toStdString();
    }

    const CliRun json = run(u"en"_s, {"diff", first, second, "--json"});
    ASSERT_EQ(json.exitCode, 3);
    const QJsonArray entries = QJsonDocument::fromJson(json.out.toUtf8()).object().value(u"entries"_s).toArray();
    ASSERT_EQ(entries.size(), 1);
    const QJsonObject d = entries.at(0).toObject();
    EXPECT_EQ(d.value(u"kind"_s).toString(), u"changed"_s);
    EXPECT_EQ(d.value(u"fields"_s).toArray(), QJsonArray{u"state"_s});
    EXPECT_EQ(d.value(u"first"_s).toObject().value(u"row"_s).toInt(), 2);
    EXPECT_EQ(d.value(u"second"_s).toObject().value(u"row"_s).toInt(), 2);
}

TEST_F(CheckDiffCommandsTest, DiffOfAMovedEntryAndAChangedHeader)
{
    const QString first = clean();
    ProgramModel m = modelForRow(kRow);
    m.device.SwRegel = 1; // as clean()
    addEntry(m, BuildWeeklyEntry(Hm(7, 30), kDaily, 1, 1, 0, 0));
    addEntry(m, BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0));
    m.program().Verwendung = u"Turnhalle"_s;
    const QString second = saveProgramAs(m, QDir(dir.path()).filePath(u"VERSCH.zpg"_s));
    const CliRun r = run(u"en"_s, {"diff", first, second, "--json"});
    ASSERT_EQ(r.exitCode, 3) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    const QJsonArray entries = o.value(u"entries"_s).toArray();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(0).toObject().value(u"kind"_s).toString(), u"only-in-first"_s);
    EXPECT_TRUE(entries.at(0).toObject().value(u"second"_s).isNull());
    EXPECT_EQ(entries.at(1).toObject().value(u"kind"_s).toString(), u"only-in-second"_s);
    EXPECT_TRUE(entries.at(1).toObject().value(u"first"_s).isNull());
    const QJsonArray header = o.value(u"header"_s).toArray();
    ASSERT_EQ(header.size(), 1);
    EXPECT_EQ(header.at(0).toObject().value(u"field"_s).toString(), u"description"_s);
    EXPECT_EQ(header.at(0).toObject().value(u"second"_s).toString(), u"Turnhalle"_s);

    const CliRun text = run(u"de"_s, {"diff", first, second});
    EXPECT_EQ(text.exitCode, 3);
    const QStringList lines = text.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << text.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(u'*'));
    EXPECT_TRUE(lines[0].contains(u"Turnhalle"_s));
    EXPECT_TRUE(lines[1].startsWith(u'-'));
    EXPECT_TRUE(lines[2].startsWith(u'+'));
}

} // namespace
