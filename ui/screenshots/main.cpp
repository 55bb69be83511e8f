// Renders the main windows of the desktop program to PNG files for the help
// and the documentation, once in each language the program ships:
// zendrik-screenshots DATA_DIR OUT_DIR writes OUT_DIR/de, OUT_DIR/en and
// OUT_DIR/fr. Each language runs the program in a working directory of its
// own, as a user of that language starts it. Runs on the offscreen platform
// unless another one is asked for.

#include "app/FileChooser.h"
#include "model/UserInteraction.h"
#include "ui/astro/FrmAstro.h"
#include "ui/calendar/FrmEinSW.h"
#include "ui/calendar/FrmFeiertage.h"
#include "ui/checks/CheckCommands.h"
#include "ui/checks/CheckDock.h"
#include "ui/device/FrmGeraetEinst.h"
#include "ui/entry/FrmAutoEinst.h"
#include "ui/entry/FrmEingPZ.h"
#include "ui/entry/FrmEingSz.h"
#include "ui/frame/MainMenu.h"
#include "ui/list/FrmFilter.h"
#include "ui/main/DesktopApp.h"
#include "ui/main/FrmStartbild.h"
#include "ui/main/MdiForm1.h"
#include "ui/print/FrmDruck.h"
#include "ui/simulation/FrmGrafik.h"
#include "ui/transfer/FrmBusaccess.h"
#include "ui/transfer/FrmIRAccess.h"
#include "ui/transfer/FrmMaster.h"
#include "ui/transfer/FrmSerielIo.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeWidget>

#include <cstdio>

