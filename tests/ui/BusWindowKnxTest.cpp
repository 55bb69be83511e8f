// The bus access window driving the emulated time switch through knxd: the
// second interface set to the tunnel, search, program and read back
// through the widgets. Runs in a private network namespace (see
// scripts/in-private-net.sh).

#include "tests/knx/KnxdHarness.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/BusWindowDrive.h"

#include "language/TextTable.h"
#include "model/UserInteraction.h"
#include "transfer/bus/BusApplication.h"
#include "ui/transfer/FrmBusaccess.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

template <typename T>
T* child(const QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

TEST(BusWindowThroughKnxd, SearchProgramAndReadBack)
{
    QTemporaryDir dir;
    const auto path = [&](const QString& name) { return QDir(dir.path()).filePath(name); };
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), path(kTransferApplicationFileName)));
    Knxd knxd;
    ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
    ASSERT_TRUE(writeFile(path(QStringLiteral("line.ini")), "[device 1.1.2]\ndelete-ms = 10\n"));
    BusDevice device;
    ASSERT_TRUE(device.start({QStringLiteral("--link"), knxd.link(), path(QStringLiteral("line.ini"))}, dir.path()))
        << device.failure().toStdString();

    TextTable texts;
    texts.LoadGerman();
    ProgramModel model = canonical738();
    model.device.BusLink2 = knxd.link() + QStringLiteral(",unpaced");
    ScriptedInteraction ui{[](const Prompt&) { return Answer::Ok; }};
    FrmBusaccess w(model, ui, texts, dir.path());
    w.saveBeforeTransfer = [] { return 1; };
    QTest::mouseClick(child<QRadioButton>(w, "optcom2"), Qt::LeftButton);
    ASSERT_TRUE(child<QRadioButton>(w, "optcom2")->isChecked());
    EXPECT_EQ(child<QLabel>(w, "lblLink")->text(), QStringLiteral("Verbindung: ") + model.device.BusLink2);
    SearchWriteAndReadBack(w, model);
    QStringList messages;
    for (const Prompt& p : ui.asked())
        messages << p.render(texts);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    // Our tunnel is closed: the next one gets the channel after the device's.
    EXPECT_EQ(NextTunnelChannel(), 2);
}

} // namespace
