// The bus access window driven through its widgets against the simulated
// bus, and its menu command on the bus device types.

#include "tests/support/TestPrograms.h"
#include "tests/ui/BusWindowDrive.h"
#include "tests/ui/DesktopFixture.h"

#include "app/RecentFiles.h"
#include "transfer/bus/BusApplication.h"
#include "transfer/sim/SimulatedBus.h"
#include "ui/main/UndoHistory.h"
#include "ui/transfer/FrmBusaccess.h"

#include <QSignalSpy>
#include <QUndoStack>

#include <algorithm>
#include <functional>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class BusWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        texts.LoadGerman();
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), path(kTransferApplicationFileName)));
        describe("");
        model = canonical738();
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void describe(const QByteArray& deviceLines)
    {
        ASSERT_TRUE(writeFile(path(QStringLiteral("bus-sim.ini")),
                              "[bus]\npacing = off\n[device 1.1.2]\n" + deviceLines + "[device 1.1.3]\nmask = 0x0020\n"));
    }
    std::unique_ptr<FrmBusaccess> window()
    {
        auto w = std::make_unique<FrmBusaccess>(model, ui, texts, dir.path());
        w->saveBeforeTransfer = [] { return 1; };
        return w;
    }
    template <typename T = QWidget>
    static T* child(const QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(const QWidget& w, const char* button)
    {
        QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
    }
    static QString status(const QWidget& w) { return child<QLineEdit>(w, "txtstatus")->text(); }
    static bool reinstallShown(const QWidget& w) { return !child<QPushButton>(w, "cmd_appl_reinstall")->isHidden(); }
    QStringList messages() const
    {
        QStringList m;
        for (const Prompt& p : ui.asked())
            m << p.render(texts);
        return m;
    }

    QTemporaryDir dir;
    TextTable texts;
    ProgramModel model;
    ScriptedInteraction ui{[](const Prompt&) { return Answer::Ok; }};
};

TEST_F(BusWindow, SearchProgramAndReadThroughTheWidgets)
{
    auto w = window();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Buszugriff auf Schaltuhr"));
    EXPECT_EQ(status(*w), QStringLiteral("bereit"));
    EXPECT_FALSE(reinstallShown(*w));
    SearchWriteAndReadBack(*w, model);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_FALSE(reinstallShown(*w));
    EXPECT_EQ(model.Geaendert, 1);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("protocol.txt"))));
}

TEST_F(BusWindow, AFailedRestoreKeepsReinstallOfferedAcrossWindows)
{
    describe("restore-fails\n");
    {
        auto w = window();
        child<QLineEdit>(*w, "txtPhysadr")->setText(QStringLiteral("1.1.2"));
        click(*w, "cmdbusprog");
        EXPECT_EQ(status(*w), QStringLiteral("nicht erfolgreich"));
        EXPECT_EQ(messages(), QStringList{QStringLiteral("Speicher wurde nicht beschrieben")});
        EXPECT_TRUE(reinstallShown(*w));
    }
    describe("");
    auto w = window();
    // Offered again in a new window, with the address filled in.
    EXPECT_EQ(child<QLineEdit>(*w, "txtPhysadr")->text(), QStringLiteral("1.1.2"));
    ASSERT_TRUE(reinstallShown(*w));
    click(*w, "cmd_appl_reinstall");
    EXPECT_EQ(status(*w), QStringLiteral("Ok"));
    EXPECT_FALSE(reinstallShown(*w));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("appl-1.1.2.old"))));
}

TEST_F(BusWindow, AnInvalidAddressIsRefusedBeforeAnythingIsSent)
{
    auto w = window();
    for (const char* text : {"1.13.1", "16.0.1", "1.1.0", "1.1.256"}) {
        child<QLineEdit>(*w, "txtPhysadr")->setText(QString::fromLatin1(text));
        click(*w, "cmdbusprog");
    }
    EXPECT_EQ(messages(), QStringList(4, QStringLiteral("no valid physical Adress")));
    EXPECT_EQ(status(*w), QStringLiteral("bereit"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("protocol.txt"))));
}

