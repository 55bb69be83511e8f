#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "tools/adapter/AdapterEmulatorProcess.h"
#include "transfer/PortSettings.h"
#include "ui/main/MdiForm1.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// The school sample on a four-channel switch whose COM1 is the emulated adapter.
class ChipTransferWindow : public DesktopFixture {
protected:
    void startOnEmulator(const QStringList& faults = {})
    {
        if (!emulator.start(work(QStringLiteral("chip.bin")), faults)) {
            if (emulator.noPty())
                GTEST_SKIP() << "no pseudo terminal here: " << emulator.failure().toStdString();
            FAIL() << emulator.failure().toStdString();
        }
        DeviceSettings ports;
        ports.SerialPort1 = emulator.devicePath();
        ASSERT_TRUE(WritePortSettings(work(kPortSettingsFileName), ports));
        startWith(4);
        app_->model().device.Lpt = 4;
        app_->transferOptions().dataPhasePauseMs = 50;
        chooser_.open = copySample(QStringLiteral("Schule.zpg"));
        trigger("mnuDatÖff");
    }
    bool ready() const { return !IsSkipped() && !HasFatalFailure(); }

    // Runs a command while a timer looks at the transfer window (it only gets
    // to look when the transfer lets events through). Returns the labels
    // shown; for a `complete` transfer each with a gauge that moved forward
    // in many steps up to its end.
    QStringList watch(const char* command, bool complete = true)
    {
        std::vector<std::pair<QString, std::vector<int>>> seen;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            auto* w = frame()->findChild<QWidget*>(QStringLiteral("FRM_SERIEL_IO"));
            const QString label = w ? w->findChild<QLabel*>(QStringLiteral("lbl_seriell_io"))->text() : QString();
            if (!w || !w->isVisible() || label.isEmpty())
                return;
            EXPECT_EQ(w->windowTitle(), QStringLiteral("Serielle Übertragung"));
            EXPECT_TRUE(w->isModal());
            const auto* gauge = w->findChild<QProgressBar*>(QStringLiteral("ggefortschritt"));
            EXPECT_EQ(gauge->maximum(), 129);   // 128 blocks and the end
            if (seen.empty() || seen.back().first != label)
                seen.push_back({label, {}});
            seen.back().second.push_back(gauge->value());
        });
        sampler.start(2);
        trigger(command);
        settle();
        EXPECT_EQ(frame()->findChild<QWidget*>(QStringLiteral("FRM_SERIEL_IO")), nullptr);
        QStringList shown;
        for (const auto& [label, values] : seen) {
            shown << label;
            if (!complete)
                continue;
            EXPECT_TRUE(std::is_sorted(values.begin(), values.end())) << label.toStdString();
            EXPECT_GE(values.size(), 32u) << label.toStdString();
            EXPECT_GE(values.back(), 120) << label.toStdString();
        }
        return shown;
    }

    const QString reading = QStringLiteral("lese Zendrik über COM 1");
    AdapterEmulatorProcess emulator{QStringLiteral(ZENDRIK_ADAPTER_EMULATOR)};
};

} // namespace

TEST_F(ChipTransferWindow, WritesTheProgramAndReadsItBack)
{
    startOnEmulator();
    if (!ready())
        return;
    EXPECT_EQ(action("mnuDatExp")->text(), QStringLiteral("Zendrik &programmieren"));
    EXPECT_EQ(action("mnuDatImp")->text(), QStringLiteral("Zendrik &lesen"));
    auto* nr = frame()->findChild<QLineEdit*>(QStringLiteral("txtProgrammnummer"));
    nr->clear();
    QTest::keyClicks(nr, QStringLiteral("4711"));
    QTest::keyClick(nr, Qt::Key_Return);
    const QStringList rows = gridText();

    // Saved first, then written and read back whole; a good transfer says nothing more.
    answer(TextId::OnlySavedDataExport, Answer::Ok);
    const QString writing = QStringLiteral("schreibe in Zendrik :Schule.zpg  über COM 1");
    EXPECT_EQ(watch("mnuDatExp"), (QStringList{writing, reading}));
    EXPECT_EQ(asked().size(), 1u);
    EXPECT_EQ(app_->model().Geaendert, 0);
    const QByteArray chip = readFile(work(QStringLiteral("chip.bin")));
    EXPECT_EQ(Image(chip.begin(), chip.end()), ReadImageNumbers(readFile(work(QStringLiteral("Schule.zpg"))), 2048));

    // The list shows a sample; after the read it shows the imported program.
    chooser_.open = copySample(QStringLiteral("Laden.zpg"));
    trigger("mnuDatVorl");
    ASSERT_NE(gridText(), rows);
    EXPECT_EQ(watch("mnuDatImp"), QStringList{reading});
    EXPECT_EQ(asked().size(), 1u);
    EXPECT_EQ(frame()->windowTitle(), QStringLiteral("Zendrik - SzTab1.zpg[*]"));
    EXPECT_TRUE(frame()->isWindowModified());
    EXPECT_EQ(gridText(), rows);
    EXPECT_EQ(nr->text(), QStringLiteral("4711"));
    EXPECT_EQ(frame()->findChild<QLineEdit*>(QStringLiteral("txtverwendung"))->text(), QStringLiteral("unbekannt"));
}

TEST_F(ChipTransferWindow, ReadWithoutChipKeepsTheProgram)
{
    startOnEmulator({QStringLiteral("--fault"), QStringLiteral("no-chip")});
    if (!ready())
        return;
    const QStringList rows = gridText();
    EXPECT_EQ(watch("mnuDatImp", false), QStringList{reading});
    EXPECT_EQ(messages(), (std::vector<QString>{QStringLiteral("Keine Zendrik im Programmieradapter"),
                                                QStringLiteral("Zugriff auf Zendrik nicht erfolgreich")}));
    for (const Prompt& p : asked())
        EXPECT_EQ(p.icon, Icon::None);
    EXPECT_EQ(frame()->windowTitle(), QStringLiteral("Zendrik - Schule.zpg[*]"));
    EXPECT_FALSE(frame()->isWindowModified());
    EXPECT_EQ(gridText(), rows);
}
