#pragma once

#include "editing/ProgramSnapshot.h"

#include <QObject>

class QAction;
class QUndoStack;

namespace zendrik {

class ProgramModel;
class TextTable;

// Undo and redo of every change to the program. Commands need not register
// anything: whenever a command has ended (the frame shows the list again,
// the header took a field), capture() compares the program with the last
// state seen and, if it differs, keeps both as one step named after what
// changed. A run that stores many entries at once (OK for all) is grouped
// into one step between beginGroup() and endGroup(). Undoing back to the
// saved state clears the modified mark, redoing away from it sets it again.
class UndoHistory : public QObject {
    Q_OBJECT
public:
    UndoHistory(ProgramModel& model, const TextTable& texts, QObject* parent);
    ~UndoHistory() override;

    // After a command: a step when the program changed. A program of another
    // file name (opened, read, new) starts a fresh history; an unchanged
    // program saved again becomes the clean state.
    void capture();
    // A fresh history from the program as it is now (open, new, read).
    void reset();
    // The program was saved as it is now.
    void markSaved();

    void beginGroup();
    void endGroup();

    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    QUndoStack& stack() const { return *stack_; }
    void retranslate();

signals:
    // A step was undone or redone: the program changed under the windows.
    void restored();

private:
    class Step;
    void apply(const ProgramSnapshot& snapshot);
    void indexChanged();
    void updateActions();

    ProgramModel& model_;
    const TextTable& texts_;
    QUndoStack* stack_;
    QAction* undo_;
    QAction* redo_;
    ProgramSnapshot last_;
    int groupDepth_ = 0;
    bool restoring_ = false;
};

} // namespace zendrik