TEST_F(BusWindow, ALinkThatCannotBeOpenedEndsAsNotSuccessfulWithItsLog)
{
    auto w = window();
    w->openLink = [](const QString&, QString* error) {
        *error = QStringLiteral("bus-sim.ini fehlt");
        return std::unique_ptr<EibLink>();
    };
    child<QLineEdit>(*w, "txtPhysadr")->setText(QStringLiteral("1.1.2"));
    qsizetype shown = 0;
    for (const char* button : {"cmdbusprog", "cmdbussearch"}) {
        QFile::remove(path(QStringLiteral("protocol.txt")));
        click(*w, button);
        EXPECT_EQ(status(*w), QStringLiteral("nicht erfolgreich")) << button;
        EXPECT_EQ(messages().mid(shown), QStringList{QStringLiteral("Keine Busverbindung: bus-sim.ini fehlt")}) << button;
        shown = messages().size();
        EXPECT_EQ(readFile(path(QStringLiteral("protocol.txt"))), QByteArray("Keine Busverbindung: bus-sim.ini fehlt\r\n"))
            << button;
    }
}

TEST_F(BusWindow, WhileAnActionRunsEveryControlIsDisabledAndNothingElseStarts)
{
    auto w = window();
    child<QLineEdit>(*w, "txtPhysadr")->setText(QStringLiteral("1.1.2"));
    const QStringList names{"optcom1", "optcom2", "txtBereich", "txtBuslinie", "txtvonTeilnehmer", "txtbisTeilnehmer",
                            "cmdbussearch", "cboPhysadr", "txtPhysadr", "cmdbusprog", "cmdbusread", "cmdBusend"};
    const auto enabled = [&] {
        QStringList out;
        for (const QString& name : names)
            if (child<QWidget>(*w, name.toUtf8().constData())->isEnabled())
                out << name;
        return out;
    };
    QStringList enabledWhileBusy;
    bool checked = false;
    bool closedWhileBusy = false;
    QSignalSpy read(w.get(), &FrmBusaccess::programRead);
    // Runs from the event processing of the action's waits.
    QTimer::singleShot(0, w.get(), [&] {
        if (!w->busy())
            return;
        checked = true;
        enabledWhileBusy = enabled();
        // Neither a click nor a direct call starts a second action, and the window stays.
        click(*w, "cmdbusread");
        w->cmdbusread();
        w->cmdbussearch();
        closedWhileBusy = !w->close();
    });
    w->show();
    const QStringList enabledBefore = enabled();
    ASSERT_TRUE(enabledBefore.contains(QStringLiteral("cmdbusread")));
    click(*w, "cmdbusprog");
    ASSERT_TRUE(checked);
    EXPECT_TRUE(enabledWhileBusy.isEmpty()) << enabledWhileBusy.join(' ').toStdString();
    EXPECT_TRUE(closedWhileBusy);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(read.count(), 0);
    EXPECT_EQ(status(*w), QStringLiteral("Ok"));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    // The log is the write's alone: no read and no search ran inside it.
    const QByteArray log = readFile(path(QStringLiteral("protocol.txt")));
    EXPECT_TRUE(log.contains("Lese Applikation"));
    EXPECT_FALSE(log.contains("lese Schaltzeit"));
    EXPECT_FALSE(log.contains("1.1.3"));
    // Afterwards each control is as it was before.
    EXPECT_EQ(enabled(), enabledBefore);
    w->close();
}

