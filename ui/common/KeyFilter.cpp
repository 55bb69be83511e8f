#include "ui/common/KeyFilter.h"

#include "model/UserInteraction.h"

#include <QKeyEvent>

namespace zendrik {

KeyFilter::KeyFilter(Rule accepts, UserInteraction& ui, QObject* parent)
    : QObject(parent), accepts_(std::move(accepts)), ui_(ui)
{
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste) || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return QObject::eventFilter(watched, event);
    const QString text = key->text();
    for (const QChar c : text) {
        if (c.isPrint() && !accepts_(c)) {
            ui_.beep();
            if (onRefused_)
                onRefused_();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zendrik
