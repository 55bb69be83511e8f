#include "ui/common/ScreenFit.h"

#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>

namespace zendrik {

namespace {

// The smallest part of a body a dialog shows before it scrolls.
constexpr int kMinBodyWidth = 240;
constexpr int kMinBodyHeight = 140;
// The widest a window frame's side can be (a title bar included).
constexpr int kMaxFrameSide = 64;

} // namespace

QRect AvailableScreenArea(const QWidget* window)
{
    const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void FitWindowIntoArea(QWidget* window, const QRect& area)
{
    if (!window || area.isEmpty())
        return;
    const QRect shown = window->geometry();
    const QRect outer = window->frameGeometry();
    // A window not yet on the screen may report no frame or a stale one:
    // only what a real frame can add counts.
    const auto side = [](int v) { return std::clamp(v, 0, kMaxFrameSide); };
    const QMargins frame(side(shown.left() - outer.left()), side(shown.top() - outer.top()),
                         side(outer.right() - shown.right()), side(outer.bottom() - shown.bottom()));
    // A window with a scrolling body opens as large as its contents ask,
    // where the area has room (the toolkit's first size keeps to a part of
    // the screen), and scrolls only what does not fit.
    QRect inner = shown;
    if (window->findChild<ScrollingBody*>())
        inner.setSize(inner.size().expandedTo(window->sizeHint()));
    QRect fitted = FitIntoArea(inner, inner.size(), area, frame);
    // The minimum size wins over the area; the window then starts at the area's corner.
    fitted.setSize(fitted.size().expandedTo(window->minimumSize()));
    if (fitted != shown)
        window->setGeometry(fitted);
}

ScrollingBody::ScrollingBody(QWidget* body, QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("scrollBody"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(body);
}

QSize ScrollingBody::sizeHint() const
{
    // Room for the vertical scroll bar too: where the height runs short
    // it takes its width from the body, which would then scroll sideways.
    const QSize body = widget() ? widget()->sizeHint() : QSize();
    return body + QSize(2 * frameWidth() + verticalScrollBar()->sizeHint().width(), 2 * frameWidth());
}

QSize ScrollingBody::minimumSizeHint() const
{
    const QSize body = widget() ? widget()->minimumSizeHint() : QSize();
    return body.boundedTo(QSize(kMinBodyWidth, kMinBodyHeight));
}

} // namespace zendrik
