// Every window on a small screen (1024 x 600, a netbook's), in the three languages, with the normal and a one and a
// half times larger font: each window opens inside the screen, its controls are whole and apart, and its captions are
// in the language the user chose.
#include "tests/ui/DesktopFixture.h"

#include "paint/YearGraphPainter.h"
#include "ui/checks/CheckCommands.h"
#include "ui/checks/CheckDock.h"
#include "ui/frame/MainMenu.h"
#include "ui/main/ProgramHeader.h"
#include "ui/simulation/FrmGrafik.h"
#include "ui/transfer/FrmSerielIo.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSet>
#include <QTabBar>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

// The offscreen screen of this test is configured to the same size.
const QRect kSmallScreen(0, 0, 1024, 600);

constexpr int kRowFourChannels = 4, kRowMeterPulse = 8, kRowAstro752 = 19, kRowBus738 = 20;

// The commands run on each device type: those marked "=" change the main frame, which is then looked at; the others
// open a window: the main frame with each view, the sample's views and the check dock, every dialog.
const std::pair<int, const char*> kVisits[] = {
    {kRowFourChannels, "=mnuANSSz =mnuAnsPz =mnuAnsSw =mnuAnsSzVorl =mnuAnsPzVorl =mnuAnsSWVorl =mnuBaPruefen =mnuANSSz mnuBaSz mnuBaPz "
                       "mnuBaSw mnuBaFilt mnuEinstAuto mnu_Einst_Ft mnuEinstGerät mnuMaster mnuinfo mnuDatDruck mnuIRAccess mnuAnsGrafik "
                       "mnuDatVergl mnuDatVerglVorl mnuHilfeZu"},
    {kRowMeterPulse, "mnuEinstGerät"},
    {kRowAstro752, "=mnuAnsAsz mnuBaAstro mnuEinstGerät"},
    {kRowBus738, "=mnuBaPruefen =mnuAnsAsz mnuBaAstro mnuBusaccess mnuEinstGerät mnuAnsGrafik"},
};

struct FitCase {
    int sprache;
    double fontScale;
};

std::string CaseName(const ::testing::TestParamInfo<FitCase>& info)
{
    const char* languages[] = {"", "German", "English", "French"};
    return std::string(languages[info.param.sprache]) + (info.param.fontScale > 1.0 ? "LargeFont" : "NormalFont");
}

QString Plain(QString caption) { return caption.remove(QRegularExpression(u"<[^>]*>"_s)).remove(QRegularExpression(u"&(?=\\S)"_s)); }

// The words of the fixed German table that the language's own table does not use: such a word in an English or French
// window is a caption left in German. Words of our own table are caught by their German letters.
QSet<QString> GermanOnlyWords(int sprache)
{
    TextTable german, own;
    german.LoadGerman();
    sprache == 2 ? own.LoadEnglish() : own.LoadFrench();
    const QRegularExpression word(u"\\p{L}{4,}"_s);
    const auto words = [&word](const TextTable& t) {
        QSet<QString> out;
        for (int i = 0; i < kTextCount; ++i)
            for (const auto& m : word.globalMatch(Plain(t(static_cast<TextId>(i))))) out.insert(m.captured().toLower());
        return out;
    };
    // The program's name and the names of the languages are the same in every language.
    return words(german) - words(own) - QSet<QString>{u"zendrik"_s, u"deutsch"_s};
}

// The controls a user works with: buttons, check boxes, text, spin and combo boxes (not parts of other controls).
bool IsControl(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractItemView*>(p) || qobject_cast<const QScrollBar*>(p) || qobject_cast<const QTabBar*>(p) || qobject_cast<const QMenuBar*>(p)) return false;
    if (qobject_cast<const QDockWidget*>(w->parentWidget()) && qobject_cast<const QAbstractButton*>(w)) return false; // the dock's own title buttons
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w);
}

// The part of a widget the user sees, in window coordinates.
QRect SeenRect(const QWidget* w)
{
    const QWidget* window = w->window();
    QRect seen(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) seen &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    return seen & window->rect();
}

// The parent that cuts a widget, but a scroll area's viewport (the part behind it is reached by scrolling).
QString CutBy(const QWidget* w)
{
    const QWidget* window = w->window();
    for (const QWidget* c = w; c != window; c = c->parentWidget()) {
        const QWidget* p = c->parentWidget();
        const auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget());
        if (!(area && area->viewport() == p) && !p->rect().contains(c->geometry()))
            return p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className()) : p->objectName();
    }
    return QString();
}

QString Name(const QWidget* w)
{
    QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty()) name += u" \""_s + b->text() + u'"';
    return name;
}

