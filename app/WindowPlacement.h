#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace zendrik {

// Where the user left the main window: its size and position (without the
// window frame) and whether it was maximized. Kept in a small file of our
// own in the working directory, one line "x y width height maximized", not
// in the settings file whose 18 lines other programs read.
struct WindowPlacement {
    QRect geometry;
    bool maximized = false;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

inline constexpr const char* kWindowPlacementFileName = "zendrik-window.txt";

// The remembered placement; nothing when the file is missing, unreadable or
// not such a line (a window smaller than a button or larger than any screen).
std::optional<WindowPlacement> ReadWindowPlacement(const QString& workDir);
// Writes the placement atomically; false when it could not be written.
bool WriteWindowPlacement(const QString& workDir, const WindowPlacement& placement);

// The rectangle a window takes within the available screen area: the wanted
// one (or, when it is empty, `fallback` centred on the area) made no larger
// than the area and moved inside it. `frame` is what the window frame adds
// around the rectangle (title bar, borders), which must fit as well.
QRect FitIntoArea(const QRect& wanted, const QSize& fallback, const QRect& area, const QMargins& frame = {});

} // namespace zendrik
