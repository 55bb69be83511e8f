#include "tests/transfer/TransferTestSupport.h"

#include "tests/support/CliRun.h"

#include <QDate>
#include <QDir>
#include <QFile>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class IrCommandsTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString tool(const QString& faults = QString()) const { return u"\"%1\" --device \"%2\" %3"_s.arg(QStringLiteral(ZENDRIK_IR_TOOL), path(u"device.zpg"_s), faults); }
    CliRun cli(const QStringList& args) const { return RunCli(QStringList{u"--type"_s, u"4"_s} + args, dir.path()); }
    QStringList job() const { return ReadLines(path(u"2irprot.msg"_s)); }

    QTemporaryDir dir;
};

TEST_F(IrCommandsTest, WriteReadAndSetTimeThroughTheTool)
{
    MakeProgramFile(path(u"halle.zpg"_s), 4, 30);
    CliRun r = cli({u"ir-write"_s, path(u"halle.zpg"_s), u"--tool"_s, tool(), u"--port"_s, u"2"_s});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), u"Übertragung erfolgreich beendet"_s);
    EXPECT_EQ(job().value(1), u" 5"_s);
    r = cli({u"ir-read"_s, u"--out"_s, path(u"back.zpg"_s), u"--tool"_s, tool()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(path(u"back.zpg"_s)), readFile(path(u"halle.zpg"_s)));
    EXPECT_EQ(job().value(1), u" 4"_s);
    // The time from the computer's clock, or as given.
    r = cli({u"ir-settime"_s, u"--tool"_s, tool()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(job().value(6), u"UZ1"_s);
    EXPECT_TRUE(job().value(8) == today.toString(u"dd MM yyyy"_s) || job().value(8) == today.addDays(-1).toString(u"dd MM yyyy"_s));
    r = cli({u"ir-settime"_s, u"--time"_s, u"7:8"_s, u"--date"_s, u"1.2.28"_s, u"--tool"_s, tool()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(job().mid(6), (QStringList{u"UZ2"_s, u"07 08 00"_s, u"01 02 2028"_s, u"2"_s}));
    EXPECT_EQ(ReadLines(path(u"device.zpg.clock"_s)), QStringList{u"07:08:00 01.02.2028 UZ2"_s});
}

TEST_F(IrCommandsTest, FailuresEndWithTheirMessageAndStatus)
{
    MakeProgramFile(path(u"device.zpg"_s), 4, 10);
    const QString x = path(u"x.zpg"_s);
    const struct {
        QStringList args;
        int exitCode;
        QString message;
    } cases[] = {
        {{u"ir-read"_s, u"--out"_s, x, u"--tool"_s, tool(u"--not-auto"_s)}, 1, u"Übertragung fehlgeschlagen ! Verbindung ok ? Uhr im Automodus ?"_s},
        {{u"ir-read"_s, u"--out"_s, x, u"--tool"_s, tool(u"--damaged"_s)}, 1, u"Keine gültige Datei !"_s},
        {{u"ir-read"_s, u"--out"_s, x, u"--port"_s, u"3"_s}, 2, u"--port takes 1"_s},
        {{u"ir-settime"_s, u"--timeout"_s, u"0"_s}, 2, u"--timeout takes"_s},
        {{u"ir-settime"_s, u"--time"_s, u"24:00"_s, u"--tool"_s, tool()}, 1, u"Keine gültige Uhrzeit: 24:00"_s},
        {{u"ir-settime"_s}, 1, u"keine Rückmeldung von IR-Übertragung"_s}, // the tool and the wait from the port file
    };
    for (const auto& c : cases) {
        if (c.args.size() == 1) { ASSERT_TRUE(writeFile(path(u"ports.ini"_s), ("IRTOOL=" + tool(u"--no-result"_s) + "\r\nIRTIMEOUT=1\r\n").toUtf8())); }
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(x));
}

} // namespace
