#pragma once

#include <QString>

namespace zendrik {

// The languages of our own texts: the ones this program adds beyond the
// device's fixed text table (new windows, checks, messages of new features).
// Translation files carry only the fixed table (one entry per line, in the
// order of TextId), so a further language installed from such a file shows
// our own texts in English.
enum class ExtraLanguage { German,
                           English,
                           French };

// One text of our own table, in the three shipped languages. Each subsystem
// keeps its texts beside its code as constants of this type; all three
// languages are required, so a text cannot be added in one language only.
// Placeholders are QString::arg markers (%1, %2, ...).
struct ExtraText {
    consteval ExtraText(const char* german, const char* english, const char* french)
        : de(german), en(english), fr(french)
    {
    }

    const char* de;
    const char* en;
    const char* fr;

    QString in(ExtraLanguage language) const
    {
        switch (language) {
        case ExtraLanguage::German:
            return QString::fromUtf8(de);
        case ExtraLanguage::French:
            return QString::fromUtf8(fr);
        case ExtraLanguage::English:
            break;
        }
        return QString::fromUtf8(en);
    }
};

} // namespace zendrik
