#include "model/DeviceSettings.h"
#include "model/ProgramFile.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "tools/adapter/AdapterEmulatorProcess.h"
#include "transfer/PortSettings.h"
#include "ui/main/MainMenu.h"
#include "ui/main/MdiForm1.h"
#include "ui/transfer/FrmSerielIo.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// What the transfer window showed at one moment.
struct Seen {
    QString label;
    int value;
    int maximum;
    bool operator==(const Seen&) const = default;
};

// The memory chip in the serial adapter, reached as COM1 of a four-channel
// switch with the school sample open.
class ChipTransferWindow : public DesktopFixture {
protected:
    // Skips the test where no pseudo terminal can be made.
    void startOnEmulator(const QStringList& faults = {})
    {
        if (!emulator.start(work(QStringLiteral("chip.bin")), faults)) {
            if (emulator.noPty())
                GTEST_SKIP() << "no pseudo terminal here: " << emulator.failure().toStdString();
            FAIL() << "emulator failed: " << emulator.failure().toStdString();
        }
        DeviceSettings ports;
        ports.SerialPort1 = emulator.devicePath();
        EXPECT_TRUE(WritePortSettings(work(kPortSettingsFileName), ports));
        startWith(4);
        app_->model().device.Lpt = 4;
        app_->transferOptions().dataPhasePauseMs = 50;
        school = copySample(QStringLiteral("Schule.zpg"));
        chooser_.open = school;
        trigger("mnuDatÖff");
        ASSERT_TRUE(asked().empty());
    }

    bool ready() const { return !IsSkipped() && !HasFatalFailure(); }

    // Runs a menu command and records every change the transfer window shows
    // meanwhile: a timer can only look while the transfer lets events through.
    std::vector<Seen> watch(const char* command)
    {
        std::vector<Seen> seen;
        QTimer sampler;
        sampler.setInterval(2);
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            auto* w = frame()->findChild<FrmSerielIo*>(QStringLiteral("FRM_SERIEL_IO"));
            if (!w || !w->isVisible())
                return;
            title = w->windowTitle();
            modal = w->isModal();
            const Seen now{w->findChild<QLabel*>(QStringLiteral("lbl_seriell_io"))->text(),
                           w->findChild<QProgressBar*>(QStringLiteral("ggefortschritt"))->value(),
                           w->findChild<QProgressBar*>(QStringLiteral("ggefortschritt"))->maximum()};
            if (seen.empty() || !(now == seen.back()))
                seen.push_back(now);
        });
        sampler.start();
        trigger(command);
        settle();
        EXPECT_EQ(frame()->findChild<FrmSerielIo*>(), nullptr) << "the window lives for one transfer";
        return seen;
    }

    // The labels in the order shown, each with a gauge that only moves
    // forward through many of its 129 steps (128 blocks and the end).
    static void expectPhases(const std::vector<Seen>& seen, const QStringList& labels)
    {
        QStringList shown;
        std::map<QString, std::vector<int>> values;
        for (const Seen& s : seen) {
            EXPECT_EQ(s.maximum, 129);
            if (s.label.isEmpty())
                continue;
            if (shown.isEmpty() || shown.last() != s.label)
                shown << s.label;
            values[s.label].push_back(s.value);
        }
        EXPECT_EQ(shown, labels);
        for (const auto& [label, v] : values) {
            EXPECT_TRUE(std::is_sorted(v.begin(), v.end())) << label.toStdString();
            EXPECT_GE(v.size(), 32u) << label.toStdString();
            EXPECT_GE(v.back(), 120) << label.toStdString();
        }
    }

    ProgramModel& model() { return app_->model(); }
    QLineEdit* field(const char* name) const { return frame()->findChild<QLineEdit*>(QString::fromLatin1(name)); }

    AdapterEmulatorProcess emulator{QStringLiteral(ZENDRIK_ADAPTER_EMULATOR)};
    QString school;
    QString title;
    bool modal = false;
};

} // namespace

TEST_F(ChipTransferWindow, WritesTheProgramAndReadsItBack)
{
    startOnEmulator();
    if (!ready())
        return;
    EXPECT_EQ(action("mnuDatExp")->text(), QStringLiteral("Zendrik &programmieren"));
    EXPECT_EQ(action("mnuDatImp")->text(), QStringLiteral("Zendrik &lesen"));
    // The two transfers close the file menu's commands, before its exit.
    QMenu* fileMenu = app_->mainFrame()->menu().menu(MainMenu::File);
    const QList<QAction*> file = fileMenu->actions();
    const qsizetype write = file.indexOf(action("mnuDatExp"));
    EXPECT_EQ(file.indexOf(action("mnuDatImp")), write + 1);
    EXPECT_EQ(file.indexOf(fileMenu->findChild<QAction*>(QStringLiteral("sepDatBend"))), write + 2);
    QLineEdit* nr = field("txtProgrammnummer");
    nr->clear();
    QTest::keyClicks(nr, QStringLiteral("4711"));
    QTest::keyClick(nr, Qt::Key_Return);
    const QStringList rows = gridText();
    answer(TextId::OnlySavedDataExport, Answer::Ok);

    // Saved first, then written and read back whole; a good transfer says nothing.
    expectPhases(watch("mnuDatExp"), {QStringLiteral("schreibe in Zendrik :Schule.zpg  über COM 1"),
                                      QStringLiteral("lese Zendrik über COM 1")});
    EXPECT_EQ(title, QStringLiteral("Serielle Übertragung"));
    EXPECT_TRUE(modal);
    const QString saveFirst = QStringLiteral("Nur gespeicherte Daten können exportiert werden. Jetzt speichern ?");
    EXPECT_EQ(messages(), std::vector<QString>{saveFirst});
    EXPECT_EQ(model().Geaendert, 0);
    const QByteArray chip = readFile(work(QStringLiteral("chip.bin")));
    const Image saved = ReadImageNumbers(readFile(school), 2048);
    EXPECT_EQ(Image(chip.begin(), chip.end()), saved);

    expectPhases(watch("mnuDatImp"), {QStringLiteral("lese Zendrik über COM 1")});
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(model().program().Dateiname, work(QStringLiteral("SzTab1.zpg")));
    EXPECT_EQ(frame()->windowTitle(), QStringLiteral("Zendrik - SzTab1.zpg[*]"));
    EXPECT_TRUE(frame()->isWindowModified());
    EXPECT_EQ(gridText(), rows);
    EXPECT_EQ(nr->text(), QStringLiteral("4711"));
    EXPECT_EQ(field("txtverwendung")->text(), QStringLiteral("unbekannt"));
}

TEST_F(ChipTransferWindow, ReadWithoutChipKeepsTheProgram)
{
    startOnEmulator({QStringLiteral("--fault"), QStringLiteral("no-chip")});
    if (!ready())
        return;
    const QStringList rows = gridText();
    watch("mnuDatImp");
    EXPECT_EQ(messages(), (std::vector<QString>{QStringLiteral("Keine Zendrik im Programmieradapter"),
                                       QStringLiteral("Zugriff auf Zendrik nicht erfolgreich")}));
    for (const Prompt& p : asked()) {
        EXPECT_EQ(p.buttons, Buttons::Ok);
        EXPECT_EQ(p.icon, Icon::None);
    }
    EXPECT_EQ(model().program().Dateiname, school);
    EXPECT_EQ(model().Geaendert, 0);
    EXPECT_EQ(gridText(), rows);
}
