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

class ShippedFiles : public ::testing::TestWithParam<const char*> {};

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
            EXPECT_EQ(p.zone(), -60) << p.name.toStdString();   // Central European Time
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
    const auto sachsen = SetDates("deutsch", "Sachsen", 2024);
    EXPECT_EQ(sachsen.at(QStringLiteral("Buß- und Bettag")), QDate(2024, 11, 20));
    EXPECT_EQ(sachsen.at(QStringLiteral("Karfreitag")), QDate(2024, 3, 29));
    EXPECT_EQ(sachsen.at(QStringLiteral("Christi Himmelfahrt")), QDate(2024, 5, 9));
    EXPECT_EQ(sachsen.at(QStringLiteral("Pfingstmontag")), QDate(2024, 5, 20));
    EXPECT_EQ(sachsen.at(QStringLiteral("Reformationstag")), QDate(2024, 10, 31));
    const auto bayern = SetDates("deutsch", "Bayern", 2025);
    EXPECT_EQ(bayern.at(QStringLiteral("Fronleichnam")), QDate(2025, 6, 19));
    EXPECT_EQ(bayern.size(), 13u);
    EXPECT_EQ(SetDates("deutsch", "Deutschland (bundesweit)", 2025).size(), 9u);

    const auto england = SetDates("english", "England and Wales", 2024);
    EXPECT_EQ(england.at(QStringLiteral("Early May bank holiday")), QDate(2024, 5, 6));
    EXPECT_EQ(england.at(QStringLiteral("Spring bank holiday")), QDate(2024, 5, 27));
    EXPECT_EQ(england.at(QStringLiteral("Summer bank holiday")), QDate(2024, 8, 26));
    const auto scotland = SetDates("english", "Scotland", 2024);
    EXPECT_EQ(scotland.at(QStringLiteral("August bank holiday (Scotland, Ireland)")), QDate(2024, 8, 5));
    EXPECT_EQ(scotland.at(QStringLiteral("2nd January")), QDate(2024, 1, 2));
    EXPECT_EQ(scotland.count(QStringLiteral("Easter Monday")), 0u);

    const auto france = SetDates("france", "France", 2024);
    EXPECT_EQ(france.at(QStringLiteral("Lundi de Pentecôte")), QDate(2024, 5, 20));
    EXPECT_EQ(france.size(), 11u);
    const auto alsace = SetDates("france", "Alsace-Moselle", 2024);
    EXPECT_EQ(alsace.at(QStringLiteral("Vendredi saint")), QDate(2024, 3, 29));
    EXPECT_EQ(alsace.at(QStringLiteral("Saint-Étienne")), QDate(2024, 12, 26));
    EXPECT_EQ(alsace.size(), 13u);
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

    // A kind of a newer version: nothing is taken, what was held stays.
    EXPECT_EQ(again.parse("1,0\r\n\"Later\",4,0,1,1\r\n"), FeiertagResult::NewerKind);
    EXPECT_EQ(again.Feiertage(), t.Feiertage());

    // Nor is such a file written over.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("english.hdy"));
    QFile newer(path);
    ASSERT_TRUE(newer.open(QIODevice::WriteOnly));
    newer.write("1,0\r\n\"Later\",4,0,1,1\r\n");
    newer.close();
    EXPECT_EQ(t.write(path), FeiertagResult::NewerKind);
    EXPECT_EQ(Bytes(path), QByteArray("1,0\r\n\"Later\",4,0,1,1\r\n"));
}
