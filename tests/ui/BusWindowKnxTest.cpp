// The bus access window driving the emulated time switch through knxd: the
// second interface set to the tunnel, search, program and read back through
// the widgets. Runs in a private network namespace (scripts/in-private-net.sh).
#include "tests/knx/KnxdHarness.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/BusWindowDrive.h"

#include "language/TextTable.h"
#include "model/UserInteraction.h"
#include "transfer/bus/BusApplication.h"
#include "ui/transfer/FrmBusaccess.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

TEST(BusWindowThroughKnxd, SearchProgramAndReadBack)
{
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return QDir(dir.path()).filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), QDir(dir.path()).filePath(kTransferApplicationFileName)));
    Knxd knxd;
    ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
    ASSERT_TRUE(writeFile(path("line.ini"), "[device 1.1.2]\ndelete-ms = 10\n"));
    BusDevice device;
    ASSERT_TRUE(device.start({QStringLiteral("--link"), knxd.link(), path("line.ini")}, dir.path())) << device.failure().toStdString();
    TextTable texts;
    texts.LoadGerman();
    ProgramModel model = canonical738();
    model.device.BusLink2 = knxd.link() + QStringLiteral(",unpaced");
    ScriptedInteraction ui{[](const Prompt&) { return Answer::Ok; }};
    FrmBusaccess w(model, ui, texts, dir.path());
    w.saveBeforeTransfer = [] { return 1; };
    auto* second = w.findChild<QRadioButton*>(QStringLiteral("optcom2"));
    ASSERT_NE(second, nullptr);
    QTest::mouseClick(second, Qt::LeftButton);
    ASSERT_TRUE(second->isChecked());
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblLink"))->text(), QStringLiteral("Verbindung: ") + model.device.BusLink2);
    SearchWriteAndReadBack(w, model);
    QStringList messages;
    for (const Prompt& p : ui.asked()) messages << p.render(texts);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    // Our tunnel is closed: the next one gets the channel after the device's.
    EXPECT_EQ(NextTunnelChannel(), 2);
}