class BusMenu : public DesktopFixture {
protected:
    // A bus device type on the simulated bus, holding the program of the frame.
    void startOnBus()
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), work(kTransferApplicationFileName)));
        ASSERT_TRUE(writeFile(work(QStringLiteral("bus-sim.ini")), "[bus]\npacing = off\n[device 1.1.2]\n"));
        startWith(20);
        model().program() = canonical738().program();
        frame()->ShowList();
    }
    // Opens the bus window and runs `inside` on it while it is open.
    void inBusWindow(const std::function<void(FrmBusaccess&)>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* w = frame()->findChild<FrmBusaccess*>();
            if (!w)
                return;
            w->findChild<QLineEdit*>(QStringLiteral("txtPhysadr"))->setText(QStringLiteral("1.1.2"));
            inside(*w);
            ran = true;
            w->close();
        });
        action("mnuBusaccess")->trigger();
        EXPECT_TRUE(ran);
    }
    static void press(FrmBusaccess& w, const char* button)
    {
        QTest::mouseClick(w.findChild<QPushButton*>(QString::fromUtf8(button)), Qt::LeftButton);
    }
};

TEST_F(BusMenu, EveryReadStartsAFreshHistory)
{
    startOnBus();
    inBusWindow([&](FrmBusaccess& w) {
        press(w, "cmdbusprog");
        press(w, "cmdbusread");
        EXPECT_EQ(offers(), 0) << "nothing is offered while the window is open";
    });
    EXPECT_EQ(offers(), 1) << "the comparison with a file, once the window is closed";
    ASSERT_TRUE(frame()->isWindowModified());
    const QString name = model().program().Dateiname;
    const QStringList read = gridText();
    EXPECT_FALSE(action("mnuBaUndo")->isEnabled());

    // The program read is changed, not saved, and read again: the second
    // read gets the same free file name and is no step of the first.
    model().program().ProgNr = 4711;
    model().Geaendert = 1;
    frame()->ShowList();
    ASSERT_TRUE(action("mnuBaUndo")->isEnabled());
    answer(TextId::SaveChangesIn, Answer::No);
    inBusWindow([&](FrmBusaccess& w) { press(w, "cmdbusread"); });
    EXPECT_EQ(model().program().Dateiname, name);
    EXPECT_EQ(frame()->history().stack().count(), 0);
    EXPECT_FALSE(action("mnuBaUndo")->isEnabled());
    EXPECT_TRUE(frame()->isWindowModified());
    EXPECT_EQ(gridText(), read);
}

// A read into the open program replaces what the bus carries (times and
// the summer/winter table) and keeps what it does not: texts, program
// number, write protection, astro settings. The window says so.
TEST_F(BusMenu, AReadKeepsWhatTheBusDoesNotCarry)
{
    startOnBus();
    inBusWindow([&](FrmBusaccess& w) { press(w, "cmdbusprog"); });
    ProgramSlot& s = model().program();
    s.Verwendung = QStringLiteral("Schule");
    s.Kanalname[0] = QStringLiteral(" Flur");
    s.ProgNr = 4711;
    s.Schreibschutz = 1;
    s.astro.AstroLaenge = -7.0f;
    s.astro.AstroAktiv[1] = -1;
    model().Geaendert = 1;
    frame()->ShowList();
    const ProgramSlot before = s;
    answer(TextId::SaveChangesIn, Answer::No);
    QString said;
    inBusWindow([&](FrmBusaccess& w) {
        press(w, "cmdbusread");
        said = w.findChild<QLabel*>(QStringLiteral("lblstatus"))->text();
    });
    const ProgramSlot& after = model().program();
    EXPECT_EQ(std::tuple(after.Verwendung, after.Kanalname, after.ProgNr, after.Schreibschutz),
              std::tuple(before.Verwendung, before.Kanalname, before.ProgNr, before.Schreibschutz));
    EXPECT_EQ(after.astro, before.astro);
    EXPECT_NE(after.Dateiname, before.Dateiname);
    EXPECT_TRUE(said.contains(QStringLiteral("Astro-Einstellungen"))) << said.toStdString();
}

