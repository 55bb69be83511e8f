// The transfer journal of single programs: one line per program file, replaced by the next transfer, foreign lines kept, hostile text
// read without harm; a bus write of the command line enters itself with the checksum of the program written.
#include "model/ImageChecksum.h"
#include "transfer/TransferJournal.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

TransferRecord written(TransferPath path, const QString& where, bool confirmed, const QString& checksum)
{
    return {QDateTime(QDate(2026, 12, 8), QTime(10, 15, 7)), path, where, false, false, false, confirmed, checksum};
}

QByteArray journalOf(const QTemporaryDir& dir)
{
    QFile f(TransferJournalPath(dir.path()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(TransferJournal, OneLinePerProgramFileKeptAcrossTransfers)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(u"Flur EG.zpg"_s);
    const QString b = dir.filePath(u"Halle \"Nord\", Süd.zpg"_s); // quote, comma and umlaut survive the CSV
    ASSERT_TRUE(writeFile(TransferJournalPath(dir.path()), "time,path,where,confirmed,checksum,program\nnot a line of ours\n"
                                                          "2026-01-01T00:00:00,bus,1.1.1,no,XYZ,/elsewhere/c.zpg\n"));
    const TransferRecord first = written(TransferPath::Bus, u"1.1.5"_s, false, u"1A2B3C4D"_s);
    const TransferRecord chip = written(TransferPath::Chip, u"/dev/ttyUSB0"_s, true, u"00FF00FF"_s);
    const TransferRecord again = written(TransferPath::Ir, u"2"_s, false, u"DEADBEEF"_s);
    ASSERT_TRUE(RecordTransfer(dir.path(), a, first));
    ASSERT_TRUE(RecordTransfer(dir.path(), b, chip));
    ASSERT_TRUE(RecordTransfer(dir.path(), dir.path() + u"/./Flur EG.zpg"_s, again)); // the same file by another name
    EXPECT_EQ(JournalTransfer(dir.path(), a), again);
    EXPECT_EQ(JournalTransfer(dir.path(), b), chip);
    EXPECT_EQ(JournalTransfer(dir.path(), dir.filePath(u"other.zpg"_s)), std::nullopt);
    // The foreign lines are still there, the unreadable one (bad checksum) proves nothing.
    const QByteArray text = journalOf(dir);
    EXPECT_EQ(text.count('\n'), 5) << text.constData();
    EXPECT_TRUE(text.contains("not a line of ours\n") && text.contains("XYZ,/elsewhere/c.zpg\n")) << text.constData();
    EXPECT_EQ(JournalTransfer(dir.path(), u"/elsewhere/c.zpg"_s), std::nullopt);
    // A journal that cannot be written says why and leaves nothing behind.
    QString error;
    EXPECT_FALSE(RecordTransfer(dir.filePath(u"missing/folder"_s), a, first, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TransferJournal, HostileTextReadsAsNoTransfer)
{
    const QString program = u"/site/a.zpg"_s;
    for (const QByteArray& text : {QByteArray("\"unterminated,/site/a.zpg"), QByteArray("\0\0\0,,,,,/site/a.zpg\n", 18),
                                   QByteArray(",,,,,/site/a.zpg"), QByteArray("2026-13-01T00:00:00,bus,1.1.1,no,,/site/a.zpg"),
                                   QByteArray("2026-12-01T00:00:00,boat,1.1.1,no,,/site/a.zpg"),
                                   QByteArray("2026-12-01T00:00:00,bus,1.1.1,maybe,,/site/a.zpg"), QByteArray(100000, '"')}) {
        EXPECT_EQ(JournalTransferIn(text, program), std::nullopt) << text.left(60).toStdString();
    }
    EXPECT_NE(JournalTransferIn("2026-12-01T00:00:00,ir,1,no,,/site/a.zpg\r\n", program), std::nullopt);
}

// bus-write enters its transfer: the bus, the address, not read back, the checksum of the program file.
TEST(TransferJournal, BusWriteEntersItself)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/remote.s19"_s, dir.filePath(u"remote.s19"_s)));
    ASSERT_TRUE(writeFile(dir.filePath(u"bus-sim.ini"_s), "[bus]\npacing = off\n[device 1.1.7]\n"));
    ProgramModel m = canonical738();
    const QString prog = dir.filePath(u"prog.zpg"_s);
    ASSERT_FALSE(saveProgramAs(m, prog).isEmpty());
    Succeeded(RunCli({u"--dir"_s, dir.path(), u"--type"_s, u"20"_s, u"bus-write"_s, prog, u"--address"_s, u"1.1.7"_s, u"--link"_s, u"sim:bus-sim.ini"_s}, dir.path()));
    const std::optional<TransferRecord> last = JournalTransfer(dir.path(), prog);
    ASSERT_TRUE(last.has_value()) << journalOf(dir).constData();
    EXPECT_EQ(std::tuple(last->path, last->where, last->confirmed, last->checksum), std::tuple(TransferPath::Bus, u"1.1.7"_s, false, ImageChecksum(m, 0)));
}
