#include "model/ImageChecksum.h"
#include "site/SiteFile.h"
#include "site/SiteState.h"
#include "tests/cli/CliFolder.h"

#include <QFile>

#include <random>

using namespace Qt::StringLiterals;

namespace zendrik::test {
namespace {

class SiteFile : public CliFolder {
protected:
    void SetUp() override
    {
        QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/samples/Schule.zpg"), path(u"Schule.zpg"_s));
        writeFile(path(u"bad.zpg"_s), "not a program\n");
    }
    SiteLoadResult parse(const QByteArray& text, Site& site) const { return ParseSite(text, path(u"s.zsite"_s), site); }
};

TEST_F(SiteFile, BadFilesAreRefusedOrMarkedNamingTheLine)
{
    const QByteArray head = "zendrik-site 1\nname = S\n[device]\nname = A\n";
    struct Row {
        QByteArray text;
        SiteLoadCode code;
        int line;
        SiteDeviceMark mark = SiteDeviceMark::None;
    };
    const Row rows[] = {
        {"", SiteLoadCode::Empty, 0},
        {"# only a comment\n\n", SiteLoadCode::Empty, 0},
        {"zendrik-si", SiteLoadCode::NotASite, 1},
        {"\nzendrik-site\n", SiteLoadCode::NotASite, 2},
        {"zendrik-site 2\n", SiteLoadCode::NewerVersion, 1},
        {"zendrik-site 1\ncolour = red\n", SiteLoadCode::UnknownKey, 2},
        {"zendrik-site 1\n[room]\n", SiteLoadCode::UnknownKey, 2},
        {head + "type = 4\nprogram = Schule.zpg\nwatts = 3\n", SiteLoadCode::UnknownKey, 7},
        {head + "just words\n", SiteLoadCode::BadLine, 5},
        {head + "location = a\rb\n", SiteLoadCode::BadLine, 5},
        {"zendrik-site 1\r\nname = S\r\n[device]\r\nname = A\r\ntype = 4\r\nprogram = Schule.zpg\r\n", SiteLoadCode::Ok, 0},
        {head + "location = a\nlocation = b\n", SiteLoadCode::DuplicateKey, 6},
        {head + "[device]\nname = A\n", SiteLoadCode::DuplicateDevice, 6},
        {head + "[device]\ntype = 4\n", SiteLoadCode::MissingName, 5},
        {head + "link = bus 1.1 sim:x\n", SiteLoadCode::BadValue, 5},
        {head + "link = ir 3\n", SiteLoadCode::BadValue, 5},
        {head + "link = chip\n", SiteLoadCode::BadValue, 5},
        {head + "last = 2026-13-01T00:00:00 write ok\n", SiteLoadCode::BadValue, 5},
        {head + "last = 2026-12-01T10:00:00 write ok 1A2B3C4 confirmed\n", SiteLoadCode::BadValue, 5},
        {head + "last = 2026-12-01T10:00:00 send ok\n", SiteLoadCode::BadValue, 5},
        {head + "type = four\n", SiteLoadCode::BadValue, 5},
        {head + "type = 21\nprogram = Schule.zpg\n", SiteLoadCode::Ok, 0, SiteDeviceMark::UnknownType},
        {head + "type = 4\nprogram = ../Schule.zpg\n", SiteLoadCode::Ok, 0, SiteDeviceMark::OutsideFolder},
        {head + "type = 4\nprogram = /tmp/Schule.zpg\n", SiteLoadCode::Ok, 0, SiteDeviceMark::OutsideFolder},
        {head + "type = 4\nprogram = sub/../../Schule.zpg\n", SiteLoadCode::Ok, 0, SiteDeviceMark::OutsideFolder},
        {head + "type = 4\nprogram = gone.zpg\n", SiteLoadCode::Ok, 0, SiteDeviceMark::MissingProgram},
        {head + "type = 20\nprogram = Schule.zpg\n", SiteLoadCode::Ok, 0, SiteDeviceMark::UnfittingProgram},
        {head + "type = 4\nprogram = bad.zpg\n", SiteLoadCode::Ok, 0, SiteDeviceMark::UnreadableProgram},
        {head + "type = 4\nprogram = sub/../Schule.zpg\n", SiteLoadCode::Ok, 0, SiteDeviceMark::None},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.toStdString());
        Site site;
        site.name = u"untouched"_s;
        const SiteLoadResult result = parse(r.text, site);
        EXPECT_EQ(result.code, r.code);
        EXPECT_EQ(result.line, r.line);
        if (!result.ok()) {
            EXPECT_EQ(site.name, u"untouched"_s);
            EXPECT_TRUE(SiteLoadMessage(result, u"s.zsite"_s, ExtraLanguage::English).contains(u"s.zsite"_s));
        } else {
            ASSERT_EQ(site.devices.size(), 1u);
            EXPECT_EQ(site.devices[0].mark, r.mark);
        }
    }
}

QString randomText(std::mt19937& rng, bool mayBeEmpty)
{
    static const QString alphabet = u"abcXYZ äöüß=#[]/.:-0123456789"_s;
    const int length = std::uniform_int_distribution<int>(mayBeEmpty ? 0 : 1, 12)(rng);
    QString s;
    for (int i = 0; i < length; ++i)
        s += alphabet[std::uniform_int_distribution<int>(0, int(alphabet.size()) - 1)(rng)];
    s = s.trimmed();
    return s.isEmpty() && !mayBeEmpty ? u"x"_s : s;
}

TEST_F(SiteFile, RandomSitesSurviveWritingAndReading)
{
    std::mt19937 rng(20261208);
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int round = 0; round < 200; ++round) {
        Site site;
        site.name = randomText(rng, true);
        site.address = randomText(rng, true);
        for (int n = pick(5); n > 0; --n) {
            SiteDevice d;
            d.name = randomText(rng, false) + QString::number(n);
            d.location = randomText(rng, true);
            d.type = pick(24);
            d.program = randomText(rng, true);
            d.link = static_cast<SiteLinkKind>(pick(4));
            if (d.link == SiteLinkKind::Bus) {
                d.address = u"%1.%2.%3"_s.arg(pick(16)).arg(pick(13)).arg(1 + pick(255));
                d.connection = u"sim:"_s + randomText(rng, false);
            } else if (d.link == SiteLinkKind::Chip) {
                d.port = randomText(rng, false);
            } else if (d.link == SiteLinkKind::Ir) {
                d.port = QString::number(1 + pick(2));
            }
            if (pick(2)) {
                SiteTransfer t;
                t.when = QDateTime(QDate(2000 + pick(40), 1 + pick(12), 1 + pick(28)), QTime(pick(24), pick(60), pick(60)));
                t.direction = static_cast<SiteDirection>(pick(2));
                t.result = static_cast<SiteTransferResult>(pick(3));
                t.checksum = pick(2) ? u"%1"_s.arg(uint(rng()), 8, 16, QLatin1Char('0')).toUpper() : QString();
                t.confirmed = pick(2);
                d.last = t;
            }
            site.devices.push_back(d);
        }
        const QByteArray text = SiteText(site);
        Site back;
        const SiteLoadResult result = parse(text, back);
        ASSERT_TRUE(result.ok()) << text.toStdString() << " line " << result.line;
        EXPECT_EQ(back, site) << text.toStdString();
        EXPECT_EQ(SiteText(back), text);
    }
}

