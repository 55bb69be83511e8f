#pragma once

#include "transfer/TransferObserver.h"

#include <QString>
#include <QTextStream>

namespace zendrik {
class TextTable;
}

namespace zendrik::cli {

// The serial transfer window of the command line: the current action and
// a bar on one terminal line, redrawn in place. Off a terminal it stays
// silent, so scripts and logs get only the outcome.
class TerminalProgress : public TransferObserver {
public:
    TerminalProgress(QTextStream& stream, const TextTable& texts, bool enabled);

    void labelChanged(const Prompt& label) override;
    void progressChanged(int value, int maximum) override;
    void transferEnded() override;

private:
    void draw();

    QTextStream& stream_;
    const TextTable& texts_;
    bool enabled_;
    QString label_;
    int value_ = 0;
    int maximum_ = 1;
    int drawnPercent_ = -1;
    bool drawn_ = false;
};

} // namespace zendrik::cli
