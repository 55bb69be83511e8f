#pragma once

namespace zendrik {

// Timing and checks of a serial chip transfer.
struct SerialTransferOptions {
    // Read every block back after writing and compare it; off: only block 0
    // is read back, as adapters always did.
    bool verifyWholeChip = true;
    // The adapter needs this pause after the adapter check before the data
    // phase starts.
    int dataPhasePauseMs = 2000;
    int firstByteTimeoutMs = 500;
    int silenceMs = 100;
};

} // namespace zendrik
