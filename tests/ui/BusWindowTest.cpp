// The bus access window driven through its widgets against the simulated bus, and its menu command on the bus device
// types.

#include "tests/support/TestPrograms.h"
#include "tests/ui/BusWindowDrive.h"
#include "tests/ui/DesktopFixture.h"

#include "app/RecentFiles.h"
#include "language/LanguageChoice.h"
#include "transfer/bus/BusApplication.h"
#include "transfer/sim/SimulatedBus.h"
#include "ui/frame/UndoHistory.h"
#include "ui/transfer/FrmBusaccess.h"

#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QUndoStack>

#include <functional>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

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
        ASSERT_TRUE(writeFile(path(u"bus-sim.ini"_s), "[bus]\npacing = off\n[device 1.1.2]\n" + deviceLines + "[device 1.1.3]\nmask = 0x0020\n"));
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
    static void click(const QWidget& w, const char* button) { QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton); }
    static void address(const QWidget& w, const QString& text) { child<QLineEdit>(w, "txtPhysadr")->setText(text); }
    static QString status(const QWidget& w) { return child<QLineEdit>(w, "txtstatus")->text(); }
    static bool reinstallShown(const QWidget& w) { return !child<QPushButton>(w, "cmd_appl_reinstall")->isHidden(); }
    QByteArray log() const { return readFile(path(u"protocol.txt"_s)); }
    QStringList messages() const
    {
        QStringList m;
        for (const Prompt& p : ui.asked()) m << p.render(texts);
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
    EXPECT_EQ(w->windowTitle(), u"Buszugriff auf Schaltuhr"_s);
    EXPECT_EQ(std::pair(status(*w), reinstallShown(*w)), std::pair(u"bereit"_s, false));
    SearchWriteAndReadBack(*w, model);
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    EXPECT_EQ(std::tuple(reinstallShown(*w), model.Geaendert, log().isEmpty()), std::tuple(false, 1, false));
}

TEST_F(BusWindow, AFailedRestoreKeepsReinstallOfferedAcrossWindows)
{
    describe("restore-fails\n");
    {
        auto w = window();
        address(*w, u"1.1.2"_s);
        click(*w, "cmdbusprog");
        EXPECT_EQ(std::tuple(status(*w), messages(), reinstallShown(*w)), std::tuple(u"nicht erfolgreich"_s, QStringList{u"Speicher wurde nicht beschrieben"_s}, true));
    }
    describe("");
    // Offered again in a new window, with the address filled in.
    auto w = window();
    EXPECT_EQ(child<QLineEdit>(*w, "txtPhysadr")->text(), u"1.1.2"_s);
    ASSERT_TRUE(reinstallShown(*w));
    click(*w, "cmd_appl_reinstall");
    EXPECT_EQ(std::pair(status(*w), reinstallShown(*w)), std::pair(u"Ok"_s, false));
    EXPECT_FALSE(QFile::exists(path(u"appl-1.1.2.old"_s)));
}

// An invalid address is refused before anything is sent; a link that cannot be opened ends as "not successful", with
// its reason in the log.
TEST_F(BusWindow, RefusalsBeforeTheBus)
{
    auto w = window();
    for (const char* text : {"1.13.1", "16.0.1", "1.1.0", "1.1.256"}) address(*w, QString::fromLatin1(text)), click(*w, "cmdbusprog");
    EXPECT_EQ(std::tuple(messages(), status(*w), QFile::exists(path(u"protocol.txt"_s))), std::tuple(QStringList(4, u"no valid physical Adress"_s), u"bereit"_s, false));

    w->openLink = [](const QString&, QString* error) { return *error = u"bus-sim.ini fehlt"_s, std::unique_ptr<EibLink>(); };
    address(*w, u"1.1.2"_s);
    for (const char* button : {"cmdbusprog", "cmdbussearch"}) {
        const qsizetype shown = messages().size();
        QFile::remove(path(u"protocol.txt"_s)), click(*w, button);
        EXPECT_EQ(std::tuple(status(*w), messages().mid(shown), log()), std::tuple(u"nicht erfolgreich"_s, QStringList{u"Keine Busverbindung: bus-sim.ini fehlt"_s}, QByteArray("Keine Busverbindung: bus-sim.ini fehlt\r\n"))) << button;
    }
}

