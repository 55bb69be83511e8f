#pragma once

#include "tests/transfer/TransferTestSupport.h"

#include <gtest/gtest.h>

// Starts an emulator or skips the test with the reason (no pseudo terminal
// can be made on this machine); any other start failure fails the test.
#define START_EMULATOR(emulator, eeprom, ...)                                                           \
    do {                                                                                                \
        if (!(emulator).start((eeprom), QStringList{__VA_ARGS__})) {                                   \
            if ((emulator).noPty())                                                                     \
                GTEST_SKIP() << "no pseudo terminal here: " << (emulator).failure().toStdString();      \
            FAIL() << "emulator failed: " << (emulator).failure().toStdString();                       \
        }                                                                                               \
    } while (false)
