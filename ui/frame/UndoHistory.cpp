#include "ui/frame/UndoHistory.h"

#include "language/TextTable.h"
#include "model/ProgramModel.h"

#include <QAction>
#include <QUndoCommand>
#include <QUndoStack>

namespace zendrik {

namespace {

// At least this many steps are kept (a snapshot is about 20 KB).
constexpr int kUndoLimit = 200;

} // namespace

// One step: the program before and after. The first redo comes with the
// push, when the program already is as after.
class UndoHistory::Step : public QUndoCommand {
public:
    Step(UndoHistory& history, ProgramSnapshot before, ProgramSnapshot after, const QString& name)
        : QUndoCommand(name), history_(history), before_(std::move(before)), after_(std::move(after))
    {
    }

    // The program was sorted after the step: the sorted program is its end.
    void extend(ProgramSnapshot after) { after_ = std::move(after); }

    void undo() override { history_.apply(before_); }
    void redo() override
    {
        if (pushed_)
            history_.apply(after_);
        pushed_ = true;
    }

private:
    UndoHistory& history_;
    ProgramSnapshot before_;
    ProgramSnapshot after_;
    bool pushed_ = false;
};

UndoHistory::UndoHistory(ProgramModel& model, const TextTable& texts, QObject* parent)
    : QObject(parent), model_(model), texts_(texts), stack_(new QUndoStack(this))
{
    stack_->setUndoLimit(kUndoLimit);
    undo_ = new QAction(this);
    undo_->setObjectName(QStringLiteral("mnuBaUndo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = new QAction(this);
    redo_->setObjectName(QStringLiteral("mnuBaRedo"));
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo_, &QAction::triggered, stack_, &QUndoStack::undo);
    connect(redo_, &QAction::triggered, stack_, &QUndoStack::redo);
    connect(stack_, &QUndoStack::indexChanged, this, &UndoHistory::indexChanged);
    connect(stack_, &QUndoStack::cleanChanged, this, &UndoHistory::updateActions);
    last_ = TakeSnapshot(model_);
    updateActions();
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::capture()
{
    // Within a group the changes add up to one step, taken at its end.
    if (groupDepth_ > 0)
        return;
    ProgramSnapshot now = TakeSnapshot(model_);
    if (now == last_)
        return;
    if (now.program.Dateiname != last_.program.Dateiname) {
        reset();
        return;
    }
    if (model_.Geaendert == 0) {
        markSaved();
        return;
    }
    // Entries sorted into list order (an entry dialog closing) are no step of
    // their own: they end the step that stored the entries.
    if (OnlyReordered(last_, now) && stack_->index() > 0 && stack_->index() == stack_->count()
        && !stack_->isClean()) {
        auto* top = static_cast<const Step*>(stack_->command(stack_->index() - 1));
        const_cast<Step*>(top)->extend(now);
        last_ = std::move(now);
        return;
    }
    const QString name = ChangeName(DescribeChange(last_, now), texts_);
    ProgramSnapshot before = std::move(last_);
    last_ = now;
    stack_->push(new Step(*this, std::move(before), std::move(now), name));
}

void UndoHistory::reset()
{
    groupDepth_ = 0;
    stack_->clear();
    last_ = TakeSnapshot(model_);
    // A program read from a device is modified from the start: no state of
    // this history is the saved one.
    if (model_.Geaendert != 0)
        stack_->resetClean();
    updateActions();
}

void UndoHistory::markSaved()
{
    last_ = TakeSnapshot(model_);
    stack_->setClean();
}

void UndoHistory::beginGroup()
{
    if (groupDepth_ == 0)
        capture();
    ++groupDepth_;
}

void UndoHistory::endGroup()
{
    if (groupDepth_ == 0)
        return;
    if (--groupDepth_ == 0)
        capture();
}

void UndoHistory::apply(const ProgramSnapshot& snapshot)
{
    RestoreSnapshot(model_, snapshot);
    last_ = TakeSnapshot(model_);
    restoring_ = true;
}

void UndoHistory::indexChanged()
{
    // The stack moves its index after the step was undone or redone: only
    // then does it know whether the saved state is reached.
    if (restoring_) {
        restoring_ = false;
        model_.Geaendert = stack_->isClean() ? 0 : 1;
        emit restored();
    }
    updateActions();
}

void UndoHistory::updateActions()
{
    // The modified mark follows the history once a step was undone or redone.
    const QString undo = texts_(kUndo);
    const QString redo = texts_(kRedo);
    undo_->setEnabled(stack_->canUndo());
    redo_->setEnabled(stack_->canRedo());
    undo_->setText(stack_->canUndo() ? undo + QStringLiteral(": ") + stack_->undoText() : undo);
    redo_->setText(stack_->canRedo() ? redo + QStringLiteral(": ") + stack_->redoText() : redo);
}

void UndoHistory::retranslate()
{
    updateActions();
}

} // namespace zendrik
