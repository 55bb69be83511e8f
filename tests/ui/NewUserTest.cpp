// What a user meets on the first run: names and tips in the chosen
// language, the list's sort mark, the keyboard after a dialog.
#include "tests/ui/DesktopFixture.h"


using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

QRect onScreen(const QWidget* w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

// Captions side by side that share an Alt-key letter or have none: "where: caption".
QStringList mnemonicFaults(const QString& where, const QStringList& captions)
{
    QStringList faults;
    QMap<QChar, QString> taken;
    for (const QString& caption : captions) {
        const QChar key = OwnMnemonic(caption);
        if (key.isNull())
            faults << where + u": no key in "_s + caption;
        else if (taken.contains(key))
            faults << where + u": "_s + caption + u" and "_s + taken[key] + u" share "_s + key;
        taken.insert(key, caption);
    }
    return faults;
}

// The captions of a window's controls that take an Alt key.
QStringList controlCaptions(const QWidget* window)
{
    QStringList captions;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || w->property("keepCaptions").toBool())
            continue;
        if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty())
            captions << b->text();
        else if (const auto* g = qobject_cast<const QGroupBox*>(w); g && g->isCheckable())
            captions << g->title();
        else if (const auto* l = qobject_cast<const QLabel*>(w); l && l->buddy() && !l->text().isEmpty())
            captions << l->text();
    }
    return captions;
}

QStringList menuFaults(const QString& where, const QMenu* menu)
{
    QStringList captions, faults;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator() || a->text().isEmpty())
            continue;
        captions << a->text();
        if (a->menu() && !a->menu()->property("keepCaptions").toBool())
            faults << menuFaults(where + u" > "_s + WithoutMnemonic(a->text()), a->menu());
    }
    return mnemonicFaults(where, captions) + faults;
}

using NewUser = DesktopFixture;

} // namespace

TEST_F(NewUser, ButtonsWithoutTextHaveRealTips)
{
    ASSERT_TRUE(startApp());
    const auto tip = [this](const char* name) { return child(startScreen(), name)->toolTip(); };
    EXPECT_EQ(tip("cmdeinführung"), u"Einführung in das Programm starten"_s);
    press(startScreen(), "AniEnglisch");
    EXPECT_EQ(tip("cmdeinführung"), u"Start the introduction to the program"_s);
    EXPECT_TRUE(tip("Aniworld").startsWith(u"Load a further language"_s));
    const std::pair<int, QString> lock[] = {{1, u"Schreibschutz"_s}, {2, u"Write protection"_s},
                                            {3, u"Protection en écriture"_s}};
    for (const auto& [sprache, expected] : lock) {
        restart(4, sprache);
        EXPECT_TRUE(child(frame(), "AniSchreibschutz")->toolTip().startsWith(expected)) << sprache;
    }
}

TEST_F(NewUser, ClickedHeadingShowsTheSortIndicator)
{
    startWith(4);
    QHeaderView* header = grid()->horizontalHeader();
    EXPECT_FALSE(header->isSortIndicatorShown());
    const auto clickHeading = [header](int section) {
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        QApplication::processEvents();
    };
    // Uhrzeit (grid column 2), then Kanäle (3), then Uhrzeit again: always ascending.
    for (const int section : {2, 3, 2}) {
        clickHeading(section);
        EXPECT_TRUE(header->isSortIndicatorShown());
        EXPECT_EQ(std::tuple(header->sortIndicatorSection(), header->sortIndicatorOrder(), model().SortSpalteSz),
                  std::tuple(section, Qt::AscendingOrder, section));
    }
    clickHeading(0); // the row number does not sort: the mark stays
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    // The priority-time view keeps its own column; not yet chosen, no mark.
    trigger("mnuAnsPz");
    EXPECT_FALSE(header->isSortIndicatorShown());
    clickHeading(1);
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    trigger("mnuANSSz");
    EXPECT_EQ(header->sortIndicatorSection(), 2);
}

