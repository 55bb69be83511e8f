#include "app/WindowPlacement.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

TEST(WindowPlacement, RoundTripRefusedContentsAndFitting)
{
    QTemporaryDir dir;
    EXPECT_EQ(ReadWindowPlacement(dir.path()), std::nullopt);
    const WindowPlacement p{QRect(-8, 20, 900, 640), true};
    ASSERT_TRUE(WriteWindowPlacement(dir.path(), p));
    EXPECT_EQ(ReadWindowPlacement(dir.path()), p);
    const QString file = QDir(dir.path()).filePath(QString::fromLatin1(kWindowPlacementFileName));
    EXPECT_EQ(readFile(file), QByteArray("-8 20 900 640 1\n"));

    // Files that are not such a line leave the placement to the program.
    const QByteArray bad[] = {"", "1 2 3", "10 10 900 640 2", "10 10 50 640 0", "a b c d e", "10 10 900 640 0 7", "10 10 99999 640 0", "\xff\xfe\x00\x01", QByteArray(400, '1')};
    for (const QByteArray& text : bad) {
        writeFile(file, text);
        EXPECT_EQ(ReadWindowPlacement(dir.path()), std::nullopt) << text.left(20).toStdString();
    }
    // Line ends and blanks of any editor are fine.
    writeFile(file, "  10   20 900 640 0\r\n");
    EXPECT_EQ(ReadWindowPlacement(dir.path()), (WindowPlacement{QRect(10, 20, 900, 640), false}));
    const QMargins frame(4, 30, 4, 4);
    const struct { QRect wanted, area, fitted; } cases[] = {
        // No remembered place: the default size centred, where it fits.
        {QRect(), QRect(0, 0, 1600, 1000), QRect(210, 133, 1180, 760)},
        // A 1024 x 600 screen: no larger than the room inside the frame.
        {QRect(), QRect(0, 0, 1024, 600), QRect(4, 30, 1016, 566)},
        // A taskbar at the top: the area starts below it.
        {QRect(), QRect(0, 40, 1024, 560), QRect(4, 70, 1016, 526)},
        // A remembered place that fits stays as it is.
        {QRect(100, 80, 800, 500), QRect(0, 0, 1600, 1000), QRect(100, 80, 800, 500)},
        // Off to the right and below (a screen that went away): moved back in.
        {QRect(1500, 900, 800, 500), QRect(0, 0, 1600, 1000), QRect(796, 496, 800, 500)},
        // Off to the left and above.
        {QRect(-500, -300, 800, 500), QRect(0, 0, 1600, 1000), QRect(4, 30, 800, 500)},
        // Larger than a second screen to the left: smaller and inside it.
        {QRect(-1900, 0, 2400, 1400), QRect(-1280, 0, 1280, 1024), QRect(-1276, 30, 1272, 990)},
    };
    for (const auto& c : cases) {
        const QRect fitted = FitIntoArea(c.wanted, QSize(1180, 760), c.area, frame);
        EXPECT_EQ(std::pair(fitted, c.area.contains(fitted.marginsAdded(frame))), std::pair(c.fitted, true)) << c.wanted.x() << "," << c.wanted.y() << " in " << c.area.width() << "x" << c.area.height();
    }
}
