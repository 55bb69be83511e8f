// "Schnittstellen suchen..." in the bus window and in the device properties,
// against knxd as a KNX IP router on loopback: the dialog lists it with its
// name, address and services, one row per way to reach the bus, and the
// row taken becomes the connection. Runs in a private network namespace
// (scripts/in-private-net.sh), on a small screen of 1024 x 600.

#include "tests/knx/KnxdRouter.h"
#include "tests/support/TestPrograms.h"

#include "language/TextTable.h"
#include "model/UserInteraction.h"
#include "ui/device/FrmGeraetEinst.h"
#include "ui/device/FrmSchnittstellen.h"
#include "ui/transfer/FrmBusaccess.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// Clicks the window's search button, waits for the search to end, checks
// the rows and takes row `row` (for `target` where there is a choice), by
// a double click or the button; the dialog's picture goes to
// $ZENDRIK_SHOT_DIR when set.
void takeRow(QWidget& window, const char* button, int row, bool doubleClick, const char* shot, int target = -1)
{
    auto* search = window.findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_NE(search, nullptr) << button;
    EXPECT_EQ(search->text(), QStringLiteral("Schnittstellen suchen..."));
    QTest::mouseClick(search, Qt::LeftButton);
    auto* dialog = window.findChild<FrmSchnittstellen*>(QStringLiteral("FrmSchnittstellen"));
    ASSERT_NE(dialog, nullptr);
    auto* label = dialog->findChild<QLabel*>(QStringLiteral("lblSuche"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return label->text().startsWith(QStringLiteral("1 Schnittstelle")); }, 4000))
        << label->text().toStdString();
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("lstSchnittstellen"));
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const char* expected[2][4] = {{KnxdRouter::kName, "1.1.250", "Tunnelling, Routing", "knxnetip:127.0.0.1:3671"},
                                  {KnxdRouter::kName, "1.1.250", "Tunnelling, Routing", "routing:224.0.23.12"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(list->topLevelItem(r)->text(c), QString::fromUtf8(expected[r][c])) << r << "," << c;
    const QSize size = dialog->sizeHint();
    EXPECT_LE(size.width(), 1024);
    EXPECT_LE(size.height(), 600);
    if (const QString dir = qEnvironmentVariable("ZENDRIK_SHOT_DIR"); !dir.isEmpty()) {
        dialog->resize(size);
        dialog->grab().save(dir + QLatin1Char('/') + QString::fromLatin1(shot));
        window.resize(window.sizeHint().boundedTo(QSize(1024, 600)));
        window.grab().save(dir + QStringLiteral("/window-") + QString::fromLatin1(shot));
    }
    if (target >= 0)
        dialog->findChild<QComboBox*>(QStringLiteral("cboZiel"))->setCurrentIndex(target);
    QTreeWidgetItem* item = list->topLevelItem(row);
    list->setCurrentItem(item);
    if (doubleClick)
        emit list->itemDoubleClicked(item, 0);
    else
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdUebernehmen")), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 1000));
}

TEST(InterfaceSearchThroughKnxd, TheRowTakenBecomesTheConnection)
{
    KnxdRouter knxd;
    ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
    QTemporaryDir dir;
    TextTable texts;
    texts.LoadGerman();
    ProgramModel model = canonical738();
    model.device.BusLink1 = QStringLiteral("sim:bus-sim.ini");
    ScriptedInteraction ui{[](const Prompt&) { return Answer::Ok; }};

    // The bus window: the routing row becomes Bus 1's connection.
    FrmBusaccess bus(model, ui, texts, dir.path());
    bus.show();
    takeRow(bus, "cmdSchnittstellen", 1, false, "interfaces-bus.png");
    EXPECT_EQ(model.device.BusLink1, QStringLiteral("routing:224.0.23.12"));
    EXPECT_EQ(bus.findChild<QLabel*>(QStringLiteral("lblLink"))->text(), QStringLiteral("Verbindung: routing:224.0.23.12"));

    // The device properties: the tunnel row, double-clicked, fills Bus 2.
    FrmGeraetEinst properties(model, texts, ui, dir.path());
    properties.show();
    takeRow(properties, "cmdBusSuchen", 0, true, "interfaces-device.png", 1);
    EXPECT_EQ(properties.findChild<QLineEdit*>(QStringLiteral("txtBus2"))->text(), QStringLiteral("knxnetip:127.0.0.1:3671"));
    EXPECT_EQ(properties.findChild<QLineEdit*>(QStringLiteral("txtBus1"))->text(), QStringLiteral("routing:224.0.23.12"));
}

} // namespace
