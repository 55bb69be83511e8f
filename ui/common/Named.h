#pragma once

#include <QString>

namespace zendrik {

// Gives a new widget its control name (the objectName tests and the
// screenshots find it by) and hands it back.
template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

} // namespace zendrik
