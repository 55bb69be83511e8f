// Undo and redo restore the program byte for byte: every change is compared
// through the saved program file.
#include "ui/main/UndoHistory.h"

#include "language/TextTable.h"
#include "model/EntryBuilder.h"
#include "tests/support/TestPrograms.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>

using namespace zendrik;

namespace {

QByteArray savedBytes(const ProgramModel& model)
{
    QTemporaryDir dir;
    ProgramModel copy = model;
    const QString path = test::saveProgramAs(copy, dir.filePath(QStringLiteral("UNDO.ZPG")));
    EXPECT_FALSE(path.isEmpty());
    return test::readFile(path);
}

// Deletes `count` switching times from row `from` on, as the list does.
void deleteRows(ProgramModel& model, int from, int count)
{
    ProgramSlot& p = model.program();
    auto first = p.Eintrag.begin() + from;
    std::rotate(first, first + count, p.Eintrag.begin() + p.AnzEintrag);
    std::fill(p.Eintrag.begin() + p.AnzEintrag - count, p.Eintrag.begin() + p.AnzEintrag, Entry{});
    p.AnzSz -= count;
    p.AnzEintrag -= count;
    model.Geaendert = 1;
}

ProgramModel programWithTenTimes()
{
    ProgramModel model = test::canonical738();
    for (int i = 0; i < 10; ++i)
        test::addEntry(model, BuildWeeklyEntry(60 * i, 0b0011111, 0b0001, 1, 0, 0));
    model.Geaendert = 0;
    return model;
}

struct Change {
    const char* name;
    std::function<void(ProgramModel&)> apply;
    QString stepName;   // German
};

} // namespace

TEST(UndoHistory, EveryKindOfChangeUndoesAndRedoesByteForByte)
{
    const std::vector<Change> changes = {
        {"five rows deleted", [](ProgramModel& m) { deleteRows(m, 2, 5); },
         QStringLiteral("5 Schaltzeit(en) löschen")},
        {"entry added",
         [](ProgramModel& m) { test::addEntry(m, BuildWeeklyEntry(700, 0b1, 0b10, 0, 0, 0)); m.Geaendert = 1; },
         QStringLiteral("1 Schaltzeit(en) eingeben")},
        {"entry changed",
         [](ProgramModel& m) { m.program().Eintrag[0] = BuildWeeklyEntry(1, 0b1000000, 0b1, 0, 0, 0); m.Geaendert = 1; },
         QStringLiteral("Schaltzeiten ändern")},
        {"description", [](ProgramModel& m) { m.program().Verwendung = QStringLiteral("Halle 3"); m.Geaendert = 1; },
         QStringLiteral("Programmkopf ändern")},
        {"channel name", [](ProgramModel& m) { m.program().Kanalname[1] = QStringLiteral("Licht"); m.Geaendert = 1; },
         QStringLiteral("Programmkopf ändern")},
        {"program number", [](ProgramModel& m) { m.program().ProgNr = 4711; m.Geaendert = 1; },
         QStringLiteral("Programmkopf ändern")},
        {"dst row", [](ProgramModel& m) { m.program().SoWiTab[0].b = {10, 3, 2, 3}; m.Geaendert = 1; },
         QStringLiteral("SoWi-Tabelle ändern")},
        {"astro cell", [](ProgramModel& m) { m.program().astro.AstroTab[0][10].rise = 400; m.Geaendert = 1; },
         QStringLiteral("Astrozeiten ändern")},
        {"write protection", [](ProgramModel& m) { m.program().Schreibschutz ^= 1; m.Geaendert = 1; },
         QStringLiteral("Programmkopf ändern")},
        {"device option", [](ProgramModel& m) { m.device.Dauertaste ^= 1; m.Geaendert = 1; },
         QStringLiteral("Geräteeinstellungen ändern")},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.name);
        ProgramModel model = programWithTenTimes();
        TextTable texts;
        UndoHistory history(model, texts, nullptr);
        const QByteArray before = savedBytes(model);
        c.apply(model);
        history.capture();
        const QByteArray after = savedBytes(model);
        ASSERT_NE(before, after);
        EXPECT_EQ(history.stack().count(), 1);
        EXPECT_EQ(history.stack().undoText(), c.stepName);
        EXPECT_EQ(history.undoAction()->text(), QStringLiteral("&Rückgängig: ") + c.stepName);

        history.undoAction()->trigger();
        EXPECT_EQ(savedBytes(model), before);
        EXPECT_EQ(model.Geaendert, 0) << "back at the saved state";
        history.redoAction()->trigger();
        EXPECT_EQ(savedBytes(model), after);
        EXPECT_EQ(model.Geaendert, 1) << "away from the saved state again";
    }
}

