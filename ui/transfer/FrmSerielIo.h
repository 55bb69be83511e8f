#pragma once

#include "transfer/TransferObserver.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace zendrik {

class TextTable;

// The serial transfer window: what the transfer is doing and how far it has
// got. The transfer runs on the user-interface thread and calls waiting()
// while the adapter is busy, so the window repaints there. It shows itself
// when the transfer starts and goes when it ends; while it is up it blocks
// the other windows (application modal without an event loop of its own)
// and cannot be closed, because the adapter exchange cannot be interrupted
// halfway through a block.
class FrmSerielIo : public QWidget, public TransferObserver {
    Q_OBJECT
public:
    explicit FrmSerielIo(const TextTable& texts, QWidget* parent = nullptr);

    void transferStarted() override;
    void labelChanged(const Prompt& label) override;
    void progressChanged(int value, int maximum) override;
    void waiting() override;
    void transferEnded() override;

    bool running() const { return running_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    const TextTable& texts_;
    QLabel* label_;
    QProgressBar* gauge_;
    bool running_ = false;
};

} // namespace zendrik
