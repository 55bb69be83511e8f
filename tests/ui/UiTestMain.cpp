#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Widget tests run without a display unless one is asked for. A test built
// with a screen size gets an offscreen screen of that size.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef ZENDRIK_TEST_SCREEN_WIDTH
    QTemporaryDir config;
    QFile screens(config.filePath(QStringLiteral("screens.json")));
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && config.isValid() && screens.open(QIODevice::WriteOnly)) {
        screens.write(QStringLiteral(R"({"windowFrameMargins": true, "screens": [{"name": "small", "x": 0, "y": 0,
            "width": %1, "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                          .arg(ZENDRIK_TEST_SCREEN_WIDTH).arg(ZENDRIK_TEST_SCREEN_HEIGHT).toUtf8());
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