namespace {

// The screenshots open their files directly; no dialog is ever asked for.
class NoChooser : public zendrik::FileChooser {
public:
    QString chooseOpenFile() override { return QString(); }
    QString chooseSaveFile(const QString&) override { return QString(); }
    QString chooseTranslationFile() override { return QString(); }
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

// Types into a dialog's text box and leaves it with Tab.
void typeInto(QWidget* dialog, const char* box, const QString& text)
{
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(box));
    edit->setFocus();
    edit->setText(text);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(edit, &tab);
}

void click(QWidget* dialog, const char* name)
{
    dialog->findChild<QAbstractButton*>(QString::fromUtf8(name))->click();
}

// The pictures are kept small: a window's few colours (and the shades of its
// smoothed text) fit a palette of 256, which PNG stores in a byte a pixel.
bool save(QWidget* w, const QString& path)
{
    settle();
    const QImage picture = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const bool ok = picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
                        .save(path, "PNG", 0);
    QTextStream(stdout) << (ok ? "wrote " : "could not write ") << path << '\n';
    return ok;
}

// Copies the shipped data files (brand, holidays, places, samples) into the working directory.
bool prepare(const QDir& data, const QDir& work)
{
    bool ok = true;
    for (const QString& name : data.entryList(QDir::Files))
        ok = QFile::copy(data.filePath(name), work.filePath(name)) && ok;
    const QDir samples(data.filePath(QStringLiteral("samples")));
    for (const QString& name : samples.entryList({QStringLiteral("*.zpg")}, QDir::Files))
        ok = QFile::copy(samples.filePath(name), work.filePath(name)) && ok;
    return ok;
}

// What each language's pictures show: the same windows with the data a user
// of that language finds (the holiday set, the place, the time zone).
struct Language {
    const char* folder;
    const char* startButton;
    const char* holidaySet;
    const char* movableHoliday;
    const char* zone;
    const char* place;
};

const Language kLanguages[] = {
    {"de", "AniDeutsch", "Bayern", "Karfreitag", "Europe/Berlin", "München"},
    {"en", "AniEnglisch", "England and Wales", "Good Friday", "Europe/London", "London"},
    {"fr", "AniFrance", "France", "Vendredi saint", "Europe/Paris", "Paris"},
};

// Starts the program on its start screen in the language.
void chooseLanguage(zendrik::DesktopApp& app, const Language& language)
{
    app.startScreen()->findChild<QAbstractButton*>(QString::fromLatin1(language.startButton))->click();
    settle();
}

bool renderLanguage(const QDir& data, const QDir& out, const Language& language)
{
    QTemporaryDir work;
    if (!work.isValid() || !QDir().mkpath(out.path()) || !prepare(data, QDir(work.path()))) {
        std::fprintf(stderr, "cannot prepare the working directory\n");
        return false;
    }
    zendrik::ScriptedInteraction answers = zendrik::ScriptedInteraction::answering(false);
    NoChooser chooser;
    // The pictures show the windows at the sizes chosen below, as on a
    // large desktop (the offscreen screen is smaller).
    const auto largeDesktop = [](const QWidget*) { return QRect(0, 0, 1600, 1000); };
    zendrik::DesktopApp desktop(work.path(), &answers, &chooser);
    desktop.setScreenArea(largeDesktop);
    if (!desktop.start())
        return false;
    chooseLanguage(desktop, language);

    bool ok = save(desktop.startScreen(), out.filePath(QStringLiteral("start-screen.png")));

    // A four-channel weekly switch with the school sample.
    emit desktop.startScreen()->confirmed(4);
    zendrik::MdiForm1* frame = desktop.mainFrame();
    frame->resize(1180, 720);
    // The program works in its working directory: the file keeps its short name.
    frame->openFile(QStringLiteral("Schule.zpg"));
    ok = save(frame, out.filePath(QStringLiteral("main-switching-times.png"))) && ok;

    frame->menu().action(QStringLiteral("mnuAnsPz"))->trigger();
    ok = save(frame, out.filePath(QStringLiteral("main-priority-times.png"))) && ok;

    // The program check beside the priority times: two of them call a
    // program that leaves channels alone; their rows carry the marker.
    frame->menu().action(QStringLiteral("mnuBaPruefen"))->trigger();
    if (zendrik::CheckDock* dock = frame->checkCommands().dock())
        dock->findingList()->setCurrentItem(dock->findingList()->topLevelItem(0));
    settle();
    ok = save(frame, out.filePath(QStringLiteral("check-dock.png"))) && ok;
    if (zendrik::CheckDock* dock = frame->checkCommands().dock())
        dock->close();
    settle();

    frame->menu().action(QStringLiteral("mnuEinstGerät"))->trigger();
    ok = save(frame->findChild<zendrik::FrmGeraetEinst*>(), out.filePath(QStringLiteral("device-properties.png")))
        && ok;
    frame->findChild<zendrik::FrmGeraetEinst*>()->reject();

    frame->menu().action(QStringLiteral("mnuBaFilt"))->trigger();
    ok = save(frame->findChild<zendrik::FrmFilter*>(), out.filePath(QStringLiteral("filter.png"))) && ok;
    frame->findChild<zendrik::FrmFilter*>()->reject();

    frame->menu().action(QStringLiteral("mnuDatDruck"))->trigger();
    auto* druck = frame->findChild<zendrik::FrmDruck*>();
    for (const char* box : {"chkprsz", "chkprpz", "chkprgeräteeigenschaften"})
        click(druck, box);
    ok = save(druck, out.filePath(QStringLiteral("print.png"))) && ok;
    druck->reject();

    // The serial transfer window as the program shows it while it writes the
    // school program into the chip at COM1.
    using zendrik::TextId;
    zendrik::FrmSerielIo transfer(desktop.texts(), frame);
    transfer.transferStarted();
    transfer.labelChanged(zendrik::Prompt::message(zendrik::Icon::None, {TextId::SerialWritingChip, QStringLiteral("Schule.zpg"), QStringLiteral(" "), TextId::ViaCom, QStringLiteral("1")}));
    transfer.progressChanged(77, 129);
    ok = save(&transfer, out.filePath(QStringLiteral("serial-transfer.png"))) && ok;
    transfer.transferEnded();

    // A weekly switching time stored, the next one being typed.
    frame->menu().action(QStringLiteral("mnuBaSz"))->trigger();
    auto* sz = frame->findChild<zendrik::FrmEingSz*>();
    settle();
    QApplication::setActiveWindow(sz);
    typeInto(sz, "txtAnzstd", QStringLiteral("7"));
    typeInto(sz, "txtAnzMin", QStringLiteral("15"));
    for (const char* box : {"chkMontag", "chkDienstag", "chkMittwoch", "chkDonnerstag", "chkFreitag", "chkKan1"})
        click(sz, box);
    click(sz, "cmdSzok");
    typeInto(sz, "txtAnzstd", QStringLiteral("16"));
    typeInto(sz, "txtAnzMin", QStringLiteral("45"));
    click(sz, "cmdEinAus");
    ok = save(sz, out.filePath(QStringLiteral("entry-switching-time.png"))) && ok;
    sz->reject();

    // A priority time for the Christmas days, then a movable holiday chosen from a set.
    frame->menu().action(QStringLiteral("mnuBaPz"))->trigger();
    auto* pz = frame->findChild<zendrik::FrmEingPZ*>();
    settle();
    QApplication::setActiveWindow(pz);
    typeInto(pz, "txtvonTag", QStringLiteral("24"));
    typeInto(pz, "txtvonMon", QStringLiteral("12"));
    typeInto(pz, "txtbistag", QStringLiteral("26"));
    typeInto(pz, "txtbisMon", QStringLiteral("12"));
    typeInto(pz, "txtAnzPrio", QStringLiteral("2"));
    click(pz, "chkKan3");
    click(pz, "cmdPzOk");
    click(pz, "chk_bew_Feiertage");
    auto* holidays = pz->findChild<QListWidget*>(QStringLiteral("lst_bew_Feiertage"));
    const QList<QListWidgetItem*> goodFriday =
        holidays->findItems(QString::fromUtf8(language.movableHoliday), Qt::MatchExactly);
    if (!goodFriday.isEmpty())
        holidays->setCurrentItem(goodFriday.first());
    ok = save(pz, out.filePath(QStringLiteral("entry-priority-time.png"))) && ok;
    pz->reject();

    frame->menu().action(QStringLiteral("mnuEinstAuto"))->trigger();
    auto* assistant = frame->findChild<zendrik::FrmAutoEinst*>();
    ok = save(assistant, out.filePath(QStringLiteral("edit-assistant.png"))) && ok;
    assistant->reject();

    // The holidays of a set with their dates, and the table dialog with a time zone's preview.
    frame->menu().action(QStringLiteral("mnu_Einst_Ft"))->trigger();
    settle();
    if (auto* ft = frame->findChild<zendrik::FrmFeiertage*>()) {
        if (auto* sets = ft->findChild<QComboBox*>(QStringLiteral("cbo_Sets")); sets && sets->count() > 0)
            sets->setCurrentIndex(std::max(0, sets->findText(QString::fromUtf8(language.holidaySet))));
        ft->resize(1100, 560);
        ok = save(ft, out.filePath(QStringLiteral("holidays.png"))) && ok;
        ft->reject();
    }
    frame->menu().action(QStringLiteral("mnuBaSw"))->trigger();
    settle();
    if (auto* sw = frame->findChild<zendrik::FrmEinSW*>()) {
        if (auto* zone = sw->findChild<QComboBox*>(QStringLiteral("cboZone")))
            zone->setCurrentText(QString::fromLatin1(language.zone));
        click(sw, "cmdSwNeu");
        ok = save(sw, out.filePath(QStringLiteral("dst-table.png"))) && ok;
        sw->reject();
    }

    // The astro dialog of the bus device for a place of the language's place list.
    // A second run of the program, so the windows above stay as they are.
    zendrik::DesktopApp bus(work.path(), &answers, &chooser);
    bus.setScreenArea(largeDesktop);
    if (!bus.start())
        return false;
    chooseLanguage(bus, language);
    emit bus.startScreen()->confirmed(20);
    bus.model().clock = [] { return QDateTime(QDate(2026, 6, 21), QTime(10, 0)); };
    frame = bus.mainFrame();
    frame->menu().action(QStringLiteral("mnuBaAstro"))->trigger();
    if (auto* astro = frame->findChild<zendrik::FrmAstro*>()) {
        auto* places = astro->findChild<QComboBox*>(QStringLiteral("cboOrt"));
        const int place = places->findText(QString::fromUtf8(language.place));
        if (place >= 0) {
            places->setCurrentIndex(place);
            emit places->activated(place);
        }
        astro->resize(760, 720);
        ok = save(astro, out.filePath(QStringLiteral("astro-data.png"))) && ok;
        astro->reject();
    }

    // The infrared window set to the clock job with a typed time, and the
    // coding window of a master card with "EIB TP" and "IR".
    frame->menu().action(QStringLiteral("mnuIRAccess"))->trigger();
    if (auto* ir = frame->findChild<zendrik::FrmIRAccess*>()) {
        click(ir, "Option1_2");
        ir->findChild<QLineEdit*>(QStringLiteral("TxtUz"))->setText(QStringLiteral("07:30:00"));
        ir->findChild<QLineEdit*>(QStringLiteral("txtdat"))->setText(QStringLiteral("07.12.26"));
        ir->progressChanged(0, 120);
        ok = save(ir, out.filePath(QStringLiteral("infrared.png"))) && ok;
        ir->reject();
    }
    desktop.model().device.MasterKennung = 0;
    frame->menu().action(QStringLiteral("mnuMaster"))->trigger();
    if (auto* master = frame->findChild<zendrik::FrmMaster*>()) {
        for (const char* name : {"optmastercard", "Check1", "Check5"})
            click(master, name);
        ok = save(master, out.filePath(QStringLiteral("master-card.png"))) && ok;
        master->reject();
    }

    // The bus access window after a search on line 1.1 found two time
    // switches, one of them being programmed.
    {
        zendrik::FrmBusaccess bus(desktop.model(), answers, desktop.texts(), work.path(), frame);
        auto* found = bus.findChild<QComboBox*>(QStringLiteral("cboPhysadr"));
        found->addItems({QStringLiteral("1.1.5"), QStringLiteral("1.1.12")});
        bus.findChild<QLineEdit*>(QStringLiteral("txtPhysadr"))->setText(QStringLiteral("1.1.5"));
        bus.labelChanged(zendrik::Prompt::message(zendrik::Icon::None, {TextId::EibLogWriteSwitchingTime, QStringLiteral("17")}));
        bus.progressChanged(119, 139);
        ok = save(&bus, out.filePath(QStringLiteral("bus-access.png"))) && ok;
    }

    // The simulation of the administration building's sample: channel C4
    // follows the sun; the pointer rests on the sunrise of midsummer day.
    frame->openFile(QStringLiteral("Verwaltung.zpg"));
    frame->menu().action(QStringLiteral("mnuAnsGrafik"))->trigger();
    if (zendrik::FrmGrafik* sim = frame->simulationWindow()) {
        sim->resize(1040, 800);
        sim->findChild<QComboBox*>(QStringLiteral("cboKanal"))->setCurrentIndex(3);
        sim->showDay(QDate(2026, 6, 21).dayOfYear());
        settle();
        const zendrik::DayProfile& day = sim->shownProfile();
        const int sunrise = day.segments.empty() ? 0 : day.segments.front().length;
        zendrik::DayGraphView* graph = sim->dayGraph();
        const int x = graph->xOfMinute(sunrise);
        QMouseEvent move(QEvent::MouseMove, QPointF(x, graph->height() / 2), graph->mapToGlobal(QPointF(x, 10)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(graph, &move);
        ok = save(sim, out.filePath(QStringLiteral("simulation.png"))) && ok;
        sim->close();
    }

    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zendrik-screenshots DATA_DIR OUT_DIR\n");
        return 2;
    }
    // The program moves into its working directory: the folders are fixed first.
    const QString start = QDir::currentPath();
    const QDir data(QDir(start).absoluteFilePath(args[1]));
    const QDir out(QDir(start).absoluteFilePath(args[2]));
    bool ok = true;
    for (const Language& language : kLanguages) {
        ok = renderLanguage(data, QDir(out.filePath(QString::fromLatin1(language.folder))), language) && ok;
        QDir::setCurrent(start);
    }
    return ok ? 0 : 1;
}
