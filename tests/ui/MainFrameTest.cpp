#include "model/ProgramFile.h"
#include "model/SequentialReader.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/main/MdiForm1.h"
#include "ui/main/ProgramHeader.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class MainFrame : public DesktopFixture {
protected:
    MdiForm1* mdi() const { return app_->mainFrame(); }
    QLineEdit* field(const char* name) const { return mdi()->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QList<QLineEdit*> channelBoxes() const { return mdi()->findChildren<QLineEdit*>(QStringLiteral("txtkannam")); }
    ProgramModel& model() { return app_->model(); }

    // Types into a header field and leaves it, as a user does.
    void typeAndLeave(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // The image numbers of a program file.
    static std::vector<int> numbers(const QString& path, int count)
    {
        SequentialReader reader(readFile(path));
        std::vector<int> out;
        for (int i = 0; i < count; ++i)
            out.push_back(static_cast<int>(reader.readInteger().value_or(-1)));
        return out;
    }
};

} // namespace

TEST_F(MainFrame, HeaderShowsTheProgram)
{
    startWith(4);
    chooser_.open = copySample(QStringLiteral("Schule.zpg"));
    trigger("mnuDatÖff");
    EXPECT_TRUE(asked().empty());
    const ProgramSlot& s = model().program();
    EXPECT_EQ(field("txtverwendung")->text(), s.Verwendung);
    EXPECT_EQ(channelBoxes().size(), 4);
    const QList<QLabel*> labels = mdi()->findChildren<QLabel*>(QStringLiteral("lblkannam"));
    ASSERT_EQ(labels.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(labels[i]->text(), QStringLiteral("C%1").arg(i + 1));
        EXPECT_EQ(QStringLiteral(" ") + channelBoxes()[i]->text(), s.Kanalname[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(mdi()->windowTitle(), QStringLiteral("Zendrik - Schule.zpg[*]"));
    EXPECT_FALSE(mdi()->isWindowModified());
    EXPECT_EQ(mdi()->findChild<QLabel*>(QStringLiteral("lblanzSz"))->text(), QStringLiteral("24 von 324"));
}

TEST_F(MainFrame, ProgramNumberFieldTakesDigitsOnly)
{
    startWith(4);
    QLineEdit* nr = field("txtProgrammnummer");
    ASSERT_NE(nr, nullptr);
    typeAndLeave(nr, QStringLiteral("12a3-4"));
    EXPECT_EQ(model().program().ProgNr, 1234);
    EXPECT_EQ(nr->text(), QStringLiteral("1234"));
    EXPECT_EQ(model().Geaendert, 1);
    EXPECT_TRUE(mdi()->isWindowModified());

    model().Geaendert = 0;
    typeAndLeave(nr, QString());
    EXPECT_EQ(model().program().ProgNr, kNoProgramNumber);
    EXPECT_EQ(model().Geaendert, 1);
}

TEST_F(MainFrame, DescriptionAndChannelNamesRefuseCommas)
{
    startWith(2);
    typeAndLeave(field("txtverwendung"), QStringLiteral("Halle, Nord"));
    EXPECT_EQ(model().program().Verwendung, QStringLiteral("Halle Nord"));
    ASSERT_EQ(channelBoxes().size(), 2);
    typeAndLeave(channelBoxes()[1], QStringLiteral("Licht,innen"));
    EXPECT_EQ(model().program().Kanalname[1], QStringLiteral("Lichtinnen"));
    EXPECT_EQ(model().Geaendert, 1);
}

TEST_F(MainFrame, WriteProtectionSwitch)
{
    startWith(1);
    auto* lock = mdi()->findChild<QToolButton*>(QStringLiteral("AniSchreibschutz"));
    ASSERT_NE(lock, nullptr);
    EXPECT_FALSE(lock->isChecked());
    QTest::mouseClick(lock, Qt::LeftButton);
    EXPECT_EQ(model().program().Schreibschutz, 1);
    EXPECT_EQ(model().Geaendert, 1);
    QTest::mouseClick(lock, Qt::LeftButton);
    EXPECT_EQ(model().program().Schreibschutz, 0);
}

TEST_F(MainFrame, SaveAsAndReloadGiveTheSameFile)
{
    startWith(4);
    const QString original = copySample(QStringLiteral("Schule.zpg"));
    chooser_.open = original;
    trigger("mnuDatÖff");
    chooser_.save = work(QStringLiteral("Kopie"));
    trigger("mnudatspu");
    const QString copy = work(QStringLiteral("Kopie.zpg"));
    ASSERT_TRUE(QFile::exists(copy));
    EXPECT_EQ(model().program().Dateiname, copy);
    EXPECT_EQ(mdi()->windowTitle(), QStringLiteral("Zendrik - Kopie.zpg[*]"));

    // Byte for byte the same image, except the checksum and the time of saving.
    std::vector<int> a = numbers(original, 2048);
    std::vector<int> b = numbers(copy, 2048);
    for (const int i : {0, 4, 5, 6, 7})
        a[static_cast<std::size_t>(i)] = b[static_cast<std::size_t>(i)] = 0;
    EXPECT_EQ(a, b);
    const QList<QByteArray> trailerA = readFile(original).split('\n').mid(366);
    const QList<QByteArray> trailerB = readFile(copy).split('\n').mid(366);
    EXPECT_EQ(trailerA, trailerB);

    // Opened again it shows the same program.
    chooser_.open = copy;
    const int entries = model().program().AnzEintrag;
    trigger("mnuDatÖff");
    EXPECT_EQ(model().program().AnzEintrag, entries);
}

TEST_F(MainFrame, SaveAsRefusesAndAsksBeforeOverwriting)
{
    startWith(4);
    chooser_.save.clear();
    trigger("mnudatspu");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], QStringLiteral("Keine Datei gewählt !"));
    EXPECT_EQ(asked()[0].icon, Icon::Critical);

    const QString existing = copySample(QStringLiteral("Laden.zpg"));
    const QByteArray before = readFile(existing);
    chooser_.save = existing;
    answer(TextId::FileWord, Answer::No);
    trigger("mnudatspu");
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1], QStringLiteral("Datei ") + existing + QStringLiteral(" besteht bereits! Überschreiben ?"));
    EXPECT_EQ(asked()[1].buttons, Buttons::YesNo);
    EXPECT_EQ(readFile(existing), before);
}

