// Undo and redo restore the program byte for byte: every change is compared
// through the saved program file.
#include "ui/frame/UndoHistory.h"

#include "language/TextTable.h"
#include "model/EntryBuilder.h"
#include "tests/support/TestPrograms.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace zendrik;

namespace {

QByteArray savedBytes(const ProgramModel& model)
{
    QTemporaryDir dir;
    ProgramModel copy = model;
    // Written at a fixed time: two images differ only where the programs do.
    copy.clock = [] { return QDateTime(QDate(2026, 1, 5), QTime(8, 0)); };
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
         QStringLiteral("5 Schaltzeiten löschen")},
        {"one row deleted", [](ProgramModel& m) { deleteRows(m, 9, 1); },
         QStringLiteral("1 Schaltzeit löschen")},
        {"entry added",
         [](ProgramModel& m) { test::addEntry(m, BuildWeeklyEntry(700, 0b1, 0b10, 0, 0, 0)); m.Geaendert = 1; },
         QStringLiteral("1 Schaltzeit eingeben")},
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

// One entry is named in the singular, more in the plural, in every language.
TEST(UndoHistory, StepNamesCountTheEntries)
{
    struct Case {
        ChangeKind kind;
        int count;
        const char* de;
        const char* en;
        const char* fr;
    };
    const Case cases[] = {
        {ChangeKind::SwitchingAdded, 1, "1 Schaltzeit eingeben", "enter 1 switching time",
         "saisir 1 horaire de commutation"},
        {ChangeKind::SwitchingAdded, 2, "2 Schaltzeiten eingeben", "enter 2 switching times",
         "saisir 2 horaires de commutation"},
        {ChangeKind::SwitchingDeleted, 1, "1 Schaltzeit löschen", "delete 1 switching time",
         "supprimer 1 horaire de commutation"},
        {ChangeKind::SwitchingDeleted, 5, "5 Schaltzeiten löschen", "delete 5 switching times",
         "supprimer 5 horaires de commutation"},
        {ChangeKind::PriorityAdded, 1, "1 Prioritätszeit eingeben", "enter 1 priority time",
         "saisir 1 période prioritaire"},
        {ChangeKind::PriorityAdded, 12, "12 Prioritätszeiten eingeben", "enter 12 priority times",
         "saisir 12 périodes prioritaires"},
        {ChangeKind::PriorityDeleted, 1, "1 Prioritätszeit löschen", "delete 1 priority time",
         "supprimer 1 période prioritaire"},
        {ChangeKind::PriorityDeleted, 3, "3 Prioritätszeiten löschen", "delete 3 priority times",
         "supprimer 3 périodes prioritaires"},
    };
    TextTable german;
    german.LoadGerman();
    TextTable english;
    english.LoadEnglish();
    TextTable french;
    french.LoadFrench();
    for (const Case& c : cases) {
        const ChangeSummary change{c.kind, c.count};
        EXPECT_EQ(ChangeName(change, german), QString::fromUtf8(c.de));
        EXPECT_EQ(ChangeName(change, english), QString::fromUtf8(c.en));
        EXPECT_EQ(ChangeName(change, french), QString::fromUtf8(c.fr));
    }
}

// An entry dialog sorts the program into list order as it closes: that ends
// the step that stored the entries instead of being a step of its own.
TEST(UndoHistory, SortingAfterAStoreJoinsThatStep)
{
    ProgramModel model = programWithTenTimes();
    TextTable texts;
    UndoHistory history(model, texts, nullptr);
    const ProgramSnapshot before = TakeSnapshot(model);
    test::addEntry(model, BuildWeeklyEntry(30, 0b1, 0b1, 1, 0, 0));
    model.Geaendert = 1;
    history.capture();
    ProgramSlot& p = model.program();
    std::rotate(p.Eintrag.begin(), p.Eintrag.begin() + p.AnzSz - 1, p.Eintrag.begin() + p.AnzSz);
    const ProgramSnapshot sorted = TakeSnapshot(model);
    history.capture();
    EXPECT_EQ(history.stack().count(), 1);
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("1 Schaltzeit eingeben"));
    history.stack().undo();
    EXPECT_TRUE(TakeSnapshot(model) == before);
    history.stack().redo();
    EXPECT_TRUE(TakeSnapshot(model) == sorted) << "redo gives the sorted program";

    // Another entry in another place is a change, not an order.
    p.Eintrag[0] = BuildWeeklyEntry(31, 0b1, 0b1, 1, 0, 0);
    EXPECT_FALSE(OnlyReordered(sorted, TakeSnapshot(model)));
    history.capture();
    EXPECT_EQ(history.stack().count(), 2);
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
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("4 Schaltzeiten eingeben"));
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
#include "ui/main/MdiForm1.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

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

    // Five rows deleted (one step), then saved as a copy.
    answer(TextId::ReallyDelete, Answer::Ok);
    const QAbstractItemModel* rows = grid()->model();
    grid()->selectionModel()->select(QItemSelection(rows->index(0, 0), rows->index(4, 0)),
                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    trigger("mnuBalö");
    ASSERT_NE(savedBytes(model()), opened);
    EXPECT_EQ(frame()->history().stack().count(), 1);
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

TEST_F(UndoFrame, HeaderFieldsTypedAreStepsBackToTheOpenedFile)
{
    startWith(4);
    openSample(QStringLiteral("Schule.zpg"));
    const QByteArray opened = savedBytes(model());
    auto* nr = child<QLineEdit>(frame(), "txtProgrammnummer");
    auto* description = child<QLineEdit>(frame(), "txtverwendung");
    ASSERT_NE(nr, nullptr);
    ASSERT_NE(description, nullptr);
    const QString oldNumber = nr->text();
    const QString oldDescription = description->text();

    nr->setFocus();
    nr->selectAll();
    QTest::keyClicks(nr, QStringLiteral("4711"));
    QTest::keyClick(nr, Qt::Key_Return);
    const QByteArray numbered = savedBytes(model());
    description->setFocus();
    description->selectAll();
    QTest::keyClicks(description, QStringLiteral("Halle 3"));
    QTest::keyClick(description, Qt::Key_Return);
    const QByteArray described = savedBytes(model());
    ASSERT_NE(numbered, opened);
    ASSERT_NE(described, numbered);
    EXPECT_EQ(frame()->history().stack().count(), 2);
    EXPECT_EQ(action("mnuBaUndo")->text(), QStringLiteral("&Rückgängig: Programmkopf ändern"));

    trigger("mnuBaUndo");
    EXPECT_EQ(savedBytes(model()), numbered);
    EXPECT_EQ(description->text(), oldDescription);
    EXPECT_TRUE(frame()->isWindowModified());
    trigger("mnuBaUndo");
    EXPECT_EQ(savedBytes(model()), opened);
    EXPECT_EQ(nr->text(), oldNumber);
    EXPECT_FALSE(frame()->isWindowModified());
    trigger("mnuBaRedo");
    trigger("mnuBaRedo");
    EXPECT_EQ(savedBytes(model()), described);
    EXPECT_EQ(description->text(), QStringLiteral("Halle 3"));
    EXPECT_TRUE(frame()->isWindowModified());
}