TEST_F(SiteFile, ASmallSiteIsWrittenAsTheGoldenText)
{
    Site site;
    site.name = u"Grundschule am Park"_s;
    site.address = u"Parkweg 3, 12345 Musterstadt"_s;
    SiteDevice flur{u"Flur EG"_s, u"UV1 Erdgeschoss"_s, 4, u"programs/Flur EG.zpg"_s, SiteLinkKind::Bus, u"1.1.5"_s, u"sim:bus.ini"_s, {}, {}, {}};
    flur.last = SiteTransfer{QDateTime(QDate(2026, 12, 8), QTime(10, 15)), SiteDirection::Write, SiteTransferResult::Ok, u"1A2B3C4D"_s, true};
    site.devices = {flur, SiteDevice{u"Aussenlicht"_s, {}, 2, u"Aussenlicht.zpg"_s, SiteLinkKind::Chip, {}, {}, u"/dev/ttyUSB0"_s, {}, {}},
                    SiteDevice{u"Klingel = Pause"_s, {}, 7, u"K.zpg"_s, SiteLinkKind::Ir, {}, {}, u"2"_s, {}, {}}};
    expectGolden(u"site/small.zsite"_s, QString::fromUtf8(SiteText(site)));
}

TEST_F(SiteFile, TheChecksumFollowsTheProgramNotTheClock)
{
    Site site;
    site.path = path(u"s.zsite"_s);
    const SiteDevice shipped{u"S"_s, {}, 4, u"Schule.zpg"_s, {}, {}, {}, {}, {}, {}};
    ProgramModel model;
    ASSERT_EQ(LoadSiteProgram(site, shipped, model), 0);
    const QString sum = ImageChecksum(model);
    EXPECT_EQ(sum.size(), 8);
    ProgramModel later = model;
    later.clock = [] { return QDateTime(QDate(2031, 5, 17), QTime(23, 59)); };
    later.program().Kopf[4] = 99;
    later.program().Kopf[0] = 7;
    EXPECT_EQ(ImageChecksum(later), sum);
    ProgramModel changed = model;
    changed.program().Eintrag[0].b[1] ^= 0x01;
    EXPECT_NE(ImageChecksum(changed), sum);

    // Saved at another time and opened again: the same program, the same checksum.
    const SiteDevice device{u"A"_s, {}, 4, u"A.zpg"_s, {}, {}, {}, {}, {}, {}};
    ASSERT_FALSE(save(later, u"A.zpg"_s).isEmpty());
    ProgramModel opened;
    ASSERT_EQ(LoadSiteProgram(site, device, opened), 0);
    EXPECT_EQ(ImageChecksum(opened), sum);

    SiteDevice written = device;
    written.last = SiteTransfer{QDateTime(QDate(2026, 12, 8), QTime(10, 0)), SiteDirection::Write, SiteTransferResult::Ok, sum};
    EXPECT_EQ(DeviceTransferState(site, written), SiteTransferState::UpToDate);
    ASSERT_FALSE(save(changed, u"A.zpg"_s).isEmpty());
    EXPECT_EQ(DeviceTransferState(site, written), SiteTransferState::ChangedSince);
    EXPECT_EQ(DeviceTransferState(site, device), SiteTransferState::Never);
    written.last->result = SiteTransferResult::Failed;
    EXPECT_EQ(DeviceTransferState(site, written), SiteTransferState::Failed);
}