TEST_F(MainFrame, ShortcutSavesUnderTheDefaultName)
{
    startWith(4);
    typeAndLeave(field("txtverwendung"), QStringLiteral("Werkstatt"));
    answer(TextId::NoDataContinue, Answer::Ok);
    mdi()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mdi()));
    QTest::keyClick(mdi(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(work(QStringLiteral("SzTab1.zpg"))));
    EXPECT_EQ(model().Geaendert, 0);
    EXPECT_FALSE(mdi()->isWindowModified());
    EXPECT_EQ(action("mnuDatÖff")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(action("mnudatspu")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_FALSE(action("mnuDatBend")->shortcut().isEmpty());
}

TEST_F(MainFrame, ExitWithoutAQuestion)
{
    // An unchanged program, and a changed one without entries, end at once.
    for (const bool withEntries : {true, false}) {
        startWith(4);
        if (withEntries) {
            chooser_.open = copySample(QStringLiteral("Schule.zpg"));
            trigger("mnuDatÖff");
        } else {
            typeAndLeave(field("txtverwendung"), QStringLiteral("leer"));
            ASSERT_EQ(model().Geaendert, 1);
        }
        QSignalSpy exits(app_.get(), &DesktopApp::exitRequested);
        trigger("mnuDatBend");
        EXPECT_TRUE(asked().empty());
        EXPECT_EQ(exits.count(), 1);
        app_.reset();
    }
}

TEST_F(MainFrame, ExitWithChangesAsksAndCancelKeepsTheWindow)
{
    startWith(4);
    chooser_.open = copySample(QStringLiteral("Schule.zpg"));
    trigger("mnuDatÖff");
    typeAndLeave(field("txtverwendung"), QStringLiteral("Schule Sued"));
    QSignalSpy exits(app_.get(), &DesktopApp::exitRequested);

    answer(TextId::SaveChangesIn, Answer::Cancel);
    trigger("mnuDatBend");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], QStringLiteral("Änderungen speichern in ") + chooser_.open + QStringLiteral("  ?"));
    EXPECT_EQ(asked()[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(asked()[0].icon, Icon::Question);
    EXPECT_EQ(exits.count(), 0);
    EXPECT_TRUE(mdi()->isVisible());

    answer(TextId::SaveChangesIn, Answer::Yes);
    trigger("mnuDatBend");
    EXPECT_EQ(exits.count(), 1);
    ProgramModel back = modelForRow(4);
    ASSERT_EQ(LoadProgram(back, chooser_.open, kProgramSlot), LoadOk);
    EXPECT_EQ(back.program().Verwendung, QStringLiteral("Schule Sued"));
}

TEST_F(MainFrame, CancelInTheNewQuestionKeepsTheProgram)
{
    startWith(4);
    chooser_.open = copySample(QStringLiteral("Schule.zpg"));
    trigger("mnuDatÖff");
    typeAndLeave(field("txtProgrammnummer"), QStringLiteral("42"));

    answer(TextId::SaveChangesIn, Answer::Cancel);
    trigger("mnuDatneu");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], QStringLiteral("Änderungen speichern in ") + chooser_.open + QStringLiteral(" ?"));
    EXPECT_NE(frame(), nullptr);
    EXPECT_EQ(startScreen(), nullptr);
    EXPECT_EQ(model().program().AnzEintrag, 24);
    EXPECT_EQ(model().program().ProgNr, 42);

    answer(TextId::SaveChangesIn, Answer::No);
    trigger("mnuDatneu");
    QApplication::processEvents();
    ASSERT_NE(startScreen(), nullptr);
    EXPECT_TRUE(startScreen()->isVisible());
}

