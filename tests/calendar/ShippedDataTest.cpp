#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"

#include <QDate>
#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace zendrik;

namespace {

QString Shipped(const char* name)
{
    return QStringLiteral(ZENDRIK_SHIPPED_DATA "/") + QString::fromLatin1(name);
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const Feiertag* Named(const FeiertagTabelle& t, const QString& name)
{
    for (const Feiertag& f : t.Feiertage()) {
        if (f.Name == name)
            return &f;
    }
    return nullptr;
}

// The dates of a set in a year, by holiday name.
std::map<QString, QDate> SetDates(const FeiertagTabelle& t, const QString& set, int year)
{
    std::map<QString, QDate> out;
    const int s = t.findSet(set);
    EXPECT_GE(s, 0) << set.toStdString();
    if (s < 0)
        return out;
    for (const int m : t.Sets()[static_cast<std::size_t>(s)].SetGlied) {
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

TEST_P(ShippedFiles, PlaceFilesLoadAndRoundTrip)
{
    const QString path = Shipped(GetParam()) + QStringLiteral(".ord");
    PlaceList list;
    ASSERT_EQ(list.read(path), PlaceFileResult::Ok);
    EXPECT_GE(list.count(), 40);
    std::set<QString> names;
    for (const Place& p : list.places()) {
        names.insert(p.name);
        // Real places of Europe and the French-speaking world, whole time zones.
        EXPECT_GE(p.breite(), 35.0f) << p.name.toStdString();
        EXPECT_LE(p.breite(), 65.0f) << p.name.toStdString();
        EXPECT_EQ(p.zone() % 60, 0) << p.name.toStdString();
    }
    EXPECT_EQ(names.size(), list.places().size());
    EXPECT_EQ(list.fileText(), Bytes(path));
}

TEST_P(ShippedFiles, HolidayFilesLoadAndRoundTrip)
{
    const QString path = Shipped(GetParam()) + QStringLiteral(".hdy");
    FeiertagTabelle t;
    ASSERT_EQ(t.read(path), FeiertagResult::Ok);
    EXPECT_GE(t.AnzSets(), 4);
    for (const FeiertagSet& s : t.Sets())
        EXPECT_GE(s.SetGlied.size(), 8u) << s.SetName.toStdString();
    EXPECT_EQ(t.fileText(), Bytes(path));
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedFiles, ::testing::Values("deutsch", "english", "france"));

TEST(ShippedData, GermanPlacesAndZones)
{
    PlaceList list;
    ASSERT_EQ(list.read(Shipped("deutsch.ord")), PlaceFileResult::Ok);
    const Place& berlin = list.places().front();
    EXPECT_EQ(berlin.name, QStringLiteral("Berlin"));
    EXPECT_EQ(berlin.laenge(), -13.5f);
    EXPECT_EQ(berlin.breite(), 52.5f);
    EXPECT_EQ(berlin.zone(), -60);
    for (const Place& p : list.places())
        EXPECT_EQ(p.zone(), -60) << p.name.toStdString();
}

TEST(ShippedData, GermanSetsGiveTheRealDates)
{
    FeiertagTabelle t;
    ASSERT_EQ(t.read(Shipped("deutsch.hdy")), FeiertagResult::Ok);
    const auto sachsen = SetDates(t, QStringLiteral("Sachsen"), 2024);
    EXPECT_EQ(sachsen.at(QStringLiteral("Buß- und Bettag")), QDate(2024, 11, 20));
    EXPECT_EQ(sachsen.at(QStringLiteral("Karfreitag")), QDate(2024, 3, 29));
    EXPECT_EQ(sachsen.at(QStringLiteral("Ostermontag")), QDate(2024, 4, 1));
    EXPECT_EQ(sachsen.at(QStringLiteral("Christi Himmelfahrt")), QDate(2024, 5, 9));
    EXPECT_EQ(sachsen.at(QStringLiteral("Pfingstmontag")), QDate(2024, 5, 20));
    EXPECT_EQ(sachsen.at(QStringLiteral("Reformationstag")), QDate(2024, 10, 31));
    const auto bayern = SetDates(t, QStringLiteral("Bayern"), 2025);
    EXPECT_EQ(bayern.at(QStringLiteral("Fronleichnam")), QDate(2025, 6, 19));
    EXPECT_EQ(bayern.at(QStringLiteral("Heilige Drei Könige")), QDate(2025, 1, 6));
    EXPECT_EQ(bayern.size(), 13u);
    EXPECT_EQ(SetDates(t, QStringLiteral("Deutschland (bundesweit)"), 2025).size(), 9u);
    ASSERT_NE(Named(t, QStringLiteral("Buß- und Bettag")), nullptr);
    EXPECT_EQ(Named(t, QStringLiteral("Buß- und Bettag"))->Art, FeiertagFrei);
}

TEST(ShippedData, BritishBankHolidays)
{
    FeiertagTabelle t;
    ASSERT_EQ(t.read(Shipped("english.hdy")), FeiertagResult::Ok);
    const auto england = SetDates(t, QStringLiteral("England and Wales"), 2024);
    EXPECT_EQ(england.at(QStringLiteral("Early May bank holiday")), QDate(2024, 5, 6));
    EXPECT_EQ(england.at(QStringLiteral("Spring bank holiday")), QDate(2024, 5, 27));
    EXPECT_EQ(england.at(QStringLiteral("Summer bank holiday")), QDate(2024, 8, 26));
    EXPECT_EQ(england.at(QStringLiteral("Good Friday")), QDate(2024, 3, 29));
    const auto scotland = SetDates(t, QStringLiteral("Scotland"), 2024);
    EXPECT_EQ(scotland.at(QStringLiteral("August bank holiday (Scotland, Ireland)")), QDate(2024, 8, 5));
    EXPECT_EQ(scotland.count(QStringLiteral("Easter Monday")), 0u);
    EXPECT_EQ(scotland.at(QStringLiteral("2nd January")), QDate(2024, 1, 2));
}

TEST(ShippedData, FrenchHolidaysAndAlsaceMoselle)
{
    FeiertagTabelle t;
    ASSERT_EQ(t.read(Shipped("france.hdy")), FeiertagResult::Ok);
    const auto france = SetDates(t, QStringLiteral("France"), 2024);
    EXPECT_EQ(france.size(), 11u);
    EXPECT_EQ(france.at(QStringLiteral("Lundi de Pentecôte")), QDate(2024, 5, 20));
    EXPECT_EQ(france.at(QStringLiteral("Ascension")), QDate(2024, 5, 9));
    const auto alsace = SetDates(t, QStringLiteral("Alsace-Moselle"), 2024);
    EXPECT_EQ(alsace.size(), 13u);
    EXPECT_EQ(alsace.at(QStringLiteral("Vendredi saint")), QDate(2024, 3, 29));
    EXPECT_EQ(alsace.at(QStringLiteral("Saint-Étienne")), QDate(2024, 12, 26));
}
