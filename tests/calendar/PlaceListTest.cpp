#include "calendar/AstroScrollBars.h"
#include "calendar/PlaceList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

PlaceList TwoPlaces()
{
    PlaceList list;
    EXPECT_EQ(list.add(Place::fromLocation(QStringLiteral("Berlin"), -13.5f, 52.5f, -60)), PlaceFileResult::Ok);
    EXPECT_EQ(list.add(Place::fromLocation(QStringLiteral("Reykjavík, Ísland"), 22.0f, 64.0f, 0)), PlaceFileResult::Ok);
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
    EXPECT_EQ(BarOfOffset(-1000), 0);
    EXPECT_EQ(Place::fromLocation(QStringLiteral("x"), -13.4f, 52.3f, -67),
              Place::fromLocation(QStringLiteral("x"), -13.5f, 52.5f, -60));
}

// Each bar is stored as its maximum minus its value: Berlin (13.5 east,
// 52.5 north, +1:00) lies 27, 105 and 4 steps from the bars' centres.
TEST(PlaceList, FileRoundTrip)
{
    const PlaceList list = TwoPlaces();
    EXPECT_EQ(list.fileText(), QByteArray("2\r\n\"Berlin\",333,75,52\r\n\"Reykjav\xEDk, \xCDsland\",404,52,56\r\n"));
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

TEST(PlaceList, MalformedFilesLoadNothing)
{
    const struct {
        const char* data;
        PlaceFileResult expected;
    } cases[] = {
        {"", PlaceFileResult::Malformed},
        {"x\r\n", PlaceFileResult::Malformed},
        {"-1\r\n", PlaceFileResult::Malformed},
        {"2\r\n\"Berlin\",333,75,52\r\n", PlaceFileResult::Malformed},            // one record missing
        {"1\r\n\"Berlin\",333,75\r\n", PlaceFileResult::Malformed},               // one number missing
        {"1\r\n\"Berlin\",333,7.5,52\r\n", PlaceFileResult::Malformed},           // no whole number
        {"1\r\n\"Berlin\",333,75,52\r\n\"Extra\",1,2,3\r\n", PlaceFileResult::Malformed},
        {"1\r\n\"Berlin\",721,75,52\r\n", PlaceFileResult::ValueOutOfRange},
        {"1\r\n\"Berlin\",333,-1,52\r\n", PlaceFileResult::ValueOutOfRange},
        {"1\r\n\"Berlin\",333,75,113\r\n", PlaceFileResult::ValueOutOfRange},
    };
    for (const auto& c : cases) {
        PlaceList list = TwoPlaces();
        EXPECT_EQ(list.parse(c.data), c.expected) << c.data;
        EXPECT_EQ(list.places(), TwoPlaces().places()) << c.data;
    }
    PlaceList list = TwoPlaces();
    QTemporaryDir dir;
    EXPECT_EQ(list.read(dir.filePath(QStringLiteral("none.ord"))), PlaceFileResult::Missing);
    EXPECT_EQ(list.count(), 2);
}

TEST(PlaceList, AddAndRemoveRewriteTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("english.ord"));
    PlaceList list = TwoPlaces();
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("   "), 360, 180, 56)), PlaceFileResult::EmptyName);
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Say \"hi\""), 360, 180, 56)),
              PlaceFileResult::InvalidName);
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Far"), 800, 180, 56)),
              PlaceFileResult::ValueOutOfRange);
    ASSERT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Greenwich"), 360, 283, 56)), PlaceFileResult::Ok);
    ASSERT_EQ(list.removeAndWrite(path, 0), PlaceFileResult::Ok);
    EXPECT_EQ(list.removeAndWrite(path, 5), PlaceFileResult::NoSuchPlace);
    PlaceList reread;
    ASSERT_EQ(reread.read(path), PlaceFileResult::Ok);
    ASSERT_EQ(reread.count(), 2);
    EXPECT_EQ(reread.places()[0].name, QStringLiteral("Reykjavík, Ísland"));
    EXPECT_EQ(reread.places()[1].breite(), 51.5f);

    // A file that cannot be written leaves the list as it was.
    const QString nowhere = dir.filePath(QStringLiteral("missing-folder/deutsch.ord"));
    QString error;
    EXPECT_EQ(list.addAndWrite(nowhere, Place::fromBars(QStringLiteral("Kiel"), 340, 71, 52), &error),
              PlaceFileResult::WriteFailed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(list.removeAndWrite(nowhere, 0), PlaceFileResult::WriteFailed);
    EXPECT_EQ(list.places(), reread.places());
}