TEST(UndoHistory, OkForAllRunIsOneStep)
{
    ProgramModel model = programWithTenTimes();
    TextTable texts;
    UndoHistory history(model, texts, nullptr);
    const QByteArray before = savedBytes(model);
    history.beginGroup();
    for (int i = 0; i < 4; ++i) {
        test::addEntry(model, BuildWeeklyEntry(800 + i, 0b1, 0b1, 1, 0, 0));
        model.Geaendert = 1;
        history.capture();
    }
    history.endGroup();
    EXPECT_EQ(history.stack().count(), 1);
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("4 Schaltzeit(en) eingeben"));
    history.stack().undo();
    EXPECT_EQ(savedBytes(model), before);
}

TEST(UndoHistory, SavedStateAndFreshHistory)
{
    ProgramModel model = programWithTenTimes();
    TextTable texts;
    UndoHistory history(model, texts, nullptr);
    deleteRows(model, 0, 1);
    history.capture();
    deleteRows(model, 0, 1);
    history.capture();
    // Saved after the first delete.
    history.stack().undo();
    model.Geaendert = 0;
    history.markSaved();
    history.stack().redo();
    EXPECT_EQ(model.Geaendert, 1);
    history.stack().undo();
    EXPECT_EQ(model.Geaendert, 0);
    history.stack().undo();
    EXPECT_EQ(model.Geaendert, 1) << "older than the saved state";

    // Another program (opened, new, read) starts a fresh history.
    model.program().Dateiname = QStringLiteral("OTHER.ZPG");
    history.capture();
    EXPECT_EQ(history.stack().count(), 0);
    EXPECT_FALSE(history.undoAction()->isEnabled());
    deleteRows(model, 0, 1);
    history.reset();
    EXPECT_FALSE(history.stack().canUndo());
    EXPECT_FALSE(history.stack().isClean()) << "a program read from a device has no saved state";
}

// The user's path through the frame: open, change, undo with the menu, save
// as, recent files.
#include "tests/ui/DesktopFixture.h"

#include <QFileInfo>
#include <QMenu>

namespace {

class UndoFrame : public zendrik::test::DesktopFixture {
protected:
    QStringList recentEntries() const
    {
        auto* menu = frame()->findChild<QMenu*>(QStringLiteral("mnuDatRecent"));
        EXPECT_NE(menu, nullptr);
        QStringList entries;
        if (menu) {
            emit menu->aboutToShow();
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && a->objectName().isEmpty())
                    entries << (a->isEnabled() ? QString() : QStringLiteral("(missing) ")) + a->text();
        }
        return entries;
    }
};

} // namespace

TEST_F(UndoFrame, MenuUndoRestoresTheOpenedProgramAndRecentFilesFollow)
{
    startWith(4);
    const QString path = openSample(QStringLiteral("Schule.zpg"));
    const QByteArray opened = savedBytes(model());
    EXPECT_FALSE(action("mnuBaUndo")->isEnabled()) << "opening starts a fresh history";
    EXPECT_EQ(recentEntries(), QStringList{QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())});

    deleteRows(model(), 0, 5);
    frame()->ShowList();
    EXPECT_TRUE(frame()->isWindowModified() || model().Geaendert == 1);
    EXPECT_EQ(action("mnuBaUndo")->text(), QStringLiteral("&Rückgängig: 5 Schaltzeit(en) löschen"));
    trigger("mnuBaUndo");
    EXPECT_EQ(savedBytes(model()), opened);
    EXPECT_EQ(model().Geaendert, 0);
    trigger("mnuBaRedo");
    EXPECT_EQ(model().Geaendert, 1);

    chooser_.save = work(QStringLiteral("KOPIE.ZPG"));
    trigger("mnudatspu");
    ASSERT_TRUE(QFile::exists(chooser_.save));
    EXPECT_EQ(model().Geaendert, 0);
    const QStringList recent = recentEntries();
    ASSERT_EQ(recent.size(), 2);
    EXPECT_EQ(recent[0], QDir::toNativeSeparators(QFileInfo(chooser_.save).absoluteFilePath()));
    trigger("mnuBaUndo");
    EXPECT_EQ(savedBytes(model()), opened);
    EXPECT_EQ(model().Geaendert, 1) << "the state saved as the copy is the clean one";
    EXPECT_EQ(QFileInfo(model().program().Dateiname).fileName(), QStringLiteral("KOPIE.ZPG"))
        << "undo keeps the file the program now belongs to";

    // A deleted file is shown disabled and can be removed from the list.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(recentEntries()[1], QStringLiteral("(missing) ") + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    auto* remove = frame()->findChild<QAction*>(QStringLiteral("mnuDatRecentRemove"));
    ASSERT_NE(remove, nullptr);
    remove->trigger();
    EXPECT_EQ(recentEntries().size(), 1);
}
