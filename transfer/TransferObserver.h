#pragma once

#include "language/Prompt.h"

namespace zendrik {

// What the serial transfer window shows: the current action and a progress
// gauge. The transfer calls `waiting` often while it waits for the adapter,
// so a window can process its events there.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;
    virtual void transferStarted() { }
    virtual void labelChanged(const Prompt& label) { }
    virtual void progressChanged(int value, int maximum) { }
    virtual void waiting() { }
    virtual void transferEnded() { }
};

} // namespace zendrik
