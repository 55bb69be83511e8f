#include "editing/RecoveryFile.h"

#include "model/DeviceTypes.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace zendrik {
namespace {

const QDateTime kNow = QDateTime(QDate(2026, 12, 7), QTime(10, 15, 30), Qt::UTC);

// Each family's canonical program, with the text fields filled in a way that tests the text encoding (umlauts, an empty name, a long description).
std::vector<std::pair<const char*, ProgramModel>> programs()
{
    std::vector<std::pair<const char*, ProgramModel>> out;
    out.emplace_back("731", test::canonical731());
    out.emplace_back("738", test::canonical738());
    out.emplace_back("752", test::canonical752());
    for (auto& [name, model] : out) {
        model.program().Verwendung = QStringLiteral("Schule Süd, Turnhalle – Außenbeleuchtung");
        model.program().Kanalname[2] = QStringLiteral(" Flur Nord");
        model.program().Dateiname = QStringLiteral("/home/elektro/Programme/Schule Süd.zpg");
        model.device.SwRegel = 4;
        // A meter pulse with no field at its default: each must come back.
        std::tie(model.device.MessKanal, model.device.MessPeriode, model.device.MessImpDauer, model.device.MessZustand, model.device.MessZeitpunkt) = std::tuple(2, 15, 10, 1, 1);
    }
    return out;
}

TEST(RecoveryFile, EveryFamilysProgramComesBackExactly)
{
    for (auto& [name, model] : programs()) {
        SCOPED_TRACE(name);
        const RecoveryImage image = TakeRecoveryImage(model, kNow);
        const auto back = DecodeRecovery(EncodeRecovery(image));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, image);

        // Applied to a model started fresh for another device type, the program, its device type and its file name are as they were.
        ProgramModel fresh = test::modelForRow(1);
        ApplyRecovery(fresh, *back);
        EXPECT_TRUE(fresh.program() == model.program() && TakeSnapshot(fresh) == TakeSnapshot(model));
        EXPECT_EQ(std::tuple(fresh.device.DeviceRow, fresh.device.Kanalzahl, fresh.Geaendert), std::tuple(model.device.DeviceRow, model.device.Kanalzahl, 1));
    }
    // No byte a damaged or foreign file holds may reach the program: every cut and every flipped byte of a real record is refused, never half read.
    const QByteArray record = EncodeRecovery(TakeRecoveryImage(test::canonical738(), kNow));
    ASSERT_TRUE(DecodeRecovery(record).has_value());

    for (qsizetype cut = 0; cut < record.size(); cut += 97) EXPECT_FALSE(DecodeRecovery(record.left(cut)).has_value()) << "cut at " << cut;
    EXPECT_FALSE(DecodeRecovery(record + QByteArray(1, '\0')).has_value());
    for (qsizetype at = 0; at < record.size(); at += 61) EXPECT_FALSE(DecodeRecovery(QByteArray(record).replace(at, 1, QByteArray(1, static_cast<char>(record[at] ^ 0x5A)))).has_value()) << "byte " << at;
    EXPECT_FALSE(DecodeRecovery(QByteArray("72 72 0 0\r\n")).has_value());

    // A record whose checksum is right but whose counts are impossible (as a hand-made file could be) is refused too.
    const auto refused = [](auto change) {
        RecoveryImage image2 = TakeRecoveryImage(test::canonical731(), kNow);
        change(image2);
        return !DecodeRecovery(EncodeRecovery(image2)).has_value();
    };
    const std::function<void(RecoveryImage&)> changes[] = {
        [](RecoveryImage& i) { i.snapshot.program.AnzEintrag = kEntryRows + 1; },
        [](RecoveryImage& i) { i.snapshot.program.AnzSz += 1; },
        [](RecoveryImage& i) { i.snapshot.program.AnzSoWi = kDstRows + 1; },
        [](RecoveryImage& i) { i.deviceRow = 0; },
        [](RecoveryImage& i) { i.deviceRow = kDeviceTypeRows + 1; },
        [](RecoveryImage& i) { i.snapshot.program.astro.AstroGrenze[1].morning = 1440; },
        [](RecoveryImage& i) { i.snapshot.program.Verwendung = QString(5000, QChar('x')); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) EXPECT_TRUE(refused(changes[i])) << i;
    EXPECT_FALSE(refused([](RecoveryImage&) {}));
}

class RecoveryInFolder : public ::testing::Test {
protected:
    QString programPath() const { return dir.filePath(QStringLiteral("Halle.zpg")); }
    RecoveryState state() const { return FindRecovery(dir.path()).state; }

    RecoveryImage imageFor(const QString& file)
    {
        ProgramModel model = test::canonical731();
        model.program().Dateiname = file;
        return TakeRecoveryImage(model, kNow);
    }

    static void setTime(const QString& path, const QDateTime& when)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime));
    }

    QTemporaryDir dir;
};

TEST_F(RecoveryInFolder, OfferedOnlyWhenNewerThanItsProgramFile)
{
    EXPECT_EQ(state(), RecoveryState::None);
    // A program never saved under its name: always offered.
    ASSERT_TRUE(WriteRecoveryFile(dir.path(), imageFor(programPath())));
    const RecoveryFinding found = FindRecovery(dir.path());
    EXPECT_EQ(std::pair(found.state, found.image.snapshot.program.Dateiname), std::pair(RecoveryState::Offer, programPath()));

    const QDateTime t = QDateTime::currentDateTimeUtc().addSecs(-600);
    ASSERT_TRUE(test::writeFile(programPath(), "72 72\r\n"));
    setTime(programPath(), t);
    setTime(RecoveryFilePath(dir.path()), t.addSecs(30));
    EXPECT_EQ(state(), RecoveryState::Offer);
    // Saved after the copy was made: nothing to recover; never the program file touched by looking.
    setTime(programPath(), t.addSecs(60));
    EXPECT_EQ(std::pair(state(), test::readFile(programPath())), std::pair(RecoveryState::Outdated, QByteArray("72 72\r\n")));
    RemoveRecoveryFile(dir.path());
    EXPECT_EQ(state(), RecoveryState::None);
    ASSERT_TRUE(test::writeFile(RecoveryFilePath(dir.path()), QByteArray("not a record")));
    EXPECT_EQ(state(), RecoveryState::Damaged);
    // A folder in the record's place is neither read nor removed.
    QFile::remove(RecoveryFilePath(dir.path()));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(kRecoveryFileName)));
    EXPECT_EQ(state(), RecoveryState::Damaged);
    RemoveRecoveryFile(dir.path());
    EXPECT_EQ(std::pair(QFileInfo(RecoveryFilePath(dir.path())).isDir(), WriteRecoveryFile(dir.path(), imageFor(programPath()))), std::pair(true, false));
}

} // namespace
} // namespace zendrik