TEST_F(MainFrame, ListWindowCannotBeClosedAlone)
{
    startWith(4);
    QWidget* list = mdi()->findChild<QWidget*>(QStringLiteral("frmHauptmenue"));
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->parentWidget()->close());
    settle();
    EXPECT_NE(mdi()->findChild<QWidget*>(QStringLiteral("frmHauptmenue")), nullptr);
    trigger("mnuAnsPz");
}

TEST_F(MainFrame, ClosingTheWindowIsExit)
{
    startWith(4);
    chooser_.open = copySample(QStringLiteral("Schule.zpg"));
    trigger("mnuDatÖff");
    typeAndLeave(field("txtverwendung"), QStringLiteral("anders"));
    answer(TextId::SaveChangesIn, Answer::Cancel);
    EXPECT_FALSE(mdi()->close());
    EXPECT_EQ(messages().size(), 1u);
    answer(TextId::SaveChangesIn, Answer::No);
    EXPECT_TRUE(mdi()->close());
}

TEST_F(MainFrame, OpensAFileFromTheCommandLine)
{
    copySample(QStringLiteral("Laden.zpg"));
    // As main() does: the file is named before the start screen shows.
    app_ = std::make_unique<DesktopApp>(dir_.path(), &interaction_, &chooser_);
    app_->openAfterStart(work(QStringLiteral("Laden.zpg")));
    ASSERT_TRUE(app_->start());
    QTest::mouseClick(startScreen()->findChild<QAbstractButton*>(QStringLiteral("cmd_ok")), Qt::LeftButton);
    ASSERT_NE(frame(), nullptr);
    EXPECT_EQ(model().program().Dateiname, work(QStringLiteral("Laden.zpg")));
    EXPECT_EQ(model().program().AnzEintrag, 7);
}

TEST_F(MainFrame, OpensADroppedFile)
{
    startWith(2);
    const QString path = copySample(QStringLiteral("Laden.zpg"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mdi(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mdi(), &drop);
    EXPECT_EQ(model().program().Dateiname, path);
    EXPECT_EQ(model().program().AnzEintrag, 7);
}

TEST_F(MainFrame, LoadFailureIsReported)
{
    startWith(4);
    chooser_.open = copySample(QStringLiteral("Parkplatz.zpg"));
    trigger("mnuDatÖff");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Datei für ")));
    EXPECT_EQ(asked()[0].icon, Icon::Critical);
    EXPECT_EQ(model().program().AnzEintrag, 0);
}

TEST_F(MainFrame, AstroDeviceHasNoProgramNumber)
{
    // Its image keeps the astro location where the others keep the number.
    startWith(19);
    EXPECT_FALSE(field("txtProgrammnummer")->isEnabled());
    EXPECT_EQ(channelBoxes().size(), 2);
}

TEST_F(MainFrame, ToolbarSaveAsksForAName)
{
    startWith(4);
    chooser_.open = copySample(QStringLiteral("Schule.zpg"));
    trigger("mnuDatÖff");
    chooser_.save = work(QStringLiteral("Toolbar.zpg"));
    QAction* save = nullptr;
    for (QAction* a : mdi()->toolBar()->actions())
        save = a->objectName() == QLatin1String("anibutton3") ? a : save;
    ASSERT_NE(save, nullptr);
    const int before = chooser_.asked;
    save->trigger();
    EXPECT_EQ(chooser_.asked, before + 1);
    EXPECT_TRUE(QFile::exists(chooser_.save));
    EXPECT_EQ(model().program().Dateiname, chooser_.save);
}