QStringList CaptionsOf(const QWidget* window)
{
    QStringList captions{window->windowTitle()};
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) captions << b->text() << b->toolTip();
        else if (const auto* l = qobject_cast<const QLabel*>(w)) captions << l->text();
        else if (const auto* g = qobject_cast<const QGroupBox*>(w)) captions << g->title();
        else if (const auto* d = qobject_cast<const QDockWidget*>(w)) captions << d->windowTitle();
        else if (const auto* c = qobject_cast<const QComboBox*>(w); c && !c->isEditable())
            for (int i = 0; i < c->count(); ++i) captions << c->itemText(i);
        else if (const auto* h = qobject_cast<const QHeaderView*>(w); h && h->model())
            for (int i = 0; i < h->count(); ++i) captions << h->model()->headerData(i, h->orientation()).toString();
    }
    if (const auto* bar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly))
        for (const QAction* menu : bar->actions()) {
            captions << menu->text();
            for (const QAction* a : menu->menu() ? menu->menu()->actions() : QList<QAction*>())
                if (a->isVisible()) captions << a->text();
        }
    return captions;
}

class WindowFit : public DesktopFixture, public ::testing::WithParamInterface<FitCase> {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), kSmallScreen);
        for (const char* name : {"deutsch.hdy", "english.hdy", "france.hdy", "deutsch.ord", "english.ord", "france.ord"})
            QFile::copy(shipped(QString::fromLatin1(name)), work(QString::fromLatin1(name)));
        screenArea_ = kSmallScreen;
        QFont large = font_ = QApplication::font();
        large.setPointSizeF(font_.pointSizeF() * GetParam().fontScale);
        QApplication::setFont(large);
        if (GetParam().sprache != 1) germanOnly_ = GermanOnlyWords(GetParam().sprache);
    }
    void TearDown() override { DesktopFixture::TearDown(), QApplication::setFont(font_); }

    // What is wrong with a window on the screen; empty when nothing.
    QStringList faults(QWidget* window) const
    {
        QStringList out;
        const QRect at = window->frameGeometry();
        if (!kSmallScreen.contains(at))
            out << u"window %1 x %2 at %3,%4 beyond the screen"_s.arg(at.width()).arg(at.height()).arg(at.x()).arg(at.y());
        QList<QWidget*> controls;
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->window() == window && w->isVisibleTo(window) && IsControl(w)) controls << w;
        for (const QWidget* w : controls) {
            if (const QString parent = CutBy(w); !parent.isEmpty()) out << Name(w) + u" cut by "_s + parent;
            const QSize hint = w->sizeHint();
            const bool field = qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w);
            const int needed = field ? w->minimumSizeHint().width() : hint.width();
            if (w->width() < needed || w->height() < hint.height())
                out << u"%1 is %2 x %3, needs %4 x %5"_s.arg(Name(w)).arg(w->width()).arg(w->height()).arg(needed).arg(hint.height());
        }
        for (qsizetype i = 0; i < controls.size(); ++i)
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                if (const QWidget* a = controls[i], *b = controls[j]; !a->isAncestorOf(b) && !b->isAncestorOf(a) && SeenRect(a).intersects(SeenRect(b))) out << Name(a) + u" overlaps "_s + Name(b);
        if (GetParam().sprache != 1) {
            const QRegularExpression word(u"\\p{L}{4,}"_s);
            for (const QString& caption : CaptionsOf(window)) {
                const QString plain = Plain(caption);
                bool german = plain.contains(QRegularExpression(u"[äöüßÄÖÜ]"_s));
                for (const auto& m : word.globalMatch(plain)) german = german || germanOnly_.contains(m.captured().toLower());
                if (german) out << u"German caption: "_s + caption;
            }
        }
        return out;
    }

    // The windows of the program on the screen (not menus or tool tips).
    static QSet<QWidget*> shownWindows()
    {
        QSet<QWidget*> out;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog)) out.insert(w);
        return out;
    }

    // Opens a window with a command (also one that waits for its window to close), checks it and closes it.
    void visit(const char* command)
    {
        settle();
        QAction* a = action(command);
        ASSERT_TRUE(a && a->isEnabled()) << command;
        const QSet<QWidget*> before = shownWindows();
        bool seen = false;
        QTimer::singleShot(0, frame(), [&] {
            for (int i = 0; i < 3; ++i) settle();
            const QSet<QWidget*> opened = shownWindows() - before;
            EXPECT_EQ(opened.size(), 1) << command;
            for (QWidget* window : opened) {
                const QStringList found = faults(window);
                EXPECT_TRUE(found.isEmpty()) << command << ": " << found.join(u"; "_s).toStdString();
                // Closed in any case: a window that waits for its end would hold the test.
                if (auto* d = qobject_cast<QDialog*>(window)) d->reject();
                else window->close();
            }
            seen = true;
        });
        a->trigger();
        QElapsedTimer waited;
        waited.start();
        while (!seen && waited.elapsed() < 5000) settle();
        EXPECT_TRUE(seen) << command;
        settle();
    }

    void startDevice(int row)
    {
        app_.reset(), settle();
        startWith(row, GetParam().sprache);
        // A program with entries of every kind and a sample beside it, with channel names of no language.
        openSample(row == kRowBus738 ? u"Verwaltung.zpg"_s : u"Schule.zpg"_s);
        openSample(u"Laden.zpg"_s, "mnuDatVorl");
        for (const int slot : {kProgramSlot, kSampleSlot})
            for (QString& name : model().slot(slot).Kanalname) name = u"Zone"_s;
        frame()->ShowList();
        chooser_.open = copySample(u"Laden.zpg"_s); // the file the comparison opens
        settle();
    }

    QFont font_;
    QSet<QString> germanOnly_;
};

