#include <QCoreApplication>

#include <gtest/gtest.h>

// The serial port and the emulator processes want a Qt application object.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
