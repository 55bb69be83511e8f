// What a user meets on the first run: the window on the screen, the keyboard
// after a dialog, keys and tips in the chosen language.
#include "tests/ui/DesktopFixture.h"


namespace zendrik::test {

namespace {

// Captions side by side that share an Alt-key letter or have none: "where: caption".
QStringList mnemonicFaults(const QString& where, const QStringList& captions)
{
    QStringList faults;
    QMap<QChar, QString> taken;
    for (const QString& caption : captions) {
        const QChar key = OwnMnemonic(caption);
        if (key.isNull()) faults << where + u": no key in "_s + caption;
        else if (taken.contains(key)) faults << where + u": "_s + caption + u" and "_s + taken[key] + u" share "_s + key;
        taken.insert(key, caption);
    }
    return faults;
}

// The captions of a window's controls that take an Alt key.
QStringList controlCaptions(const QWidget* window)
{
    QStringList captions;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || w->property("keepCaptions").toBool()) continue;
        if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty()) captions << b->text();
        else if (const auto* g = qobject_cast<const QGroupBox*>(w); g && g->isCheckable()) captions << g->title();
        else if (const auto* l = qobject_cast<const QLabel*>(w); l && l->buddy() && !l->text().isEmpty())
            captions << l->text();
    }
    return captions;
}

QStringList menuFaults(const QString& where, const QMenu* menu)
{
    QStringList captions, faults;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        captions << a->text();
        if (a->menu() && !a->menu()->property("keepCaptions").toBool()) faults << menuFaults(where + u" > "_s + WithoutMnemonic(a->text()), a->menu());
    }
    return mnemonicFaults(where, captions) + faults;
}

using NewUser = DesktopFixture;

} // namespace

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
        ASSERT_NE(QApplication::focusWidget(), nullptr) << command;
        EXPECT_EQ(std::tuple(QApplication::activeModalWidget(), QApplication::activeWindow(), QApplication::focusWidget()->window()),
                  std::tuple(nullptr, frame(), frame()))
            << command;
    }
    // Ctrl+S works at once (the empty program asks first whether to save it anyway).
    model().program().Dateiname = work(u"Halle.zpg"_s);
    answer(TextId::NoDataContinue, Answer::Ok);
    model().Geaendert = 1;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(work(u"Halle.zpg"_s)));
}

TEST_F(NewUser, WindowsOpenWithinTheScreenAndTheMainWindowRemembersItsPlace)
{
    screenArea_ = QRect(0, 40, 1024, 560); // 1024 x 600 with a task bar at the top
    startWith(4);
    EXPECT_TRUE(screenArea_.contains(frame()->frameGeometry())) << frame()->frameGeometry().width();
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
    // The entry dialogs take the height a small screen has, not only the toolkit's first two thirds of it
    // (that nothing is cut is the window-fit test's), here with fonts one half larger, as a 1.5 scale factor gives.
    const QFont original = QApplication::font();
    QFont large = original;
    large.setPointSizeF(original.pointSizeF() * 1.5);
    QApplication::setFont(large);
    screenArea_ = QRect(0, 0, 1024, 600);
    restart(4);
    for (const char* command : {"mnuBaSz", "mnuBaPz"}) {
        trigger(command);
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << command;
        QApplication::processEvents();
        const int frameHeight = dialog->frameGeometry().height() - dialog->height();
        EXPECT_EQ(dialog->height(), std::min(screenArea_.height() - frameHeight, dialog->sizeHint().height())) << command;
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
    for (const auto& [captions, expected] : cases) EXPECT_EQ(AssignMnemonics(captions), expected);
    EXPECT_EQ(WithoutMnemonic(u"Spei&chern"_s), u"Speichern"_s);
    EXPECT_EQ(OwnMnemonic(u"A && B"_s), QChar());
    // Captions marked one by one take the first letter no earlier one took.
    MnemonicSet set;
    QStringList marked;
    for (const QString& caption : {u"Montag"_s, u"Mittwoch"_s, u"&Neu"_s, u"Nein"_s, u"A & B"_s, u"mit"_s}) marked << set.mark(caption);
    EXPECT_EQ(marked, (QStringList{u"&Montag"_s, u"M&ittwoch"_s, u"&Neu"_s, u"N&ein"_s, u"&A && B"_s, u"mi&t"_s}));
}

// Every caption has an Alt key of its own, in every language and device family, and the buttons without text have real tips.
TEST_F(NewUser, EveryCaptionHasAKeyOfItsOwnAndEveryPictureButtonATip)
{
    ASSERT_TRUE(QFile::copy(shipped(u"deutsch.hdy"_s), work(u"deutsch.hdy"_s)));
    const char* const dialogs[] = {"mnuBaSz", "mnuBaPz", "mnuBaFilt", "mnuEinstGerät", "mnuEinstAuto", "mnu_Einst_Ft",
                                   "mnuBaSw", "mnuMaster", "mnuIRAccess", "mnuDatDruck", "mnuinfo", "mnuBaAstro"};
    const std::pair<const char*, QString> introTips[] = {
        {"AniEnglisch", u"Start the introduction to the program"_s}, {"AniFrance", QString()}, {"AniDeutsch", u"Einführung in das Programm starten"_s}};
    const QString lockTips[] = {QString(), u"Schreibschutz"_s, u"Write protection"_s, u"Protection en écriture"_s};
    QStringList faults;
    ASSERT_TRUE(startApp());
    for (const auto& [language, tip] : introTips) {
        press(startScreen(), language);
        faults << mnemonicFaults(QString::fromLatin1(language) + u" start screen"_s, controlCaptions(startScreen()));
        if (!tip.isEmpty()) { EXPECT_EQ(child(startScreen(), "cmdeinführung")->toolTip(), tip); }
        if (tip.startsWith(u"Start")) { EXPECT_TRUE(child(startScreen(), "Aniworld")->toolTip().startsWith(u"Load a further language"_s)); }
    }
    for (const int row : {4, 19, 20}) {
        for (const int sprache : {1, 2, 3}) {
            const QString lang = u"lang %1 row %2 "_s.arg(sprache).arg(row);
            restart(row, sprache);
            if (row == 4) { EXPECT_TRUE(child(frame(), "AniSchreibschutz")->toolTip().startsWith(lockTips[sprache])) << sprache; }
            QStringList titles;
            for (const QAction* a : frame()->menuBar()->actions()) {
                if (a->isVisible() && !a->text().isEmpty()) titles << a->text();
                if (a->menu()) {
                    emit a->menu()->aboutToShow();
                    faults << menuFaults(lang + WithoutMnemonic(a->text()), a->menu());
                }
            }
            faults << mnemonicFaults(lang + u"menu bar"_s, titles);
            for (const char* command : dialogs) {
                QAction* a = frame()->findChild<QAction*>(QString::fromUtf8(command));
                if (!a || !a->isVisible() || !a->isEnabled()) continue;
                a->trigger();
                QApplication::processEvents();
                auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                for (QDialog* open : frame()->findChildren<QDialog*>()) d = d ? d : open->isVisible() ? open : nullptr;
                if (!d) continue;
                faults << mnemonicFaults(lang + QString::fromUtf8(command), controlCaptions(d));
                d->reject();
                settle();
            }
            frame()->close();
        }
    }
    EXPECT_EQ(faults, QStringList()) << faults.join(u'\n').toStdString();
}

} // namespace zendrik::test