TEST_F(BusMenu, SavesBeforeATransferAndAtTheExitQuestionAreRecentFiles)
{
    startOnBus();
    inBusWindow([&](FrmBusaccess& w) {
        press(w, "cmdbusprog");
        press(w, "cmdbusread");
    });
    const QString read = model().program().Dateiname;
    ASSERT_FALSE(read.isEmpty());
    // Written back to the device: saved first, and named first as it was
    // never saved (the free default name offered).
    answer(TextId::OnlySavedDataExport, Answer::Ok);
    chooser_.save = read;
    const int dialogs = chooser_.asked;
    inBusWindow([&](FrmBusaccess& w) { press(w, "cmdbusprog"); });
    EXPECT_EQ(chooser_.asked, dialogs + 1);
    EXPECT_EQ(chooser_.suggested, read);
    ASSERT_TRUE(QFile::exists(read));
    EXPECT_FALSE(frame()->isWindowModified());
    const auto recent = [&] {
        RecentFiles files(workDir());
        files.load();
        return files.files();
    };
    ASSERT_FALSE(recent().isEmpty());
    EXPECT_EQ(recent().front(), QFileInfo(read).absoluteFilePath());

    // A second read, saved by the question as the program ends.
    answer(TextId::SaveChangesIn, Answer::No);
    inBusWindow([&](FrmBusaccess& w) { press(w, "cmdbusread"); });
    const QString second = model().program().Dateiname;
    ASSERT_NE(second, read);
    answer(TextId::SaveChangesIn, Answer::Yes);
    frame()->close();
    ASSERT_TRUE(QFile::exists(second));
    ASSERT_GE(recent().size(), 2);
    EXPECT_EQ(recent().front(), QFileInfo(second).absoluteFilePath());
}

TEST_F(BusMenu, OfferedOnlyOnTheBusDeviceTypesAndOpensTheWindow)
{
    startWith(4);
    ASSERT_NE(action("mnuBusaccess"), nullptr);
    EXPECT_FALSE(action("mnuBusaccess")->isVisible());
    app_.reset();
    startWith(20);
    QAction* a = action("mnuBusaccess");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(WithoutMnemonic(a->text()), QStringLiteral("Buszugriff"));
    inBusWindow([](FrmBusaccess&) {});
}

} // namespace

// A search can be stopped, by its stop button or by "Beenden": it ends once
// the address in progress has answered, keeps the time switches found so
// far, and "Beenden" then closes the window.
TEST_F(BusWindow, ASearchStopsAfterTheAddressInProgressKeepingWhatItFound)
{
    for (const char* stopper : {"cmdbusstop", "cmdBusend"}) {
        auto w = window();
        w->show();
        child<QLineEdit>(*w, "txtbisTeilnehmer")->setText(QStringLiteral("9"));
        auto* stop = child<QPushButton>(*w, "cmdbusstop");
        EXPECT_FALSE(stop->isEnabled());
        bool usable = false;
        // While 1.1.2 (the time switch) is asked, the user stops.
        QObject::connect(child<QLineEdit>(*w, "txtstatus"), &QLineEdit::textChanged, w.get(),
                         [&](const QString& text) {
                             if (!text.endsWith(QStringLiteral("1.1.2")) || usable)
                                 return;
                             usable = stop->isEnabled() && child<QPushButton>(*w, "cmdBusend")->isEnabled();
                             child<QPushButton>(*w, stopper)->click();
                         });
        click(*w, "cmdbussearch");
        EXPECT_TRUE(usable) << stopper;
        auto* found = child<QComboBox>(*w, "cboPhysadr");
        ASSERT_EQ(found->count(), 1) << stopper;
        EXPECT_EQ(found->itemText(0), QStringLiteral("1.1.2"));
        const QString log = QString::fromUtf8(readFile(path(QStringLiteral("protocol.txt"))));
        EXPECT_TRUE(log.contains(QStringLiteral("1.1.2"))) << stopper;
        EXPECT_FALSE(log.contains(QStringLiteral("1.1.3"))) << stopper << " asked on after the stop";
        EXPECT_FALSE(stop->isEnabled());
        EXPECT_EQ(w->isVisible(), std::string(stopper) == "cmdbusstop") << stopper;
        EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    }
}
