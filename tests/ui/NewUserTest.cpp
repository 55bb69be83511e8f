// What a user meets on the first run: names and tips in the chosen
// language, the list's sort mark, the keyboard after a dialog.
#include "model/DeviceTypes.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/entry/FrmEingSz.h"
#include "ui/main/FrmStartbild.h"
#include "ui/main/MdiForm1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class NewUser : public DesktopFixture {
protected:
    QComboBox* combo() const { return child<QComboBox>(startScreen(), "cboUhrentyp"); }
    QString deviceLabel() const { return child<QLabel>(frame(), "lblGeraet")->text(); }
};

} // namespace

TEST_F(NewUser, DeviceTypesAreNamedInTheChosenLanguage)
{
    const struct {
        int sprache;
        const char* button;
        ExtraLanguage language;
    } cases[] = {{1, "AniDeutsch", ExtraLanguage::German},
                 {2, "AniEnglisch", ExtraLanguage::English},
                 {3, "AniFrance", ExtraLanguage::French}};
    for (const auto& c : cases) {
        ASSERT_TRUE(startApp());
        // Choose a row, then the language: the choice stays, the names change.
        combo()->setCurrentIndex(combo()->findData(13));
        QTest::mouseClick(child<QAbstractButton>(startScreen(), c.button), Qt::LeftButton);
        QStringList items;
        for (int i = 0; i < combo()->count(); ++i)
            items << combo()->itemText(i);
        EXPECT_EQ(items, OfferedDeviceTypeNames(1, c.language)) << c.button;
        EXPECT_EQ(combo()->currentText(), DeviceTypeName(13, 1, c.language));
        QTest::mouseClick(child<QAbstractButton>(startScreen(), "cmd_ok"), Qt::LeftButton);
        ASSERT_NE(frame(), nullptr);
        EXPECT_EQ(model().device.DeviceRow, 13);
        EXPECT_EQ(model().device.Geraetename, DeviceTypeName(13, 1, c.language));
        EXPECT_TRUE(deviceLabel().contains(DeviceTypeName(13, 1, c.language))) << deviceLabel().toStdString();
        app_.reset();
    }
}

TEST_F(NewUser, ButtonsWithoutTextHaveRealTips)
{
    ASSERT_TRUE(startApp());
    const QString intro = child<QToolButton>(startScreen(), "cmdeinführung")->toolTip();
    EXPECT_EQ(intro, u"Einführung in das Programm starten"_s);
    EXPECT_FALSE(intro.contains(u".exe"_s));
    QTest::mouseClick(child<QAbstractButton>(startScreen(), "AniEnglisch"), Qt::LeftButton);
    EXPECT_EQ(child<QToolButton>(startScreen(), "cmdeinführung")->toolTip(), u"Start the introduction to the program"_s);
    EXPECT_TRUE(child<QToolButton>(startScreen(), "Aniworld")->toolTip().startsWith(u"Load a further language"_s));
    app_.reset();

    for (const int sprache : {1, 2, 3}) {
        startWith(4, sprache);
        const QString tip = child<QToolButton>(frame(), "AniSchreibschutz")->toolTip();
        const QString expected[] = {u""_s, u"Schreibschutz"_s, u"Write protection"_s, u"Protection en écriture"_s};
        EXPECT_TRUE(tip.startsWith(expected[sprache])) << tip.toStdString();
        app_.reset();
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
        EXPECT_EQ(header->sortIndicatorSection(), section);
        EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
        EXPECT_EQ(model().SortSpalteSz, section);
    }
    // The row number does not sort: the mark stays where the list is sorted.
    clickHeading(0);
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
    // Ctrl+S works at once.
    const QString file = work(u"Halle.zpg"_s);
    model().program().Dateiname = file;
    // The empty program asks first whether to save it anyway.
    answer(TextId::NoDataContinue, Answer::Ok);
    model().Geaendert = 1;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(file)) << QStringList(messages().begin(), messages().end()).join(u'/').toStdString();
}

namespace {

// Where a widget lies on the screen.
QRect onScreen(const QWidget* w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

} // namespace

TEST_F(NewUser, MainWindowOpensWithinTheScreenAndRemembersItsPlace)
{
    // A 1024 x 600 screen with a task bar at the top.
    screenArea_ = QRect(0, 40, 1024, 560);
    startWith(4);
    EXPECT_TRUE(screenArea_.contains(frame()->frameGeometry())) << frame()->frameGeometry().width();
    for (const char* name : {"picfilter", "ggeanzSz", "lblGeraet"})
        EXPECT_TRUE(screenArea_.contains(onScreen(child(frame(), name)))) << name;
    EXPECT_TRUE(screenArea_.contains(onScreen(frame()->statusBar())));

    // The user's own place and size come back at the next start.
    const QRect chosen(60, 90, 820, 480);
    frame()->setGeometry(chosen);
    frame()->close();
    app_.reset();
    ASSERT_TRUE(QFile::exists(work(u"zendrik-window.txt"_s)));
    startWith(4);
    EXPECT_EQ(frame()->geometry(), chosen);
    frame()->close();
    app_.reset();

    // On a smaller screen the remembered size shrinks to fit.
    screenArea_ = QRect(0, 0, 800, 450);
    startWith(4);
    EXPECT_TRUE(screenArea_.contains(frame()->frameGeometry()));
    EXPECT_LE(frame()->width(), 800);
}

TEST_F(NewUser, TallDialogScrollsAndKeepsItsButtonsInReach)
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
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
            const QString name = b->objectName();
            if (name == u"cmdSzok"_s || name == u"cmdSzEnd"_s || name == u"cmdPzOk"_s || name == u"cmdPzEnd"_s) {
                EXPECT_TRUE(b->isVisible()) << name.toStdString();
                EXPECT_TRUE(screenArea_.contains(onScreen(b))) << name.toStdString();
                EXPECT_TRUE(dialog->rect().contains(QRect(b->mapTo(dialog, QPoint(0, 0)), b->size())));
            }
        }
        // The dialog takes the height the screen has (not only the toolkit's
        // first two thirds of the screen); the fields that do not fit scroll.
        auto* scroll = child<QScrollArea>(dialog, "scrollBody");
        const int frameHeight = dialog->frameGeometry().height() - dialog->height();
        EXPECT_EQ(dialog->height(), std::min(screenArea_.height() - frameHeight, dialog->sizeHint().height()))
            << command;
        EXPECT_TRUE(scroll->verticalScrollBar()->isVisible() || scroll->widget()->height() <= scroll->viewport()->height());
        dialog->reject();
        settle();
    }
    app_.reset();
    QApplication::setFont(original);
}