TEST_F(SiteFile, NewAddAndListOnTheCommandLine)
{
    const Invocation cases[] = {
        {{"site", "new", "s.zsite", "--name", "Schule"}, 0, "="},
        {{"site", "new", "s.zsite", "--name", "Schule"}, 1, "", "s.zsite"},
        {{"site", "new", "t.zsite"}, 2},
        {{"site", "add", "s.zsite", "--device", "Flur EG", "--program", "$D/Schule.zpg", "--type", "4", "--bus", "1.1.5", "--link", "sim:bus.ini"}, 0, "="},
        {{"site", "add", "s.zsite", "--device", "Flur EG", "--program", "Schule.zpg", "--type", "4"}, 1, "", "Flur EG"},
        {{"site", "add", "s.zsite", "--device", "Aula", "--program", "gone.zpg", "--type", "4"}, 1, "", "Programmdatei fehlt"},
        {{"--lang", "en", "site", "add", "s.zsite", "--device", "Aula", "--program", "$S/samples/Laden.zpg", "--type", "2"}, 1, "", "outside the site's folder"},
        {{"--lang", "en", "site", "add", "s.zsite", "--device", "Aula", "--program", "Schule.zpg", "--type", "19"}, 1},
        {{"site", "add", "s.zsite", "--device", "Aula", "--program", "Schule.zpg", "--type", "4", "--bus", "1.1.5"}, 2},
        {{"site", "add", "s.zsite", "--device", "Aula", "--program", "Schule.zpg", "--type", "4", "--ir", "3"}, 2},
        {{"site", "add", "s.zsite", "--device", "Aula", "--program", "Schule.zpg", "--type", "5", "--chip", "/dev/ttyUSB0", "--location", "UV2"}, 0},
        {{"site", "add", "gone.zsite", "--device", "Aula", "--program", "Schule.zpg", "--type", "5"}, 1, "", "gone.zsite"},
        {{"--lang", "en", "site", "list", "s.zsite"}, 0, "=Flur EG\t4\tsim:bus.ini 1.1.5\tnever\nAula\t5\tchip /dev/ttyUSB0\tnever\n"},
        {{"--lang", "fr", "site", "list", "s.zsite"}, 0, "Aula\t5\tchip /dev/ttyUSB0\tjamais\n"},
        {{"site", "list", "s.zsite", "--json"}, 0, "\"state\": \"never\""},
        {{"site", "list", "Schule.zpg"}, 1, "", "Schule.zpg, Zeile 1"},
        {{"site", "list"}, 2},
        {{"site", "frobnicate"}, 2},
    };
    expectAll(cases);
    Site site;
    ASSERT_TRUE(LoadSite(path(u"s.zsite"_s), site).ok());
    ASSERT_EQ(site.devices.size(), 2u);
    EXPECT_EQ(site.devices[1].location, u"UV2"_s);
    EXPECT_EQ(site.devices[0].program, u"Schule.zpg"_s);
}

} // namespace
} // namespace zendrik::test

