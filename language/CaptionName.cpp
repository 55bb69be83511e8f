#include "language/CaptionName.h"

namespace zendrik {

QString CaptionName(const QString& caption)
{
    QString name = caption.trimmed();
    while (name.endsWith(QLatin1Char(':')))
        name = name.chopped(1).trimmed();
    return name;
}

} // namespace zendrik