TEST_P(WindowFit, EveryWindowFitsASmallScreenInItsLanguage)
{
    // The start screen first.
    ASSERT_TRUE(startApp());
    const char* languages[] = {"", "AniDeutsch", "AniEnglisch", "AniFrance"};
    click(startScreen(), languages[GetParam().sprache]), settle();
    EXPECT_EQ(faults(startScreen()), QStringList()) << "start screen";

    for (const auto& [row, commands] : kVisits) {
        startDevice(row);
        for (const QString& c : QString::fromUtf8(commands).split(u' ')) {
            const QByteArray command = c.mid(c.startsWith(u'=') ? 1 : 0).toUtf8();
            if (!c.startsWith(u'=')) {
                visit(command.constData());
                continue;
            }
            trigger(command.constData()), settle();
            EXPECT_EQ(faults(frame()), QStringList()) << "row " << row << " " << c.toStdString();
            // The description stays readable beside sixteen channel names and the check dock.
            auto* description = child<QLineEdit>(frame(), "txtverwendung");
            EXPECT_GE(description->width(), description->fontMetrics().horizontalAdvance(QString(24, u'n'))) << "row " << row << " " << c.toStdString();
            if (c == u"=mnuBaPruefen"_s) { EXPECT_TRUE(frame()->checkCommands().dock() && frame()->checkCommands().dock()->isVisible()); }
        }
    }
    // The serial transfer window while it writes a chip.
    FrmSerielIo transfer(app_->texts(), frame());
    transfer.transferStarted(), settle();
    EXPECT_EQ(faults(&transfer), QStringList()) << "serial transfer";
    transfer.transferEnded();
}

// The holiday dialog keeps its size for every kind of holiday; the simulation window shrinks without overlap.
TEST_P(WindowFit, HolidayDialogAndSimulationWindowKeepTheirControlsWhole)
{
    startDevice(kRowFourChannels);
    trigger("mnu_Einst_Ft"), settle();
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    const QRect opened = dialog->frameGeometry();
    EXPECT_TRUE(kSmallScreen.contains(opened));
    for (const char* kind : {"opt_frei", "opt_Ostern", "opt_fest", "opt_frei"}) {
        child<QRadioButton>(dialog, kind)->click(), settle();
        EXPECT_EQ(dialog->frameGeometry(), opened) << kind; // which lies on the screen as the whole dialog does
        for (const char* button : {"cmd_Beenden", "cmd_csv", "cmd_ics", "cmd_add_Feiertage"}) {
            auto* b = child<QAbstractButton>(dialog, button);
            EXPECT_TRUE(b->isVisible() && kSmallScreen.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size()))) << kind << " " << button;
        }
    }
    dialog->reject();

    trigger("mnuAnsGrafik"), settle();
    FrmGrafik* sim = frame()->simulationWindow();
    ASSERT_NE(sim, nullptr);
    // The simulation window as small as the user can make it: the buttons stay whole, and the twelve month names stay
    // apart and below the hours along the top.
    sim->resize(1, 1), settle();
    EXPECT_EQ(faults(sim), QStringList());
    const YearGraphLayout graph = YearGraphPictureLayout(sim->yearGraph()->picture(), 365, app_->texts());
    const auto months = graph.monthLabels(2026);
    EXPECT_EQ(months.size(), 12u);
    int free = graph.chart.top();
    for (const auto& [month, label] : months) {
        EXPECT_GE(label.top(), free) << month;
        free = label.bottom() + 1;
    }
    EXPECT_LE(free, graph.area.bottom() + 1);
    EXPECT_GE(child(sim, "lblColorP")->height(), child(sim, "lblColorP")->sizeHint().height()) << "the colour legend beside the graph, whole";
    sim->close();
}

INSTANTIATE_TEST_SUITE_P(SmallScreen, WindowFit, ::testing::Values(FitCase{1, 1.0}, FitCase{2, 1.0}, FitCase{3, 1.0}, FitCase{1, 1.5}, FitCase{2, 1.5}, FitCase{3, 1.5}), CaseName);

} // namespace