TEST_F(NewUser, KeyboardBelongsToTheMainWindowAfterADialog)
{
    startWith(4);
    QApplication::setActiveWindow(frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    for (const char* command : {"mnuBaSz", "mnuinfo", "mnuEinstGerät"}) {
        trigger(command);
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr) << command;
        QApplication::setActiveWindow(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Escape);
        settle();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << command;
        EXPECT_EQ(QApplication::activeWindow(), frame()) << command;
        ASSERT_NE(QApplication::focusWidget(), nullptr) << command;
        EXPECT_EQ(QApplication::focusWidget()->window(), frame()) << command;
    }
    // Ctrl+S works at once (the empty program asks first whether to save it anyway).
    model().program().Dateiname = work(u"Halle.zpg"_s);
    answer(TextId::NoDataContinue, Answer::Ok);
    model().Geaendert = 1;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(work(u"Halle.zpg"_s)));
}

TEST_F(NewUser, MainWindowOpensWithinTheScreenAndRemembersItsPlace)
{
    screenArea_ = QRect(0, 40, 1024, 560); // 1024 x 600 with a task bar at the top
    startWith(4);
    EXPECT_TRUE(screenArea_.contains(frame()->frameGeometry())) << frame()->frameGeometry().width();
    for (const char* name : {"picfilter", "ggeanzSz", "lblGeraet"})
        EXPECT_TRUE(screenArea_.contains(onScreen(child(frame(), name)))) << name;
    EXPECT_TRUE(screenArea_.contains(onScreen(frame()->statusBar())));
    // The user's own place and size come back at the next start.
    const QRect chosen(60, 90, 820, 480);
    frame()->setGeometry(chosen);
    frame()->close();
    restart(4);
    EXPECT_EQ(frame()->geometry(), chosen);
    frame()->close();
    // On a smaller screen the remembered size shrinks to fit.
    screenArea_ = QRect(0, 0, 800, 450);
    restart(4);
    EXPECT_TRUE(screenArea_.contains(frame()->frameGeometry()));
}

// The entry dialogs take the height a small screen has (not only the
// toolkit's first two thirds of it) and scroll the fields that do not fit.
TEST_F(NewUser, TallDialogTakesTheScreensHeightAndScrolls)
{
    // 1024 x 600 with one half larger fonts, as a 1.5 scale factor gives.
    const QFont original = QApplication::font();
    QFont large = original;
    large.setPointSizeF(original.pointSizeF() * 1.5);
    QApplication::setFont(large);
    screenArea_ = QRect(0, 0, 1024, 600);
    startWith(4);
    for (const char* command : {"mnuBaSz", "mnuBaPz"}) {
        trigger(command);
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << command;
        QApplication::processEvents();
        EXPECT_TRUE(screenArea_.contains(dialog->frameGeometry())) << command << " " << dialog->height();
        for (const char* name : {"cmdSzok", "cmdSzEnd", "cmdPzOk", "cmdPzEnd"}) {
            const auto* b = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
            EXPECT_TRUE(!b || (b->isVisible() && screenArea_.contains(onScreen(b)))) << name;
        }
        auto* scroll = child<QScrollArea>(dialog, "scrollBody");
        const int frameHeight = dialog->frameGeometry().height() - dialog->height();
        EXPECT_EQ(dialog->height(), std::min(screenArea_.height() - frameHeight, dialog->sizeHint().height()));
        EXPECT_TRUE(scroll->verticalScrollBar()->isVisible() || scroll->widget()->height() <= scroll->viewport()->height());
        dialog->reject();
        settle();
    }
    app_.reset();
    QApplication::setFont(original);
}