namespace zendrik::test {
namespace {

TEST(ShippedSite, TheSchoolLoadsWithEveryProgramFittingItsDevice)
{
    Site site;
    ASSERT_TRUE(LoadSite(QStringLiteral(ZENDRIK_SHIPPED_DATA "/samples/Schule.zsite"), site).ok());
    ASSERT_EQ(site.devices.size(), 4u);
    int links[4] = {};
    for (const SiteDevice& d : site.devices) {
        EXPECT_EQ(d.mark, SiteDeviceMark::None) << d.name.toStdString();
        ++links[static_cast<int>(d.link)];
    }
    EXPECT_EQ(links[static_cast<int>(SiteLinkKind::Bus)], 2);
    EXPECT_EQ(links[static_cast<int>(SiteLinkKind::Chip)], 1);
    EXPECT_EQ(links[static_cast<int>(SiteLinkKind::None)], 1);
}


TEST(ShippedSite, MutatedSchoolFilesAreReadOrRefusedAndWhatIsReadComesBackTheSame)
{
    const QByteArray school = readFile(QStringLiteral(ZENDRIK_SHIPPED_DATA "/samples/Schule.zsite"));
    std::mt19937 rng(8122026);
    const QString sitePath = QStringLiteral("/nonexistent-site-folder/s.zsite");
    int read = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = school;
        for (int n = 1 + int(rng() % 3); n > 0; --n) {
            const int at = int(rng() % std::uint32_t(bytes.size() + 1));
            const char byte = "=\n\r[]# .:1aZ\xc3\xff"[rng() % 15];
            switch (rng() % 3) {
            case 0: bytes.insert(at, byte); break;
            case 1: bytes.remove(at, 1); break;
            default: bytes.truncate(at); break;
            }
        }
        Site site;
        if (!ParseSite(bytes, sitePath, site).ok())
            continue;
        ++read;
        Site again;
        ASSERT_TRUE(ParseSite(SiteText(site), sitePath, again).ok()) << bytes.toStdString();
        EXPECT_EQ(again, site);
    }
    EXPECT_GT(read, 100);
}

} // namespace
} // namespace zendrik::test
