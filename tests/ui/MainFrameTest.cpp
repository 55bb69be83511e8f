#include "model/ProgramFile.h"
#include "model/SequentialReader.h"
#include "tests/support/TestPrograms.h"
#include "tests/ui/DesktopFixture.h"
#include "ui/frame/UndoHistory.h"

namespace zendrik::test {

namespace {

class MainFrame : public DesktopFixture {
protected:
    QList<QLineEdit*> channelBoxes() const { return frame()->findChildren<QLineEdit*>(u"txtkannam"_s); }
    // The program file at `path` as the program reads it.
    static ProgramSlot loaded(const QString& path)
    {
        ProgramModel back = modelForRow(4);
        EXPECT_EQ(LoadProgram(back, path, kProgramSlot), LoadOk);
        return back.program();
    }
};

} // namespace

TEST_F(MainFrame, HeaderShowsEditsAndSavesTheProgram)
{
    startWith(4);
    const QString path = openSample(u"Schule.zpg"_s);
    EXPECT_TRUE(asked().empty());
    const ProgramSlot& s = model().program();
    EXPECT_EQ(shown("txtverwendung"), s.Verwendung);
    const QList<QLabel*> labels = frame()->findChildren<QLabel*>(u"lblkannam"_s);
    ASSERT_EQ(labels.size(), 4);
    ASSERT_EQ(channelBoxes().size(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(labels[i]->text() + u' ' + channelBoxes()[i]->text(), u"C%1"_s.arg(i + 1) + s.Kanalname[std::size_t(i)]);
    EXPECT_EQ(std::tuple(shown("lblanzSz"), frame()->windowTitle()), std::tuple(u"24 von 324"_s, u"Zendrik - Schule.zpg[*]"_s));
    EXPECT_FALSE(frame()->isWindowModified());

    // The number box takes digits only; description and channel names refuse
    // commas. Each field typed is a step back towards the opened file.
    const QByteArray opened = SavedImage(model());
    const QString number = shown("txtProgrammnummer");
    typeAndLeave("txtProgrammnummer", u"12a3-4"_s);
    EXPECT_EQ(s.ProgNr, 1234);
    EXPECT_TRUE(model().Geaendert == 1 && frame()->isWindowModified());
    typeAndLeave("txtverwendung", u"Halle, Nord"_s);
    EXPECT_EQ(s.Verwendung, u"Halle Nord"_s);
    const QByteArray described = SavedImage(model());
    EXPECT_EQ(std::tuple(frame()->history().stack().count(), action("mnuBaUndo")->text()), std::tuple(2, u"&Rückgängig: Programmkopf ändern"_s));
    trigger("mnuBaUndo");
    trigger("mnuBaUndo");
    EXPECT_EQ(SavedImage(model()), opened);
    EXPECT_EQ(std::tuple(shown("txtProgrammnummer"), shown("txtverwendung")), std::tuple(number, s.Verwendung));
    EXPECT_FALSE(frame()->isWindowModified());
    trigger("mnuBaRedo");
    trigger("mnuBaRedo");
    EXPECT_EQ(std::tuple(SavedImage(model()), shown("txtverwendung")), std::tuple(described, u"Halle Nord"_s));
    EXPECT_TRUE(frame()->isWindowModified());
    typeAndLeave(channelBoxes()[1], u"Licht,innen"_s);
    EXPECT_EQ(s.Kanalname[1], u"Lichtinnen"_s);
    for (const int locked : {1, 0}) {
        press(frame(), "AniSchreibschutz");
        EXPECT_EQ(s.Schreibschutz, locked);
    }
    // Ctrl+S saves under the program's name.
    frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
    QTest::keyClick(frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(frame()->isWindowModified());
    const ProgramSlot back = loaded(path);
    EXPECT_EQ(std::tuple(back.ProgNr, back.Verwendung, back.Kanalname[1]), std::tuple(1234, u"Halle Nord"_s, u" Lichtinnen"_s));
    EXPECT_EQ(std::tuple(action("mnuDatÖff")->shortcut(), action("mnudatspu")->shortcut()),
              std::tuple(QKeySequence(QKeySequence::Open), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    EXPECT_FALSE(action("mnuDatBend")->shortcut().isEmpty());
    for (const QString& line : QString::fromUtf8(readFile(testData(u"ui/german-menu-captions.txt"_s))).split(u'\n', Qt::SkipEmptyParts))
        EXPECT_EQ(action(line.section(u'\t', 0, 0).toUtf8().constData())->text(), line.section(u'\t', 1)) << line.toStdString();

    // Saved as a name without ending: the same file but for its time of saving, and opened again the same list.
    const auto image = [](const QString& file) { // the numbers without the checksum and the time of saving
        SequentialReader reader(readFile(file));
        std::vector<int> out;
        for (int i = 0; i < 2048; ++i) {
            const int number = static_cast<int>(reader.readInteger().value_or(-1));
            out.push_back(i == 0 || (i >= 4 && i <= 7) ? 0 : number);
        }
        return out;
    };
    chooser_.save = work(u"Kopie"_s);
    trigger("mnudatspu");
    const QString copy = work(u"Kopie.zpg"_s);
    EXPECT_EQ(std::tuple(model().program().Dateiname, frame()->windowTitle()), std::tuple(copy, u"Zendrik - Kopie.zpg[*]"_s));
    EXPECT_EQ(image(path), image(copy));
    EXPECT_EQ(readFile(path).split('\n').mid(366), readFile(copy).split('\n').mid(366));
    chooser_.open = copy;
    const QStringList rows = gridText();
    trigger("mnuDatÖff");
    EXPECT_EQ(gridText(), rows);
    EXPECT_FALSE(action("mnuBaUndo")->isEnabled()) << "opening starts a fresh history";
    // Five rows deleted in one step, then saved with the toolbar's button, which always asks for a name:
    // undo leads away from that saved state and keeps the file the program now belongs to.
    const QByteArray reopened = SavedImage(model());
    deleteRows(1, 5);
    EXPECT_EQ(frame()->history().stack().count(), 1);
    chooser_.save = work(u"Toolbar.zpg"_s);
    const int before = chooser_.asked;
    child<QAction>(frame(), "anibutton3")->trigger();
    EXPECT_TRUE(chooser_.asked == before + 1 && model().Geaendert == 0 && QFile::exists(chooser_.save));
    trigger("mnuBaUndo");
    EXPECT_EQ(std::tuple(SavedImage(model()), model().Geaendert, model().program().Dateiname), std::tuple(reopened, 1, chooser_.save));
    // The files saved and opened lead the recent files; a deleted one shows disabled and can be removed.
    const auto recent = [this] {
        auto* menu = child<QMenu>(frame(), "mnuDatRecent");
        QStringList entries;
        emit menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->objectName().isEmpty()) entries << (a->isEnabled() ? QString() : u"(missing) "_s) + a->text();
        return entries;
    };
    const auto native = [](const QString& file) { return QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()); };
    EXPECT_EQ(recent(), (QStringList{native(chooser_.save), native(copy), native(path)}));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(recent().value(2), u"(missing) "_s + native(path));
    child<QAction>(frame(), "mnuDatRecentRemove")->trigger();
    EXPECT_EQ(recent().size(), 2);
}

TEST_F(MainFrame, NewAndExitAskOnlyForAChangedProgram)
{
    startWith(4);
    const QString path = openSample(u"Schule.zpg"_s);
    typeAndLeave("txtProgrammnummer", u"42"_s);
    QSignalSpy exits(app_.get(), &DesktopApp::exitRequested);
    answer(TextId::SaveChangesIn, Answer::Cancel);
    trigger("mnuDatneu");
    settle();
    ASSERT_EQ(startScreen(), nullptr); // Cancel keeps the frame and the program
    trigger("mnuDatBend");
    // The exit question has two blanks before its question mark.
    const QString question = u"Änderungen speichern in "_s + path;
    EXPECT_EQ(messages(), (std::vector<QString>{question + u" ?"_s, question + u"  ?"_s}));
    EXPECT_EQ(std::tuple(asked()[1].buttons, asked()[1].icon), std::tuple(Buttons::YesNoCancel, Icon::Question));
    EXPECT_TRUE(exits.count() == 0 && frame()->isVisible() && model().program().AnzEintrag == 24);
    EXPECT_FALSE(child(frame(), "frmHauptmenue")->parentWidget()->close()) << "the list lives as long as the frame";
    answer(TextId::SaveChangesIn, Answer::Yes);
    trigger("mnuDatBend");
    EXPECT_EQ(std::tuple(exits.count(), loaded(path).ProgNr), std::tuple(1, 42));

    // Unchanged: "New" goes back to the start screen and "Exit" ends at once.
    restart(4);
    openSample(u"Schule.zpg"_s);
    const std::size_t before = asked().size();
    trigger("mnuDatneu");
    QApplication::processEvents();
    ASSERT_TRUE(startScreen() && startScreen()->isVisible());
    press(startScreen(), "cmd_ok");
    QSignalSpy unchanged(app_.get(), &DesktopApp::exitRequested);
    openSample(u"Schule.zpg"_s);
    trigger("mnuDatBend");
    EXPECT_EQ(std::tuple(asked().size(), unchanged.count()), std::tuple(before, 1));
}

TEST_F(MainFrame, OpensAFileNamedOnTheCommandLineOrDropped)
{
    // As main() does: the file is named before the start screen shows.
    const QString laden = copySample(u"Laden.zpg"_s);
    app_ = std::make_unique<DesktopApp>(dir_.path(), &interaction_, &chooser_);
    app_->openAfterStart(laden);
    ASSERT_TRUE(app_->start());
    press(startScreen(), "cmd_ok");
    ASSERT_NE(frame(), nullptr);
    EXPECT_EQ(std::tuple(model().program().Dateiname, model().program().AnzEintrag), std::tuple(laden, 7));
    const QString schule = copySample(u"Schule.zpg"_s);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(schule)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame(), &drop);
    EXPECT_EQ(std::tuple(model().program().Dateiname, model().program().AnzEintrag), std::tuple(schule, 24));
}

} // namespace zendrik::test
