#include "ui/common/WindowFitter.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zendrik {

WindowFitter::WindowFitter(ScreenArea area, QObject* parent) : QObject(parent), area_(std::move(area)) { }

bool WindowFitter::eventFilter(QObject* watched, QEvent* event)
{
    const bool shown = event->type() == QEvent::Show;
    if ((!shown && event->type() != QEvent::Resize) || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* window = static_cast<QWidget*>(watched);
    // Menus, tool tips and combo box lists place themselves.
    const Qt::WindowType type = window->windowType();
    if (!window->isWindow() || (type != Qt::Window && type != Qt::Dialog))
        return QObject::eventFilter(watched, event);
    // A window that grew (a dock opened beside the list) moves back inside.
    if (!shown) {
        const QRect area = area_(window);
        if (window->isVisible() && !area.isEmpty() && !area.contains(window->frameGeometry()))
            FitWindowIntoArea(window, area);
        return QObject::eventFilter(watched, event);
    }
    FitWindowIntoArea(window, area_(window));
    // Once more when the window frame is on the screen and known.
    QTimer::singleShot(0, this, [this, w = QPointer<QWidget>(window)] {
        if (w && w->isVisible())
            FitWindowIntoArea(w, area_(w));
    });
    return QObject::eventFilter(watched, event);
}

} // namespace zendrik
