#pragma once

#include "editing/ProgramSnapshot.h"

#include <QObject>
#include <QString>

class QTimer;

namespace zendrik {

class ProgramModel;

// Keeps the recovery copy of the program being edited: written (atomically)
// shortly after each change while the program is modified, and removed once
// it is saved, undone back to its saved state, or discarded. A check every
// few seconds also catches changes made inside a dialog that is still open.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kWriteDelayMs = 2000;
    static constexpr int kCheckIntervalMs = 10000;

    RecoveryKeeper(ProgramModel& model, QString workDir, QObject* parent);
    // The frame goes only after the user saved or discarded the program.
    ~RecoveryKeeper() override;

    // Something may have changed: write soon, or remove when saved.
    void programChanged();
    // Writes now when the program differs from the last copy.
    void writeNow();
    // The copy this run wrote goes (saved, or discarded by the user).
    void discard();
    // The copy on disk holds the program as it is now (restored from it at
    // the start): this run keeps it from here on, and removes it on saving.
    void adopt();
    bool hasWritten() const { return written_; }

signals:
    // The copy could not be written, with the system's reason.
    void writeFailed(const QString& reason);

private:
    ProgramModel& model_;
    QString workDir_;
    QTimer* soon_;
    QTimer* check_;
    ProgramSnapshot lastWritten_;
    bool written_ = false;
};

} // namespace zendrik