TEST(Mnemonics, TheMenuTitlesOfEachTextTableGetLettersOfTheirOwn)
{
    for (const int sprache : {1, 2, 3}) {
        TextTable t;
        sprache == 1 ? t.LoadGerman() : sprache == 2 ? t.LoadEnglish() : t.LoadFrench();
        EXPECT_EQ(mnemonicFaults(QString::number(sprache),
                                 AssignMnemonics({t(TextId::MenuFile), t(TextId::MenuEdit), t(TextId::MenuWindow),
                                                  t(TextId::MenuSettings), t(TextId::MenuHelp)})),
                  QStringList());
    }
    // A title keeps its own letter, the next free one otherwise; a text's
    // ampersand stays text; no free letter left gives a digit in brackets.
    const std::pair<QStringList, QStringList> cases[] = {
        {{u"&Fichier"_s, u"&Fenêtre"_s, u"&Aide"_s}, {u"&Fichier"_s, u"F&enêtre"_s, u"&Aide"_s}},
        {{u"Datei"_s, u"&Drucken"_s, u"A & B"_s, u""_s}, {u"D&atei"_s, u"&Drucken"_s, u"A && &B"_s, u""_s}},
        {{u"&Ok"_s, u"Ok"_s, u"OK alle"_s, u"ko"_s}, {u"&Ok"_s, u"O&k"_s, u"OK &alle"_s, u"ko (&1)"_s}},
    };
    for (const auto& [captions, expected] : cases)
        EXPECT_EQ(AssignMnemonics(captions), expected);
    EXPECT_EQ(WithoutMnemonic(u"Spei&chern"_s), u"Speichern"_s);
    EXPECT_EQ(OwnMnemonic(u"A && B"_s), QChar());
    // Captions marked one by one take the first letter no earlier one took.
    MnemonicSet set;
    QStringList marked;
    for (const QString& caption : {u"Montag"_s, u"Mittwoch"_s, u"&Neu"_s, u"Nein"_s, u"A & B"_s, u"mit"_s})
        marked << set.mark(caption);
    EXPECT_EQ(marked, (QStringList{u"&Montag"_s, u"M&ittwoch"_s, u"&Neu"_s, u"N&ein"_s, u"&A && B"_s, u"mi&t"_s}));
}

TEST_F(NewUser, EveryMenuAndEveryDialogControlHasAKeyOfItsOwn)
{
    ASSERT_TRUE(QFile::copy(shipped(u"deutsch.hdy"_s), work(u"deutsch.hdy"_s)));
    const char* const dialogs[] = {"mnuBaSz", "mnuBaPz", "mnuBaFilt", "mnuEinstGerät", "mnuEinstAuto", "mnu_Einst_Ft",
                                   "mnuBaSw", "mnuMaster", "mnuIRAccess", "mnuDatDruck", "mnuinfo", "mnuBaAstro"};
    const char* const languages[] = {"", "AniDeutsch", "AniEnglisch", "AniFrance"};
    QStringList faults;
    for (const int row : {4, 19, 20}) {
        for (const int sprache : {1, 2, 3}) {
            const QString lang = u"lang %1 row %2"_s.arg(sprache).arg(row);
            app_.reset();
            ASSERT_TRUE(startApp());
            press(startScreen(), languages[sprache]);
            faults << mnemonicFaults(lang + u" start screen"_s, controlCaptions(startScreen()));
            auto* combo = child<QComboBox>(startScreen(), "cboUhrentyp");
            combo->setCurrentIndex(combo->findData(row));
            press(startScreen(), "cmd_ok");
            ASSERT_NE(frame(), nullptr);
            QStringList titles;
            for (const QAction* a : frame()->menuBar()->actions()) {
                if (a->isVisible() && !a->text().isEmpty())
                    titles << a->text();
                if (a->menu()) {
                    emit a->menu()->aboutToShow();
                    faults << menuFaults(lang + u" "_s + WithoutMnemonic(a->text()), a->menu());
                }
            }
            faults << mnemonicFaults(lang + u" menu bar"_s, titles);
            for (const char* command : dialogs) {
                QAction* a = frame()->findChild<QAction*>(QString::fromUtf8(command));
                if (!a || !a->isVisible() || !a->isEnabled())
                    continue;
                a->trigger();
                QApplication::processEvents();
                auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                for (QDialog* open : frame()->findChildren<QDialog*>())
                    d = d ? d : open->isVisible() ? open : nullptr;
                if (!d)
                    continue;
                faults << mnemonicFaults(lang + u" "_s + QString::fromUtf8(command), controlCaptions(d));
                d->reject();
                settle();
            }
            frame()->close();
        }
    }
    EXPECT_EQ(faults, QStringList()) << faults.join(u'\n').toStdString();
}