TEST_F(BusWindow, WhileAnActionRunsEveryControlIsDisabledAndNothingElseStarts)
{
    auto w = window();
    address(*w, u"1.1.2"_s);
    const auto enabled = [&] {
        QStringList out;
        for (const char* name : {"optcom1", "optcom2", "txtBereich", "txtBuslinie", "txtvonTeilnehmer", "txtbisTeilnehmer", "cmdbussearch", "cboPhysadr", "txtPhysadr", "cmdbusprog", "cmdbusread", "cmdBusend"})
            if (child<QWidget>(*w, name)->isEnabled()) out << QString::fromLatin1(name);
        return out;
    };
    QStringList enabledWhileBusy;
    bool checked = false, closedWhileBusy = false;
    QSignalSpy read(w.get(), &FrmBusaccess::programRead);
    // Runs from the event processing of the action's waits: neither a click nor a direct call starts a second action,
    // and the window stays.
    QTimer::singleShot(0, w.get(), [&] {
        if (!w->busy()) return;
        checked = true;
        enabledWhileBusy = enabled();
        click(*w, "cmdbusread"), w->cmdbusread(), w->cmdbussearch();
        closedWhileBusy = !w->close();
    });
    w->show();
    const QStringList enabledBefore = enabled();
    ASSERT_TRUE(enabledBefore.contains(u"cmdbusread"_s));
    click(*w, "cmdbusprog");
    ASSERT_TRUE(checked);
    EXPECT_TRUE(enabledWhileBusy.isEmpty() && closedWhileBusy && w->isVisible()) << enabledWhileBusy.join(' ').toStdString();
    EXPECT_EQ(std::pair(read.count(), status(*w)), std::pair(qsizetype(0), u"Ok"_s));
    EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    // The log is the write's alone: no read and no search ran inside it.
    EXPECT_TRUE(log().contains("Lese Applikation") && !log().contains("lese Schaltzeit") && !log().contains("1.1.3"));
    EXPECT_EQ(enabled(), enabledBefore) << "afterwards each control is as it was before";
    w->close();
}

// A search can be stopped, by its stop button or by "Beenden": it ends once the address in progress has answered,
// keeps the time switches found so far, and "Beenden" then closes the window.
TEST_F(BusWindow, ASearchStopsAfterTheAddressInProgressKeepingWhatItFound)
{
    for (const char* stopper : {"cmdbusstop", "cmdBusend"}) {
        SCOPED_TRACE(stopper);
        auto w = window();
        w->show(), child<QLineEdit>(*w, "txtbisTeilnehmer")->setText(u"9"_s);
        auto* stop = child<QPushButton>(*w, "cmdbusstop");
        EXPECT_FALSE(stop->isEnabled());
        bool usable = false;
        // While 1.1.2 (the time switch) is asked, the user stops.
        QObject::connect(child<QLineEdit>(*w, "txtstatus"), &QLineEdit::textChanged, w.get(), [&](const QString& text) {
            if (!text.endsWith(u"1.1.2"_s) || usable) return;
            usable = stop->isEnabled() && child<QPushButton>(*w, "cmdBusend")->isEnabled();
            child<QPushButton>(*w, stopper)->click();
        });
        click(*w, "cmdbussearch");
        auto* found = child<QComboBox>(*w, "cboPhysadr");
        EXPECT_EQ(std::tuple(usable, found->count(), found->itemText(0), stop->isEnabled(), w->isVisible()), std::tuple(true, 1, u"1.1.2"_s, false, std::string(stopper) == "cmdbusstop"));
        EXPECT_TRUE(log().contains("1.1.2") && !log().contains("1.1.3")) << "asked on after the stop";
        EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
    }
}

class BusMenu : public DesktopFixture {
protected:
    // A bus device type on the simulated bus, holding the program of the frame.
    void startOnBus()
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/remote.s19"), work(kTransferApplicationFileName)));
        ASSERT_TRUE(writeFile(work(u"bus-sim.ini"_s), "[bus]\npacing = off\n[device 1.1.2]\n"));
        startWith(20);
        model().program() = canonical738().program();
        frame()->ShowList();
    }
    // Opens the bus window, presses `buttons` for 1.1.2 and closes it; the status line after the last press.
    QString inBusWindow(std::initializer_list<const char*> buttons)
    {
        QString said;
        bool ran = false;
        const int offered = offers();
        QTimer::singleShot(0, [&] {
            auto* w = frame()->findChild<FrmBusaccess*>();
            if (!w) return;
            child<QLineEdit>(w, "txtPhysadr")->setText(u"1.1.2"_s);
            for (const char* button : buttons) QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
            EXPECT_EQ(offers(), offered) << "nothing is offered while the window is open";
            said = child<QLabel>(w, "lblstatus")->text();
            ran = true;
            w->close();
        });
        action("mnuBusaccess")->trigger();
        EXPECT_TRUE(ran);
        return said;
    }
    QStringList recent() const
    {
        RecentFiles files(workDir());
        files.load();
        return files.files();
    }
};

