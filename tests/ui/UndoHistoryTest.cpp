// Undo and redo restore the program byte for byte: every change is compared
// through the saved program file.
#include "ui/main/UndoHistory.h"

#include "language/TextTable.h"
#include "model/EntryBuilder.h"
#include "tests/support/TestPrograms.h"

#include <QAction>
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
