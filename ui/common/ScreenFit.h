#pragma once

#include <QRect>
#include <QScrollArea>

#include <functional>

class QWidget;

namespace zendrik {

// The part of the screen a window may take (without task bars and docks).
// The application asks through this, so tests can hand in a small screen.
using ScreenArea = std::function<QRect(const QWidget* window)>;

// The available area of the screen the window is on (the primary screen
// for a window not yet shown).
QRect AvailableScreenArea(const QWidget* window);

// Makes a top-level window no larger than the area and moves it inside,
// window frame included; a window that fits stays where it is. A window
// cannot get smaller than its minimum size: dialogs with a tall body put
// it in a ScrollingBody so that their buttons stay reachable.
void FitWindowIntoArea(QWidget* window, const QRect& area);

// A scroll area for a dialog's body that asks for the whole body (a plain
// scroll area asks for a few lines only) but may shrink to a small part of
// it, scrolling, when the screen has no more room.
class ScrollingBody : public QScrollArea {
    Q_OBJECT
public:
    explicit ScrollingBody(QWidget* body, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace zendrik
