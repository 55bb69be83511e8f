#pragma once

#include "editing/checks/Finding.h"

#include <QColor>

namespace zendrik {

// How a finding's severity is written in the check lists: red errors, amber
// warnings, blue notes.
inline QColor SeverityColour(Severity s)
{
    switch (s) {
    case Severity::Error:
        return QColor(0xc0, 0x20, 0x20);
    case Severity::Warning:
        return QColor(0xb0, 0x70, 0x00);
    case Severity::Info:
        break;
    }
    return QColor(0x20, 0x50, 0xa0);
}

// What went well (a transfer that is up to date, a device written): green.
inline QColor OkColour()
{
    return QColor(0x20, 0x80, 0x30);
}

} // namespace zendrik
