#pragma once

#include <QString>

namespace zendrik {

// A field's caption as a name within a sentence: without the blanks around
// it and without its colon ("Stunden:" gives "Stunden").
QString CaptionName(const QString& caption);

} // namespace zendrik
