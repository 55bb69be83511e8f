#include "calendar/AstroScrollBars.h"
#include "calendar/PlaceList.h"

#include <QDir>
#include <QFile>
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

bool WriteBytes(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace

TEST(AstroScrollBars, CentreIsZeroAndStepsAreFixed)
{
    EXPECT_EQ(LaengeOfBar(kLaengeBarMax / 2), 0.0f);
    EXPECT_EQ(LaengeOfBar(kLaengeBarMax / 2 + 1), -0.5f);   // one step east
    EXPECT_EQ(BreiteOfBar(kBreiteBarMax / 2 + 1), 0.5f);    // one step north
    EXPECT_EQ(ZoneOfBar(kZoneBarMax / 2 + 4), -60);          // displayed +1:00
    EXPECT_EQ(OffsetOfBar(kOffsetBarMax / 2 - 7), -7);
    EXPECT_EQ(LaengeOfBar(0), 180.0f);
    EXPECT_EQ(BreiteOfBar(0), -90.0f);
    EXPECT_EQ(ZoneOfBar(kZoneBarMax), -14 * 60);
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
}

TEST(Place, StoresMaximumMinusBarValue)
{
    // 13.5 east is 27 steps east of the centre, 52.5 north 105 steps north,
    // +1:00 four quarter hours up; the file keeps maximum - value.
    const Place berlin = Place::fromLocation(QStringLiteral("Berlin"), -13.5f, 52.5f, -60);
    EXPECT_EQ(berlin.laengeStored, kLaengeBarMax - (kLaengeBarMax / 2 + 27));
    EXPECT_EQ(berlin.breiteStored, kBreiteBarMax - (kBreiteBarMax / 2 + 105));
    EXPECT_EQ(berlin.zoneStored, kZoneBarMax - (kZoneBarMax / 2 + 4));
    EXPECT_EQ(berlin.laenge(), -13.5f);
    EXPECT_EQ(berlin.breite(), 52.5f);
    EXPECT_EQ(berlin.zone(), -60);
    // Positions are rounded to the bars' steps.
    const Place rounded = Place::fromLocation(QStringLiteral("x"), -13.4f, 52.3f, -67);
    EXPECT_EQ(rounded.laenge(), -13.5f);
    EXPECT_EQ(rounded.breite(), 52.5f);
    EXPECT_EQ(rounded.zone(), -60);
}

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
    EXPECT_EQ(back.places()[1].name, QStringLiteral("Reykjavík, Ísland"));
}

TEST(PlaceList, ReadsOlderWritingStyles)
{
    PlaceList list;
    ASSERT_EQ(list.parse("1\r\nZurich , 343 , 85 , 52 \r\n\r\n"), PlaceFileResult::Ok);
    EXPECT_EQ(list.places()[0], (Place{QStringLiteral("Zurich"), 343, 85, 52}));
    ASSERT_EQ(list.parse("1\n\"Wien\"\n327\n84\n52\n"), PlaceFileResult::Ok);
    EXPECT_EQ(list.places()[0], (Place{QStringLiteral("Wien"), 327, 84, 52}));
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
    ASSERT_EQ(list.write(path), PlaceFileResult::Ok);

    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("   "), 360, 180, 56)), PlaceFileResult::EmptyName);
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Say \"hi\""), 360, 180, 56)),
              PlaceFileResult::InvalidName);
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Far"), 800, 180, 56)),
              PlaceFileResult::ValueOutOfRange);
    EXPECT_EQ(list.count(), 2);

    ASSERT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Greenwich"), 360, 283, 56)), PlaceFileResult::Ok);
    PlaceList reread;
    ASSERT_EQ(reread.read(path), PlaceFileResult::Ok);
    ASSERT_EQ(reread.count(), 3);
    EXPECT_EQ(reread.places()[2].laengeBar(), 360);
    EXPECT_EQ(reread.places()[2].breite(), 51.5f);

    ASSERT_EQ(list.removeAndWrite(path, 0), PlaceFileResult::Ok);
    ASSERT_EQ(reread.read(path), PlaceFileResult::Ok);
    ASSERT_EQ(reread.count(), 2);
    EXPECT_EQ(reread.places()[0].name, QStringLiteral("Reykjavík, Ísland"));
    EXPECT_EQ(list.removeAndWrite(path, 5), PlaceFileResult::NoSuchPlace);
}

TEST(PlaceList, FailedWriteKeepsTheList)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/deutsch.ord"));
    PlaceList list = TwoPlaces();
    QString error;
    EXPECT_EQ(list.addAndWrite(path, Place::fromBars(QStringLiteral("Kiel"), 340, 71, 52), &error),
              PlaceFileResult::WriteFailed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(list.places(), TwoPlaces().places());
    EXPECT_EQ(list.removeAndWrite(path, 0), PlaceFileResult::WriteFailed);
    EXPECT_EQ(list.count(), 2);
    ASSERT_TRUE(WriteBytes(dir.filePath(QStringLiteral("ok.ord")), "0\r\n"));
    EXPECT_EQ(list.read(dir.filePath(QStringLiteral("ok.ord"))), PlaceFileResult::Ok);
    EXPECT_EQ(list.count(), 0);
}
