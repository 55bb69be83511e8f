#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagKalender.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace zendrik;

namespace {

QString Shipped(const char* name, const char* suffix)
{
    return QStringLiteral(ZENDRIK_SHIPPED_DATA "/%1%2").arg(QLatin1String(name), QLatin1String(suffix));
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The dates of a set's holidays in a year, by name.
std::map<QString, QDate> SetDates(const char* file, const char* set, int year)
{
    FeiertagTabelle t;
    EXPECT_EQ(t.read(Shipped(file, ".hdy")), FeiertagResult::Ok);
    const int s = t.findSet(QString::fromUtf8(set));
    EXPECT_GE(s, 0) << set;
    std::map<QString, QDate> out;
    for (const int m : s < 0 ? std::vector<int>{} : t.Sets()[static_cast<std::size_t>(s)].SetGlied) {
        const Feiertag& f = t.Feiertage()[static_cast<std::size_t>(m)];
        const auto d = FeiertagDatum(f, year);
        EXPECT_TRUE(d.has_value()) << f.Name.toStdString();
        if (d)
            out[f.Name] = QDate(d->year, d->month, d->day);
    }
    return out;
}

} // namespace

class ShippedFiles : public ::testing::TestWithParam<const char*> { };

TEST_P(ShippedFiles, LoadAndRoundTrip)
{
    PlaceList places;
    ASSERT_EQ(places.read(Shipped(GetParam(), ".ord")), PlaceFileResult::Ok);
    EXPECT_GE(places.count(), 40);
    const bool german = QLatin1String(GetParam()) == QLatin1String("deutsch");
    if (german)
        EXPECT_EQ(places.places().front(), Place::fromLocation(QStringLiteral("Berlin"), -13.5f, 52.5f, -60));
    std::set<QString> names;
    for (const Place& p : places.places()) {
        names.insert(p.name);
        // Places of Europe and the French-speaking world, whole-hour zones.
        EXPECT_GE(p.breite(), 35.0f) << p.name.toStdString();
        EXPECT_LE(p.breite(), 65.0f) << p.name.toStdString();
        EXPECT_EQ(p.zone() % 60, 0) << p.name.toStdString();
        if (german)
            EXPECT_EQ(p.zone(), -60) << p.name.toStdString(); // Central European Time
    }
    EXPECT_EQ(names.size(), places.places().size());
    EXPECT_EQ(places.fileText(), Bytes(Shipped(GetParam(), ".ord")));

    FeiertagTabelle holidays;
    ASSERT_EQ(holidays.read(Shipped(GetParam(), ".hdy")), FeiertagResult::Ok);
    EXPECT_GE(holidays.AnzSets(), 4);
    for (const FeiertagSet& s : holidays.Sets())
        EXPECT_GE(s.SetGlied.size(), 8u) << s.SetName.toStdString();
    EXPECT_EQ(holidays.fileText(), Bytes(Shipped(GetParam(), ".hdy")));
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedFiles, ::testing::Values("deutsch", "english", "france"));

TEST(ShippedData, SetsGiveTheRealDates)
{
    const struct {
        const char* file;
        const char* set;
        int year;
        std::size_t size;                                 // 0: not checked
        std::vector<std::pair<const char*, QDate>> dates; // an invalid date: not in the set
    } cases[] = {
        {"deutsch", "Sachsen", 2024, 0, {{"Buß- und Bettag", {2024, 11, 20}}, {"Karfreitag", {2024, 3, 29}}, {"Christi Himmelfahrt", {2024, 5, 9}}, {"Pfingstmontag", {2024, 5, 20}}, {"Reformationstag", {2024, 10, 31}}}},
        {"deutsch", "Bayern", 2025, 13, {{"Fronleichnam", {2025, 6, 19}}}},
        {"deutsch", "Deutschland (bundesweit)", 2025, 9, {}},
        {"english", "England and Wales", 2024, 0, {{"Early May bank holiday", {2024, 5, 6}}, {"Spring bank holiday", {2024, 5, 27}}, {"Summer bank holiday", {2024, 8, 26}}}},
        {"english", "Scotland", 2024, 0, {{"August bank holiday (Scotland, Ireland)", {2024, 8, 5}}, {"2nd January", {2024, 1, 2}}, {"Easter Monday", {}}}},
        {"france", "France", 2024, 11, {{"Lundi de Pentecôte", {2024, 5, 20}}}},
        {"france", "Alsace-Moselle", 2024, 13, {{"Vendredi saint", {2024, 3, 29}}, {"Saint-Étienne", {2024, 12, 26}}}},
    };
    for (const auto& c : cases) {
        const auto dates = SetDates(c.file, c.set, c.year);
        if (c.size)
            EXPECT_EQ(dates.size(), c.size) << c.set;
        for (const auto& [name, date] : c.dates) {
            const auto it = dates.find(QString::fromUtf8(name));
            EXPECT_EQ(it == dates.end() ? QDate() : it->second, date) << c.set << ": " << name;
        }
    }
}

TEST(ShippedData, SubstituteBankHolidays)
{
    struct Case {
        const char* set;
        int year;
        std::vector<QDate> substitutes;
    };
    const Case cases[] = {
        // Christmas on a Saturday, Boxing Day on the Sunday: Monday and Tuesday.
        {"England and Wales", 2027, {QDate(2027, 12, 27), QDate(2027, 12, 28)}},
        {"England and Wales", 2028, {QDate(2028, 1, 3)}},
        // Christmas on a Sunday: Boxing Day is the Monday, the substitute the Tuesday.
        {"England and Wales", 2022, {QDate(2022, 1, 3), QDate(2022, 12, 27)}},
        {"Scotland", 2022, {QDate(2022, 1, 3), QDate(2022, 1, 4), QDate(2022, 12, 27)}},
        {"Northern Ireland", 2026, {QDate(2026, 7, 13), QDate(2026, 12, 28)}},
        {"Ireland", 2024, {QDate(2024, 3, 18)}},
        {"England and Wales", 2025, {}},
    };
    FeiertagTabelle t;
    ASSERT_EQ(t.read(Shipped("english", ".hdy")), FeiertagResult::Ok);
    for (const Case& c : cases) {
        std::vector<QDate> found;
        for (const FeiertagTermin& termin : FeiertagTermine(t, t.findSet(QString::fromUtf8(c.set)), c.year, 1, QStringLiteral("*"))) {
            EXPECT_EQ(termin.ersatz, termin.name.endsWith(QLatin1Char('*')));
            if (termin.ersatz)
                found.push_back(QDate(termin.date.year, termin.date.month, termin.date.day));
        }
        EXPECT_EQ(found, c.substitutes) << c.set << ' ' << c.year;
    }
}

TEST(HolidayFile, SubstituteKindRoundTripsAndANewerKindIsRefusedNotMisread)
{
    FeiertagTabelle t;
    ASSERT_EQ(t.parse("2,0\r\n\"Christmas Day\",3,0,25,12\r\n\"Boxing Day\",0,0,26,12\r\n"), FeiertagResult::Ok);
    EXPECT_EQ(t.Feiertage().front().Art, FeiertagFestErsatz);
    FeiertagTabelle again;
    ASSERT_EQ(again.parse(t.fileText()), FeiertagResult::Ok);
    EXPECT_EQ(again.Feiertage(), t.Feiertage());
    // A file with a kind of a newer version is not written over.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("english.hdy"));
    {
        QFile newer(path);
        ASSERT_TRUE(newer.open(QIODevice::WriteOnly));
        newer.write("1,0\r\n\"Later\",4,0,1,1\r\n");
    }
    EXPECT_EQ(t.write(path), FeiertagResult::NewerKind);
    EXPECT_EQ(Bytes(path), QByteArray("1,0\r\n\"Later\",4,0,1,1\r\n"));
}
