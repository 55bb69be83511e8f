#include "calendar/PlaceList.h"
#include "calendar/AstroScrollBars.h"
#include "calendar/SequentialItems.h"
#include "tests/support/TestPrograms.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace Qt::StringLiterals;

namespace {

PlaceList TwoPlaces()
{
    PlaceList list;
    EXPECT_EQ(list.add(Place::fromLocation(QStringLiteral("Berlin"), -13.5f, 52.5f, -60)), PlaceFileResult::Ok);
    EXPECT_EQ(list.add(Place::fromLocation(QStringLiteral("Tórshavn Ísland"), 7.0f, 60.0f, 0)), PlaceFileResult::Ok);
    return list;
}

} // namespace

TEST(AstroScrollBars, BarsRoundTripAndRoundToTheirSteps)
{
    EXPECT_EQ(LaengeOfBar(0), 180.0f);
    EXPECT_EQ(BreiteOfBar(0), -90.0f);
    EXPECT_EQ(ZoneOfBar(kZoneBarMax), -14 * 60);
    EXPECT_EQ(OffsetOfBar(kOffsetBarMax / 2 - 7), -7);
    for (int v = 0; v <= kLaengeBarMax; ++v)
        ASSERT_EQ(BarOfLaenge(LaengeOfBar(v)), v);
    for (int v = 0; v <= kBreiteBarMax; ++v)
        ASSERT_EQ(BarOfBreite(BreiteOfBar(v)), v);
    for (int v = 0; v <= kZoneBarMax; ++v)
        ASSERT_EQ(BarOfZone(ZoneOfBar(v)), v);
    for (int v = 0; v <= kOffsetBarMax; ++v)
        ASSERT_EQ(BarOfOffset(OffsetOfBar(v)), v);
    EXPECT_EQ(BarOfBreite(120.0f), kBreiteBarMax);
    // Typed numbers (east and north positive, zone as displayed) snap to the
    // steps and stay within what the dialog offers.
    const struct {
        int bar, expected;
    } typed[] = {
        {BarOfTypedLongitude(13.4), BarOfLaenge(-13.5f)},
        {BarOfTypedLongitude(-200.0), 0},
        {BarOfTypedLongitude(181.0), kLaengeBarMax},
        {BarOfTypedLatitude(52.3), BarOfBreite(52.5f)},
        {BarOfTypedLatitude(64.0), kBreiteRange.high},
        {BarOfTypedLatitude(-89.0), kBreiteRange.low},
        {BarOfTypedZone(1.0), BarOfZone(-60)},
        {BarOfTypedZone(5.8), BarOfZone(-345)},
        {BarOfTypedZone(-14.0), kZoneRange.low},
        {BarOfTypedOffset(-150), 0},
    };
    for (const auto& t : typed)
        EXPECT_EQ(t.bar, t.expected);
    EXPECT_EQ(std::tuple(kBreiteRange.low, kBreiteRange.high, kZoneRange.low, kZoneRange.high),
              std::tuple(BarOfBreite(-60.0f), BarOfBreite(60.0f), BarOfZone(720), BarOfZone(-720)));
    EXPECT_EQ(TypedLongitudeOfBar(BarOfTypedLongitude(-7.5)), -7.5);
    EXPECT_EQ(TypedZoneOfBar(BarOfTypedZone(-3.5)), -3.5);
    EXPECT_EQ(BarOfOffset(-1000), 0);
    EXPECT_EQ(Place::fromLocation(QStringLiteral("x"), -13.4f, 52.3f, -67),
              Place::fromLocation(QStringLiteral("x"), -13.5f, 52.5f, -60));
}