// A read into the open program replaces what the bus carries (times and the summer/winter table) in a fresh history
// and keeps what it does not: texts, program number, write protection, astro settings. The window says so; the
// comparison with a file is offered once it is closed. Read again unsaved, the program gets the same free file name.
// Written back it is saved first, named first as it was never saved; a later read is saved by the question as the
// program ends. Both files become recent files.
TEST_F(BusMenu, ReadsStartAFreshHistoryKeepWhatTheBusDoesNotCarryAndAreSaved)
{
    startOnBus();
    inBusWindow({"cmdbusprog", "cmdbusread"});
    EXPECT_EQ(offers(), 1);
    ASSERT_TRUE(frame()->isWindowModified());
    const QString name = model().program().Dateiname;
    const QStringList read = gridText();
    EXPECT_FALSE(action("mnuBaUndo")->isEnabled());
    ProgramSlot& s = model().program();
    s.Verwendung = u"Schule"_s;
    s.Kanalname[0] = u" Flur"_s;
    s.ProgNr = 4711;
    s.Schreibschutz = 1;
    s.astro.AstroLaenge = -7.0f;
    s.astro.AstroAktiv[1] = -1;
    model().Geaendert = 1;
    frame()->ShowList();
    ASSERT_TRUE(action("mnuBaUndo")->isEnabled());
    const ProgramSlot before = s;
    answer(TextId::SaveChangesIn, Answer::No);
    const QString said = inBusWindow({"cmdbusread"});
    const ProgramSlot& after = model().program();
    EXPECT_EQ(std::tuple(after.Verwendung, after.Kanalname, after.ProgNr, after.Schreibschutz), std::tuple(before.Verwendung, before.Kanalname, before.ProgNr, before.Schreibschutz));
    EXPECT_EQ(after.astro, before.astro);
    EXPECT_TRUE(said.contains(u"Astro-Einstellungen"_s)) << said.toStdString();
    EXPECT_EQ(std::tuple(after.Dateiname, frame()->history().stack().count(), action("mnuBaUndo")->isEnabled(), frame()->isWindowModified()), std::tuple(name, 0, false, true));
    EXPECT_EQ(gridText(), read);

    answer(TextId::OnlySavedDataExport, Answer::Ok);
    chooser_.save = name;
    const int dialogs = chooser_.asked;
    inBusWindow({"cmdbusprog"});
    EXPECT_EQ(std::pair(chooser_.asked, chooser_.suggested), std::pair(dialogs + 1, name));
    EXPECT_TRUE(QFile::exists(name) && !frame()->isWindowModified());
    EXPECT_EQ(recent().value(0), QFileInfo(name).absoluteFilePath());
    inBusWindow({"cmdbusread"});
    const QString second = model().program().Dateiname;
    ASSERT_NE(second, name);
    answer(TextId::SaveChangesIn, Answer::Yes);
    frame()->close();
    EXPECT_TRUE(QFile::exists(second));
    EXPECT_EQ(recent().mid(0, 2), (QStringList{QFileInfo(second).absoluteFilePath(), QFileInfo(name).absoluteFilePath()}));
}

TEST_F(BusMenu, OfferedOnlyOnTheBusDeviceTypesAndOpensTheWindow)
{
    startWith(4);
    ASSERT_NE(action("mnuBusaccess"), nullptr);
    EXPECT_FALSE(action("mnuBusaccess")->isVisible());
    app_.reset();
    startWith(20);
    EXPECT_TRUE(action("mnuBusaccess")->isVisible());
    EXPECT_EQ(WithoutMnemonic(action("mnuBusaccess")->text()), u"Buszugriff"_s);
    inBusWindow({});
    // With every command of a bus device in the menus, each keeps a letter of
    // its own in every language: none falls back to a digit ("Buszugriff (&1)").
    for (const int sprache : {kSpracheDeutsch, kSpracheEnglisch, kSpracheFranzoesisch}) {
        restart(20, sprache);
        for (const QMenu* menu : frame()->menuBar()->findChildren<QMenu*>())
            for (const QAction* a : menu->actions())
                EXPECT_FALSE(a->text().contains(QRegularExpression(u"\\(&\\d\\)"_s))) << sprache << ": " << a->text().toStdString();
    }
}

} // namespace