// Each bar is stored as its maximum minus its value: Berlin (13.5 east,
// 52.5 north, +1:00) lies 27, 105 and 4 steps from the bars' centres.
TEST(PlaceList, FileRoundTrip)
{
    const PlaceList list = TwoPlaces();
    EXPECT_EQ(list.fileText(), QByteArray("2\r\n\"Berlin\",333,75,52\r\n\"T\xF3rshavn \xCDsland\",374,60,56\r\n"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("deutsch.ord"));
    ASSERT_EQ(list.write(path), PlaceFileResult::Ok);
    PlaceList back;
    ASSERT_EQ(back.read(path), PlaceFileResult::Ok);
    EXPECT_EQ(back.places(), list.places());
    // Older writing styles: unquoted names, blanks, one item per line.
    ASSERT_EQ(back.parse("1\r\nZurich , 343 , 85 , 52 \r\n\r\n"), PlaceFileResult::Ok);
    EXPECT_EQ(back.places()[0], (Place{QStringLiteral("Zurich"), 343, 85, 52}));
    ASSERT_EQ(back.parse("1\n\"Wien\"\n327\n84\n52\n"), PlaceFileResult::Ok);
    EXPECT_EQ(back.places()[0], (Place{QStringLiteral("Wien"), 327, 84, 52}));
}

TEST(PlaceList, DamagedFilesLoadNothingShortFilesTheirRecords)
{
    const struct {
        const char* data;
        PlaceFileResult expected;
    } damaged[] = {
        {"", PlaceFileResult::Malformed},
        {"x\r\n", PlaceFileResult::Malformed},
        {"-1\r\n", PlaceFileResult::Malformed},
        {"2\r\n\"Berlin\",333,x,52\r\n\"Kiel\",340,71,52\r\n", PlaceFileResult::Malformed}, // no number
        {"1\r\n\"Berlin\",333,7.5,52\r\n", PlaceFileResult::Malformed},                     // no whole number
        {"1\r\n\"Berlin\",333,75,52\r\n\"Extra\",1,2,3\r\n", PlaceFileResult::Malformed},
    };
    for (const auto& c : damaged) {
        PlaceList list = TwoPlaces();
        EXPECT_EQ(list.parse(c.data), c.expected) << c.data;
        EXPECT_EQ(list.places(), TwoPlaces().places()) << c.data;
    }

    // A count larger than the records: the records there are, no reading past the end.
    PlaceList list = TwoPlaces();
    ASSERT_EQ(list.parse("40000\r\n\"Berlin\",333,75,52\r\n"), PlaceFileResult::Malformed); // count beyond any list
    ASSERT_EQ(list.parse("9\r\n\"Berlin\",333,75,52\r\n\r\n"), PlaceFileResult::Ok);
    EXPECT_EQ(std::tuple(list.count(), list.endedEarly(), list.announced()), std::tuple(1, true, 9));
    ASSERT_EQ(list.parse("2\r\n\"Berlin\",333,75,52\r\n\"Kiel\",340"), PlaceFileResult::Ok); // last record cut
    EXPECT_EQ(list.places(), (std::vector{Place{u"Berlin"_s, 333, 75, 52}}));
    EXPECT_TRUE(list.endedEarly());

    // Records off the offered scales are left out and named: longitude past
    // 180 degrees, latitude past 60 degrees (64 north), zone past 12 hours.
    ASSERT_EQ(list.parse("5\r\n\"Far\",721,75,52\r\n\"Reykjavik\",404,52,56\r\n\"Berlin\",333,75,52\r\n"
                         "\"Tonga\",333,75,3\r\n\"Quito\",517,181,76\r\n"),
              PlaceFileResult::Ok);
    EXPECT_EQ(list.refused(), (QStringList{u"Far"_s, u"Reykjavik"_s, u"Tonga"_s}));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.places()[1].breite(), -0.5f);
    EXPECT_FALSE(list.endedEarly());

    // No file: an empty list; a folder or an oversized file under the name: not read.
    QTemporaryDir dir;
    EXPECT_EQ(list.read(dir.filePath(u"none.ord"_s)), PlaceFileResult::Missing);
    EXPECT_EQ(list.count(), 0);
    list = TwoPlaces();
    EXPECT_EQ(list.read(dir.path()), PlaceFileResult::Unreadable);
    const QString big = dir.filePath(u"big.ord"_s);
    ASSERT_TRUE(test::writeFile(big, "1\r\n\"Berlin\",333,75,52\r\n" + QByteArray(kMaxSmallFileBytes, ' ')));
    EXPECT_EQ(list.read(big), PlaceFileResult::Unreadable);
    EXPECT_EQ(list.places(), TwoPlaces().places());
}

TEST(PlaceList, AddAndRemoveRewriteTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("english.ord"));
    PlaceList list = TwoPlaces();
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("   "), 360, 180, 56)), PlaceFileResult::EmptyName);
    for (const QString& bad : {u"Say \"hi\""_s, u"Halle, Saale"_s, u"\u65e5\u672c"_s})
        EXPECT_EQ(list.addAndWrite(path, Place::fromBars(bad, 360, 180, 56)), PlaceFileResult::InvalidName);
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("North Cape"), 360, 322, 56)),
              PlaceFileResult::ValueOutOfRange);
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Far"), 800, 180, 56)),
              PlaceFileResult::ValueOutOfRange);
    ASSERT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Greenwich"), 360, 283, 56)), PlaceFileResult::Ok);
    ASSERT_EQ(list.removeAndWrite(path, 0), PlaceFileResult::Ok);
    EXPECT_EQ(list.removeAndWrite(path, 5), PlaceFileResult::NoSuchPlace);
    PlaceList reread;
    ASSERT_EQ(reread.read(path), PlaceFileResult::Ok);
    ASSERT_EQ(reread.count(), 2);
    EXPECT_EQ(std::pair(reread.places()[0].name, reread.places()[1].breite()), std::pair(QStringLiteral("Tórshavn Ísland"), 51.5f));

    // A file that cannot be written leaves the list as it was.
    const QString nowhere = dir.filePath(QStringLiteral("missing-folder/deutsch.ord"));
    QString error;
    EXPECT_EQ(list.addAndWrite(nowhere, Place::fromBars(QStringLiteral("Kiel"), 340, 71, 52), &error),
              PlaceFileResult::WriteFailed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(list.removeAndWrite(nowhere, 0), PlaceFileResult::WriteFailed);
    EXPECT_EQ(list.places(), reread.places());
}
